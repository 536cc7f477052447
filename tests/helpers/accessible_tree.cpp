#include "accessible_tree.h"

#include <oleacc.h>

#include <memory>

namespace tevanor::helpers {

namespace {

// One node as an IAccessible of its own; its children are made with it and held by it.
class Element final : public IAccessible {
 public:
  Element(const AccessibleNode& node, Element* parent, bool hang)
      : node_(node), parent_(parent), hang_(hang) {
    for (const AccessibleNode& child : node.children)
      children_.push_back(new Element(child, this, hang));
  }
  ~Element() {
    for (Element* child : children_) child->Release();
  }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (id == IID_IUnknown || id == IID_IDispatch || id == IID_IAccessible) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  // IDispatch: not served, as screen readers do not use it.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible: the tree's shape, roles, names and values.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    Wait();
    *parent = parent_;
    if (!parent_) return S_FALSE;
    parent_->AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    Wait();
    *count = static_cast<long>(children_.size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    Wait();
    *object = nullptr;
    if (child.vt != VT_I4 || child.lVal < 1 || child.lVal > static_cast<long>(children_.size()))
      return E_INVALIDARG;
    *object = children_[static_cast<std::size_t>(child.lVal - 1)];
    (*object)->AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    return Text(child, node_.name, name);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return Text(child, node_.value, value);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    Wait();
    if (child.vt != VT_I4 || child.lVal != CHILDID_SELF) return E_INVALIDARG;
    role->vt = VT_I4;
    role->lVal = node_.role;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    Wait();
    if (child.vt != VT_I4 || child.lVal != CHILDID_SELF) return E_INVALIDARG;
    state->vt = VT_I4;
    state->lVal = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR*, VARIANT, long*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT, BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE accLocation(long*, long*, long*, long*, VARIANT) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long, VARIANT, VARIANT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE accHitTest(long, long, VARIANT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  void Wait() const {
    if (hang_) ::Sleep(INFINITE);
  }
  HRESULT Text(const VARIANT& child, const std::wstring& text, BSTR* out) const {
    Wait();
    *out = nullptr;
    if (child.vt != VT_I4 || child.lVal != CHILDID_SELF) return E_INVALIDARG;
    if (text.empty()) return S_FALSE;
    *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return S_OK;
  }

  const AccessibleNode& node_;
  Element* parent_;  // holds this element
  bool hang_;
  std::vector<Element*> children_;
  ULONG references_ = 1;
};

struct Served {
  AccessibleNode root;
  Element* element = nullptr;
  WNDPROC previous = nullptr;
};

LRESULT CALLBACK ServingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* served = reinterpret_cast<Served*>(::GetPropW(window, L"accessible"));
  if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT)
    return ::LresultFromObject(IID_IAccessible, wParam, served->element);
  return ::CallWindowProcW(served->previous, window, message, wParam, lParam);
}

std::wstring WithoutScheme(const std::wstring& address) {
  const std::size_t scheme = address.find(L"://");
  return scheme == std::wstring::npos ? address : address.substr(scheme + 3);
}

AccessibleNode Paragraph(const std::vector<std::wstring>& texts) {
  AccessibleNode paragraph{ROLE_SYSTEM_GROUPING};
  for (const std::wstring& text : texts)
    paragraph.children.push_back({ROLE_SYSTEM_STATICTEXT, text});
  return paragraph;
}

AccessibleNode Link(const wchar_t* name) {
  return {ROLE_SYSTEM_LINK, name, L"", {{ROLE_SYSTEM_STATICTEXT, name}}};
}

}  // namespace

AccessibleNode ChromeLikeTree(const std::wstring& title, const std::wstring& address,
                              const std::vector<std::wstring>& texts) {
  AccessibleNode toolbar{
      ROLE_SYSTEM_TOOLBAR,
      L"",
      L"",
      {{ROLE_SYSTEM_PUSHBUTTON, L"Atrás"},
       {ROLE_SYSTEM_PUSHBUTTON, L"Adelante"},
       {ROLE_SYSTEM_PUSHBUTTON, L"Recargar"},
       {ROLE_SYSTEM_GROUPING,
        L"",
        L"",
        {{ROLE_SYSTEM_TEXT, L"Barra de direcciones y de búsqueda", WithoutScheme(address)}}}}};
  AccessibleNode document{
      ROLE_SYSTEM_DOCUMENT, title, address, {Paragraph(texts), Link(L"Inicio")}};
  return {ROLE_SYSTEM_CLIENT,
          title + L" - Google Chrome",
          L"",
          {{ROLE_SYSTEM_GROUPING,
            L"",
            L"",
            {{ROLE_SYSTEM_PAGETABLIST, L"", L"", {{ROLE_SYSTEM_PAGETAB, title}}},
             toolbar,
             {ROLE_SYSTEM_GROUPING, L"", L"", {document}}}}}};
}

AccessibleNode FirefoxLikeTree(const std::wstring& title, const std::wstring& address,
                               const std::vector<std::wstring>& texts) {
  AccessibleNode toolbar{ROLE_SYSTEM_TOOLBAR,
                         L"Navegación",
                         L"",
                         {{ROLE_SYSTEM_PUSHBUTTON, L"Atrás"},
                          {ROLE_SYSTEM_PUSHBUTTON, L"Recargar"},
                          {ROLE_SYSTEM_COMBOBOX,
                           L"",
                           L"",
                           {{ROLE_SYSTEM_TEXT, L"Buscar con Google o introducir dirección",
                             WithoutScheme(address)}}}}};
  AccessibleNode document{
      ROLE_SYSTEM_DOCUMENT, title, address, {Paragraph(texts), Link(L"Inicio")}};
  return {ROLE_SYSTEM_APPLICATION,
          title + L" — Mozilla Firefox",
          L"",
          {{ROLE_SYSTEM_PAGETABLIST, L"", L"", {{ROLE_SYSTEM_PAGETAB, title}}},
           toolbar,
           {ROLE_SYSTEM_GROUPING, L"", L"", {{ROLE_SYSTEM_PROPERTYPAGE, L"", L"", {document}}}}}};
}

void ServeAccessibleTree(HWND window, AccessibleNode root, bool hang) {
  // Lives as long as the program.
  auto* served = new Served{std::move(root)};
  served->element = new Element(served->root, nullptr, hang);
  ::SetPropW(window, L"accessible", served);
  served->previous = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ServingProc)));
}

}  // namespace tevanor::helpers
