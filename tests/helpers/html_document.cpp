// The document objects of the test browser, written against the C form of the browser's
// interfaces: each object is a table of functions in which every slot answers E_NOTIMPL
// except the few a page inspection calls. On x64 one calling convention serves every
// signature, so one function can fill every unused slot.
#define CINTERFACE
#include "html_document.h"

#include <mshtml.h>
#include <oleacc.h>

#include <algorithm>
#include <cstring>

namespace tevanor::helpers {

namespace {

HRESULT STDMETHODCALLTYPE NotImplemented() {
  return E_NOTIMPL;
}

// Keeps answering messages, and so incoming calls, without ever returning; ends the program
// when its window is closed.
[[noreturn]] void NeverReturn() {
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  ::ExitProcess(static_cast<UINT>(msg.wParam));
}

void MaybeNeverReturn(const HtmlPage* page, const wchar_t* call) {
  if (page->neverAnswers == call) NeverReturn();
}

template <typename Table>
Table StubTable() {
  Table table;
  auto* stub = &NotImplemented;
  static_assert(sizeof table % sizeof stub == 0);
  auto* bytes = reinterpret_cast<unsigned char*>(&table);
  for (std::size_t at = 0; at < sizeof table; at += sizeof stub)
    std::memcpy(bytes + at, &stub, sizeof stub);
  return table;
}

// One COM object: its interface (the table pointer) first, then its count and its page.
template <typename Interface>
struct Object {
  Interface face;
  LONG references;
  const HtmlPage* page;
};

template <typename Interface>
Object<Interface>* Self(Interface* face) {
  return reinterpret_cast<Object<Interface>*>(face);
}

template <typename Interface>
ULONG STDMETHODCALLTYPE AddRef(Interface* face) {
  return static_cast<ULONG>(::InterlockedIncrement(&Self(face)->references));
}

template <typename Interface>
ULONG STDMETHODCALLTYPE Release(Interface* face) {
  const LONG left = ::InterlockedDecrement(&Self(face)->references);
  if (left == 0) delete Self(face);
  return static_cast<ULONG>(left);
}

// Answers IUnknown, IDispatch and the interfaces in `ids`.
template <typename Interface, const IID*... ids>
HRESULT STDMETHODCALLTYPE QueryInterface(Interface* face, REFIID iid, void** out) {
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
      (IsEqualIID(iid, *ids) || ...)) {
    AddRef(face);
    *out = face;
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

template <typename Interface, typename Table>
Interface* New(const Table* table, const HtmlPage* page) {
  auto* object = new Object<Interface>{{}, 1, page};
  object->face.lpVtbl = const_cast<Table*>(table);
  return &object->face;
}

HRESULT Text(const std::wstring& text, BSTR* out) {
  *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

IHTMLDocument2* NewDocument(const HtmlPage* page);
IHTMLDocument2* DocumentOf(const HtmlPage* page);

// The body element: its inner text.
IHTMLElement* NewBody(const HtmlPage* page) {
  static const IHTMLElementVtbl table = [] {
    auto t = StubTable<IHTMLElementVtbl>();
    t.QueryInterface = QueryInterface<IHTMLElement, &IID_IHTMLElement>;
    t.AddRef = AddRef<IHTMLElement>;
    t.Release = Release<IHTMLElement>;
    t.get_innerText = [](IHTMLElement* self, BSTR* text) {
      MaybeNeverReturn(Self(self)->page, L"innerText");
      return Text(Self(self)->page->bodyText, text);
    };
    return t;
  }();
  return New<IHTMLElement>(&table, page);
}

// The window of a frame: its document.
IHTMLWindow2* NewWindow(const HtmlPage* page) {
  static const IHTMLWindow2Vtbl table = [] {
    auto t = StubTable<IHTMLWindow2Vtbl>();
    t.QueryInterface = QueryInterface<IHTMLWindow2, &IID_IHTMLWindow2>;
    t.AddRef = AddRef<IHTMLWindow2>;
    t.Release = Release<IHTMLWindow2>;
    t.get_document = [](IHTMLWindow2* self, IHTMLDocument2** document) -> HRESULT {
      *document = nullptr;
      if (Self(self)->page->denied) return E_ACCESSDENIED;
      *document = DocumentOf(Self(self)->page);
      return S_OK;
    };
    return t;
  }();
  return New<IHTMLWindow2>(&table, page);
}

// The frames of a document: their number and each frame's window by index.
IHTMLFramesCollection2* NewFrames(const HtmlPage* page) {
  static const IHTMLFramesCollection2Vtbl table = [] {
    auto t = StubTable<IHTMLFramesCollection2Vtbl>();
    t.QueryInterface = QueryInterface<IHTMLFramesCollection2, &IID_IHTMLFramesCollection2>;
    t.AddRef = AddRef<IHTMLFramesCollection2>;
    t.Release = Release<IHTMLFramesCollection2>;
    t.get_length = [](IHTMLFramesCollection2* self, long* length) {
      const HtmlPage* page = Self(self)->page;
      *length = std::max(static_cast<long>(page->frames.size()), page->claimedFrames);
      return S_OK;
    };
    t.item = [](IHTMLFramesCollection2* self, VARIANT* which, VARIANT* result) -> HRESULT {
      VARIANT index;
      ::VariantInit(&index);
      if (FAILED(::VariantChangeType(&index, which, 0, VT_I4))) return E_INVALIDARG;
      const HtmlPage* page = Self(self)->page;
      MaybeNeverReturn(page, L"item");
      const auto& frames = page->frames;
      if (index.lVal < 0 ||
          index.lVal >= std::max(static_cast<long>(frames.size()), page->claimedFrames))
        return E_INVALIDARG;
      // Past the real frames, every frame shows this page again.
      const HtmlPage* frame =
          static_cast<std::size_t>(index.lVal) < frames.size() ? &frames[index.lVal] : page;
      ::VariantInit(result);
      result->vt = VT_DISPATCH;
      result->pdispVal = reinterpret_cast<IDispatch*>(NewWindow(frame));
      return S_OK;
    };
    return t;
  }();
  return New<IHTMLFramesCollection2>(&table, page);
}

IHTMLDocument2* NewDocument(const HtmlPage* page) {
  static const IHTMLDocument2Vtbl table = [] {
    auto t = StubTable<IHTMLDocument2Vtbl>();
    t.QueryInterface = QueryInterface<IHTMLDocument2, &IID_IHTMLDocument2, &IID_IHTMLDocument>;
    t.AddRef = AddRef<IHTMLDocument2>;
    t.Release = Release<IHTMLDocument2>;
    t.get_URL = [](IHTMLDocument2* self, BSTR* url) {
      MaybeNeverReturn(Self(self)->page, L"URL");
      return Text(Self(self)->page->url, url);
    };
    t.get_readyState = [](IHTMLDocument2* self, BSTR* state) {
      MaybeNeverReturn(Self(self)->page, L"readyState");
      return Text(Self(self)->page->readyState, state);
    };
    t.get_body = [](IHTMLDocument2* self, IHTMLElement** body) {
      MaybeNeverReturn(Self(self)->page, L"body");
      *body = NewBody(Self(self)->page);
      return S_OK;
    };
    t.get_frames = [](IHTMLDocument2* self, IHTMLFramesCollection2** frames) {
      MaybeNeverReturn(Self(self)->page, L"frames");
      *frames = NewFrames(Self(self)->page);
      return S_OK;
    };
    return t;
  }();
  return New<IHTMLDocument2>(&table, page);
}

// The page's one document object, made at the first request and kept for the program's life,
// so that every frame that shows the page again is the same object.
IHTMLDocument2* DocumentOf(const HtmlPage* page) {
  if (!page->document) page->document = NewDocument(page);
  auto* document = static_cast<IHTMLDocument2*>(page->document);
  document->lpVtbl->AddRef(document);
  return document;
}

LRESULT CALLBACK BrowserWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  static const UINT request = ::RegisterWindowMessageW(L"WM_HTML_GETOBJECT");
  const auto* page = reinterpret_cast<const HtmlPage*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message != request || !page) return ::DefWindowProcW(window, message, wParam, lParam);
  IHTMLDocument2* document = DocumentOf(page);
  const LRESULT answer =
      ::LresultFromObject(IID_IHTMLDocument2, wParam, reinterpret_cast<IUnknown*>(document));
  document->lpVtbl->Release(document);
  return answer;
}

}  // namespace

HWND CreateBrowserWindow(HWND parent, const HtmlPage* page) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = BrowserWindow;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"Internet Explorer_Server";
  ::RegisterClassW(&windowClass);  // fails harmlessly when the class is already there
  HWND window = ::CreateWindowExW(0, windowClass.lpszClassName, L"", WS_CHILD | WS_VISIBLE, 0, 0,
                                  380, 260, parent, nullptr, windowClass.hInstance, nullptr);
  ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(page));
  return window;
}

}  // namespace tevanor::helpers
