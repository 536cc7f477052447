#define CINTERFACE
#include "accessible_tree.h"

#include <oleacc.h>

#include "com_stub.h"

namespace tevanor::helpers {

namespace {

// One node as an IAccessible object of its own, holding its children's objects.
struct Element {
  const AccessibleNode* node;
  bool hang;                                // every call blocks for ever
  std::vector<IAccessible*> children = {};  // empty while it is copied into its object
  ~Element() {
    for (IAccessible* child : children) child->lpVtbl->Release(child);
  }
};

Element& Of(IAccessible* face) {
  Element& element = com::Self<Element>(face)->data;
  if (element.hang) ::Sleep(INFINITE);
  return element;
}

bool IsSelf(const VARIANT& child) {
  return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

HRESULT Text(const VARIANT& child, const std::wstring& text, BSTR* out) {
  *out = nullptr;
  if (!IsSelf(child)) return E_INVALIDARG;
  if (text.empty()) return S_FALSE;
  *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return S_OK;
}

// The tree's shape, roles, names and values; nothing else is served.
IAccessible* NewElement(const AccessibleNode& node, bool hang) {
  static const IAccessibleVtbl table = [] {
    auto t = com::StubTable<IAccessibleVtbl>();
    com::Unknown<Element, IAccessible, &IID_IAccessible>(t);
    t.get_accChildCount = [](IAccessible* self, long* count) {
      *count = static_cast<long>(Of(self).children.size());
      return S_OK;
    };
    t.get_accChild = [](IAccessible* self, VARIANT child, IDispatch** object) -> HRESULT {
      const auto& children = Of(self).children;
      *object = nullptr;
      if (child.vt != VT_I4 || child.lVal < 1 || child.lVal > static_cast<long>(children.size()))
        return E_INVALIDARG;
      IAccessible* found = children[static_cast<std::size_t>(child.lVal - 1)];
      found->lpVtbl->AddRef(found);
      *object = reinterpret_cast<IDispatch*>(found);
      return S_OK;
    };
    t.get_accName = [](IAccessible* self, VARIANT child, BSTR* name) {
      return Text(child, Of(self).node->name, name);
    };
    t.get_accValue = [](IAccessible* self, VARIANT child, BSTR* value) {
      return Text(child, Of(self).node->value, value);
    };
    t.get_accRole = [](IAccessible* self, VARIANT child, VARIANT* role) -> HRESULT {
      const long value = Of(self).node->role;
      if (!IsSelf(child)) return E_INVALIDARG;
      role->vt = VT_I4;
      role->lVal = value;
      return S_OK;
    };
    return t;
  }();
  IAccessible* element = com::New<IAccessible>(&table, Element{&node, hang});
  for (const AccessibleNode& child : node.children)
    com::Self<Element>(element)->data.children.push_back(NewElement(child, hang));
  return element;
}

struct Served {
  AccessibleNode root;
  IAccessible* element = nullptr;
  WNDPROC previous = nullptr;
};

LRESULT CALLBACK ServingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* served = reinterpret_cast<Served*>(::GetPropW(window, L"accessible"));
  if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT)
    return ::LresultFromObject(IID_IAccessible, wParam,
                               reinterpret_cast<IUnknown*>(served->element));
  return ::CallWindowProcW(served->previous, window, message, wParam, lParam);
}

}  // namespace

AccessibleNode BrowserTree(const std::wstring& title, const std::wstring& address,
                           const std::vector<std::wstring>& texts) {
  AccessibleNode paragraph{ROLE_SYSTEM_GROUPING};
  for (const std::wstring& text : texts)
    paragraph.children.push_back({ROLE_SYSTEM_STATICTEXT, text});
  const AccessibleNode link{
      ROLE_SYSTEM_LINK, L"Inicio", L"", {{ROLE_SYSTEM_STATICTEXT, L"Inicio"}}};
  // The address bar shows the address without its scheme, as those browsers do.
  const std::size_t scheme = address.find(L"://");
  const AccessibleNode addressBar{
      ROLE_SYSTEM_TEXT, L"Direcci\u00F3n",
      scheme == std::wstring::npos ? address : address.substr(scheme + 3)};
  const AccessibleNode toolbar{
      ROLE_SYSTEM_TOOLBAR,
      L"",
      L"",
      {{ROLE_SYSTEM_PUSHBUTTON, L"Atr\u00E1s"}, {ROLE_SYSTEM_COMBOBOX, L"", L"", {addressBar}}}};
  const AccessibleNode document{ROLE_SYSTEM_DOCUMENT, title, address, {paragraph, link}};
  return {ROLE_SYSTEM_CLIENT,
          title,
          L"",
          {{ROLE_SYSTEM_PAGETABLIST, L"", L"", {{ROLE_SYSTEM_PAGETAB, title}}},
           toolbar,
           {ROLE_SYSTEM_GROUPING, L"", L"", {{ROLE_SYSTEM_PROPERTYPAGE, L"", L"", {document}}}}}};
}

void ServeAccessibleTree(HWND window, AccessibleNode root, bool hang) {
  // Lives as long as the program.
  auto* served = new Served{std::move(root)};
  served->element = NewElement(served->root, hang);
  ::SetPropW(window, L"accessible", served);
  served->previous = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ServingProc)));
}

}  // namespace tevanor::helpers
