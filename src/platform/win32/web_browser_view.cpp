#include "platform/win32/web_browser_view.h"

// clang-format off
#include <windows.h>
#include <exdisp.h>
#include <mshtml.h>
// clang-format on

#include <algorithm>

#include "platform/win32/browser_site.h"
#include "platform/win32/com_ptr.h"
#include "platform/win32/framework/win32_dialog_host.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_text.h"

namespace tevanor::win32 {

namespace {

constexpr wchar_t kViewClass[] = L"TevanorPageView";
// A page from outside is capped in what we read of it.
constexpr long kMaxMetaElements = 256;

bool RegisterViewClass(HINSTANCE instance) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (::GetClassInfoExW(instance, kViewClass, &existing)) return true;
  WNDCLASSEXW view{};
  view.cbSize = sizeof view;
  view.style = CS_HREDRAW | CS_VREDRAW;
  view.lpfnWndProc = ::DefWindowProcW;
  view.hInstance = instance;
  view.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  view.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  view.lpszClassName = kViewClass;
  return ::RegisterClassExW(&view) != 0;
}

template <typename Interface>
ComPtr<Interface> Query(IUnknown* from, REFIID iid) {
  ComPtr<Interface> result;
  if (from == nullptr || FAILED(from->QueryInterface(iid, result.PutVoid()))) result.Reset();
  return result;
}

class WebBrowserView final : public PageView {
 public:
  WebBrowserView(UniqueWindow window, PageViewEvents& events) : window_(std::move(window)) {
    *site_.Put() = new BrowserSite(window_.get(), events);
  }
  ~WebBrowserView() override;

  // Creates the control, activates it in place in the whole view and connects its events.
  bool Start();

  void Navigate(std::string_view address) override;
  void Layout(int x, int y, int width, int height) override;
  std::optional<std::vector<MetaAttributes>> MetaElements(
      std::span<const std::string_view> names) override;

 private:
  // Windows go after the COM objects that live in them: declared first, destroyed last.
  UniqueWindow window_;
  ComPtr<BrowserSite> site_;
  ComPtr<IOleObject> control_;
  ComPtr<IWebBrowser2> browser_;
  ComPtr<IConnectionPoint> events_;
  DWORD cookie_ = 0;
};

bool WebBrowserView::Start() {
  if (FAILED(::CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                control_.PutVoid())))
    return false;
  IOleClientSite* site = site_.get();
  if (FAILED(control_->SetClientSite(site))) return false;
  RECT area{};
  ::GetClientRect(window_.get(), &area);
  if (FAILED(control_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site, 0, window_.get(), &area)))
    return false;
  browser_ = Query<IWebBrowser2>(control_.get(), IID_IWebBrowser2);
  if (!browser_) return false;
  // The browser's own window carries the control id its container gives it.
  if (auto inPlace = Query<IOleInPlaceObject>(control_.get(), IID_IOleInPlaceObject)) {
    HWND own = nullptr;
    if (SUCCEEDED(inPlace->GetWindow(&own)) && own != nullptr)
      ::SetWindowLongPtrW(own, GWLP_ID, WebBrowserViewFactory::kBrowserControlId);
  }
  // Without events the notice would never learn of a page; it then ends as a hidden one.
  if (auto points = Query<IConnectionPointContainer>(browser_.get(), IID_IConnectionPointContainer);
      points && SUCCEEDED(points->FindConnectionPoint(DIID_DWebBrowserEvents2, events_.Put()))) {
    if (FAILED(events_->Advise(static_cast<IDispatch*>(site_.get()), &cookie_))) events_.Reset();
  }
  return true;
}

WebBrowserView::~WebBrowserView() {
  site_->Detach();
  if (events_ && cookie_ != 0) events_->Unadvise(cookie_);
  events_.Reset();
  browser_.Reset();
  if (control_) {
    control_->Close(OLECLOSE_NOSAVE);
    control_->SetClientSite(nullptr);
  }
}

