#include "platform/win32/browser_site.h"

#include <exdisp.h>
#include <exdispid.h>

namespace tevanor::win32 {

namespace {

// Lets a navigation or a new window go ahead: the event's first argument is its Cancel flag.
void Allow(const DISPPARAMS* params) {
  if (params == nullptr || params->cArgs == 0) return;
  const VARIANT& cancel = params->rgvarg[0];
  if (cancel.vt == (VT_BYREF | VT_BOOL) && cancel.pboolVal != nullptr)
    *cancel.pboolVal = VARIANT_FALSE;
}

}  // namespace

HRESULT BrowserSite::QueryInterface(REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IOleClientSite)
    *out = static_cast<IOleClientSite*>(this);
  else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite)
    *out = static_cast<IOleInPlaceSite*>(this);
  else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame)
    *out = static_cast<IOleInPlaceFrame*>(this);
  else if (iid == IID_IDispatch || iid == DIID_DWebBrowserEvents2)
    *out = static_cast<IDispatch*>(this);
  else {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG BrowserSite::AddRef() {
  return ++references_;
}

ULONG BrowserSite::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT BrowserSite::GetMoniker(DWORD, DWORD, IMoniker** out) {
  if (out != nullptr) *out = nullptr;
  return E_NOTIMPL;
}

HRESULT BrowserSite::GetContainer(IOleContainer** out) {
  if (out != nullptr) *out = nullptr;
  return E_NOINTERFACE;
}

HRESULT BrowserSite::GetWindow(HWND* out) {
  if (out == nullptr) return E_POINTER;
  *out = window_;
  return S_OK;
}

HRESULT BrowserSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc,
                                      LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
  if (frame == nullptr || doc == nullptr || position == nullptr || clip == nullptr ||
      info == nullptr)
    return E_POINTER;
  *frame = static_cast<IOleInPlaceFrame*>(this);
  AddRef();
  *doc = nullptr;
  ::GetClientRect(window_, position);
  *clip = *position;
  info->fMDIApp = FALSE;
  info->hwndFrame = ::GetAncestor(window_, GA_ROOT);
  info->haccel = nullptr;
  info->cAccelEntries = 0;
  return S_OK;
}

HRESULT BrowserSite::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT BrowserSite::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                            UINT*) {
  switch (id) {
    case DISPID_BEFORENAVIGATE2:
    case DISPID_NEWWINDOW2:
      Allow(params);
      break;
    case DISPID_NAVIGATECOMPLETE2:
      if (events_ != nullptr) {
        // The handler may release the view, and with it our last outside reference.
        AddRef();
        events_->OnNavigateComplete();
        Release();
      }
      break;
    default:
      break;
  }
  return S_OK;
}

}  // namespace tevanor::win32
