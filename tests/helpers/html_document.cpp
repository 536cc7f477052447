// The document objects of the test browser.
#define CINTERFACE
#include "html_document.h"

#include <mshtml.h>
#include <oleacc.h>

#include "com_stub.h"

namespace tevanor::helpers {

namespace {

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

using Page = const HtmlPage*;
using com::New;
using com::StubTable;

template <typename Interface>
Page PageOf(Interface* face) {
  return com::Self<Page>(face)->data;
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
    com::Unknown<Page, IHTMLElement, &IID_IHTMLElement>(t);
    t.get_innerText = [](IHTMLElement* self, BSTR* text) {
      return Text(PageOf(self)->bodyText, text);
    };
    return t;
  }();
  return New<IHTMLElement>(&table, page);
}

// The window of a frame: its document.
IHTMLWindow2* NewWindow(const HtmlPage* page) {
  static const IHTMLWindow2Vtbl table = [] {
    auto t = StubTable<IHTMLWindow2Vtbl>();
    com::Unknown<Page, IHTMLWindow2, &IID_IHTMLWindow2>(t);
    t.get_document = [](IHTMLWindow2* self, IHTMLDocument2** document) -> HRESULT {
      *document = nullptr;
      if (PageOf(self)->denied) return E_ACCESSDENIED;
      *document = DocumentOf(PageOf(self));
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
    com::Unknown<Page, IHTMLFramesCollection2, &IID_IHTMLFramesCollection2>(t);
    t.get_length = [](IHTMLFramesCollection2* self, long* length) {
      *length = static_cast<long>(PageOf(self)->frames.size());
      return S_OK;
    };
    t.item = [](IHTMLFramesCollection2* self, VARIANT* which, VARIANT* result) -> HRESULT {
      VARIANT index;
      ::VariantInit(&index);
      if (FAILED(::VariantChangeType(&index, which, 0, VT_I4))) return E_INVALIDARG;
      const HtmlPage* page = PageOf(self);
      MaybeNeverReturn(page, L"item");
      if (index.lVal < 0 || index.lVal >= static_cast<long>(page->frames.size()))
        return E_INVALIDARG;
      ::VariantInit(result);
      result->vt = VT_DISPATCH;
      result->pdispVal = reinterpret_cast<IDispatch*>(NewWindow(&page->frames[index.lVal]));
      return S_OK;
    };
    return t;
  }();
  return New<IHTMLFramesCollection2>(&table, page);
}

IHTMLDocument2* NewDocument(const HtmlPage* page) {
  static const IHTMLDocument2Vtbl table = [] {
    auto t = StubTable<IHTMLDocument2Vtbl>();
    com::Unknown<Page, IHTMLDocument2, &IID_IHTMLDocument2, &IID_IHTMLDocument>(t);
    t.get_URL = [](IHTMLDocument2* self, BSTR* url) {
      MaybeNeverReturn(PageOf(self), L"URL");
      return Text(PageOf(self)->url, url);
    };
    t.get_readyState = [](IHTMLDocument2* self, BSTR* state) {
      return Text(PageOf(self)->readyState, state);
    };
    t.get_body = [](IHTMLDocument2* self, IHTMLElement** body) {
      *body = NewBody(PageOf(self));
      return S_OK;
    };
    t.get_frames = [](IHTMLDocument2* self, IHTMLFramesCollection2** frames) {
      *frames = NewFrames(PageOf(self));
      return S_OK;
    };
    return t;
  }();
  return New<IHTMLDocument2>(&table, page);
}

// The page's one document object, made at the first request and kept for the program's life.
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