void WebBrowserView::Navigate(std::string_view address) {
  UniqueBstr url(Wide(address));
  UniqueVariant none;
  VARIANT* empty = none.Put();
  browser_->Navigate(url.get(), empty, empty, empty, empty);
}

void WebBrowserView::Layout(int x, int y, int width, int height) {
  ::MoveWindow(window_.get(), x, y, width, height, TRUE);
  if (auto inPlace = Query<IOleInPlaceObject>(control_.get(), IID_IOleInPlaceObject)) {
    const RECT area{0, 0, width, height};
    inPlace->SetObjectRects(&area, &area);
  }
}

std::optional<std::vector<MetaAttributes>> WebBrowserView::MetaElements(
    std::span<const std::string_view> names) {
  ComPtr<IDispatch> documentObject;
  if (FAILED(browser_->get_Document(documentObject.Put())) || !documentObject) return std::nullopt;
  auto document = Query<IHTMLDocument2>(documentObject.get(), IID_IHTMLDocument2);
  ComPtr<IHTMLElementCollection> all;
  if (!document || FAILED(document->get_all(all.Put())) || !all) return std::nullopt;
  UniqueBstr tagName(L"META");
  VARIANT tag;
  tag.vt = VT_BSTR;
  tag.bstrVal = tagName.get();
  ComPtr<IDispatch> metaObject;
  if (FAILED(all->tags(tag, metaObject.Put()))) return std::nullopt;
  auto metas = Query<IHTMLElementCollection>(metaObject.get(), IID_IHTMLElementCollection);
  long count = 0;
  if (!metas || FAILED(metas->get_length(&count))) return std::nullopt;

  std::vector<MetaAttributes> result;
  for (long i = 0; i < std::min(count, kMaxMetaElements); ++i) {
    VARIANT index;
    index.vt = VT_I4;
    index.lVal = i;
    VARIANT first;
    first.vt = VT_I4;
    first.lVal = 0;
    ComPtr<IDispatch> item;
    MetaAttributes& meta = result.emplace_back();
    if (FAILED(metas->item(index, first, item.Put()))) continue;
    auto element = Query<IHTMLElement>(item.get(), IID_IHTMLElement);
    if (!element) continue;
    for (std::string_view name : names) {
      UniqueBstr attribute(Wide(name));
      UniqueVariant value;
      if (SUCCEEDED(element->getAttribute(attribute.get(), 0, value.Put())) &&
          value.get().vt == VT_BSTR && value.get().bstrVal != nullptr)
        meta.emplace(std::string(name),
                     Narrow({value.get().bstrVal, ::SysStringLen(value.get().bstrVal)}));
    }
  }
  return result;
}

}  // namespace

WebBrowserViewFactory::WebBrowserViewFactory() : oleReady_(SUCCEEDED(::OleInitialize(nullptr))) {}

WebBrowserViewFactory::~WebBrowserViewFactory() {
  if (oleReady_) ::OleUninitialize();
}

std::unique_ptr<PageView> WebBrowserViewFactory::CreateInPlaceOf(Dialog& container, int controlId,
                                                                 PageViewEvents& events) {
  HWND parent = Win32DialogHost::WindowOf(container);
  HWND placeholder = ::GetDlgItem(parent, controlId);
  if (placeholder == nullptr) return nullptr;
  RECT place{};
  ::GetWindowRect(placeholder, &place);
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
  ::DestroyWindow(placeholder);

  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  if (!oleReady_ || !RegisterViewClass(instance)) return nullptr;
  UniqueWindow window(::CreateWindowExW(
      0, kViewClass, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, place.left, place.top,
      place.right - place.left, place.bottom - place.top, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), instance, nullptr));
  if (!window) return nullptr;
  auto view = std::make_unique<WebBrowserView>(std::move(window), events);
  if (!view->Start()) return nullptr;
  return view;
}

}  // namespace tevanor::win32
