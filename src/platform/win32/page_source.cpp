#include "platform/win32/page_source.h"

#include <windows.h>
// Windows headers first: the browser's interfaces need the COM declarations.
#include <mshtml.h>

#include "platform/win32/com_ptr.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/window_handle.h"

namespace tevanor::win32 {

namespace {

constexpr UINT kDocumentRequestLimitMs = 1000;

// The type library of the browser's document interfaces, version 4.0.
constexpr GUID kDocumentTypeLibrary = {
    0x3050F1C5, 0x98B5, 0x11CF, {0xBB, 0x82, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x0B}};

using ObjectFromLresultFunction = HRESULT(WINAPI*)(LRESULT, REFIID, WPARAM, void**);

// COM on this thread and the accessibility library, for as long as anything obtained through
// them is alive.
class Apartment {
 public:
  Apartment() {
    const HRESULT result = ::CoInitialize(nullptr);
    comStarted_ = SUCCEEDED(result);  // S_FALSE too: every success is matched by an end
    // A thread that already runs COM in another model can still use it.
    comUsable_ = comStarted_ || result == RPC_E_CHANGED_MODE;
    library_.reset(::LoadLibraryW(L"OLEACC.DLL"));
  }
  ~Apartment() {
    library_.reset();
    if (comStarted_) ::CoUninitialize();
  }
  Apartment(const Apartment&) = delete;
  Apartment& operator=(const Apartment&) = delete;

  bool usable() const { return comUsable_ && library_; }
  ObjectFromLresultFunction ObjectFromLresult() const {
    return reinterpret_cast<ObjectFromLresultFunction>(
        reinterpret_cast<void*>(::GetProcAddress(library_.get(), "ObjectFromLresult")));
  }

 private:
  bool comStarted_ = false;
  bool comUsable_ = false;
  UniqueModule library_;
};

std::string Text(const UniqueBstr& text) {
  return Narrow(text.view());
}

class Document final : public PageDocument {
 public:
  Document(std::shared_ptr<Apartment> apartment, ComPtr<IHTMLDocument2> document)
      : apartment_(std::move(apartment)), document_(std::move(document)) {}

  std::string Address() override {
    UniqueBstr url;
    if (FAILED(document_->get_URL(url.Put()))) return {};
    return Text(url);
  }

  std::string ReadyState() override {
    UniqueBstr state;
    if (FAILED(document_->get_readyState(state.Put()))) return {};
    return Text(state);
  }

  std::string BodyText() override {
    ComPtr<IHTMLElement> body;
    UniqueBstr text;
    if (FAILED(document_->get_body(body.Put())) || !body || FAILED(body->get_innerText(text.Put())))
      return {};
    return Text(text);
  }

  std::optional<std::size_t> FrameCount() override {
    long length = 0;
    if (!Frames() || FAILED(frames_->get_length(&length)) || length < 0) return std::nullopt;
    return static_cast<std::size_t>(length);
  }

  std::unique_ptr<PageDocument> Frame(std::size_t index) override {
    if (!Frames()) return nullptr;
    VARIANT which;
    ::VariantInit(&which);
    which.vt = VT_UINT;
    which.uintVal = static_cast<UINT>(index);
    VARIANT item;
    ::VariantInit(&item);
    const HRESULT found = frames_->item(&which, &item);
    ComPtr<IHTMLWindow2> window;
    if (SUCCEEDED(found) && item.vt == VT_DISPATCH && item.pdispVal)
      item.pdispVal->QueryInterface(IID_IHTMLWindow2, window.PutVoid());
    ::VariantClear(&item);
    ComPtr<IHTMLDocument2> document;
    if (!window || FAILED(window->get_document(document.Put())) || !document) return nullptr;
    return std::make_unique<Document>(apartment_, std::move(document));
  }

 private:
  // The frame collection, fetched once.
  bool Frames() { return frames_ || (SUCCEEDED(document_->get_frames(frames_.Put())) && frames_); }

  // Members go in reverse order: the interfaces before the apartment that carries them.
  std::shared_ptr<Apartment> apartment_;
  ComPtr<IHTMLDocument2> document_;
  ComPtr<IHTMLFramesCollection2> frames_;
};

class Session final : public PageSession {
 public:
  explicit Session(std::shared_ptr<Apartment> apartment) : apartment_(std::move(apartment)) {}

  std::unique_ptr<PageDocument> DocumentOf(WindowHandle browserChild) override {
    const UINT request = ::RegisterWindowMessageW(L"WM_HTML_GETOBJECT");
    const auto objectFromLresult = apartment_->ObjectFromLresult();
    DWORD_PTR answer = 0;
    if (!request || !objectFromLresult ||
        !::SendMessageTimeoutW(ToHwnd(browserChild), request, 0, 0, SMTO_ABORTIFHUNG,
                               kDocumentRequestLimitMs, &answer))
      return nullptr;
    ComPtr<IHTMLDocument2> document;
    if (FAILED(objectFromLresult(static_cast<LRESULT>(answer), IID_IHTMLDocument2, 0,
                                 document.PutVoid())) ||
        !document)
      return nullptr;
    return std::make_unique<Document>(apartment_, std::move(document));
  }

 private:
  std::shared_ptr<Apartment> apartment_;
};

}  // namespace

struct Win32PageSource::TypeLibrary {
  ComPtr<ITypeLib> library;
};

Win32PageSource::Win32PageSource() : typeLibrary_(std::make_unique<TypeLibrary>()) {}
Win32PageSource::~Win32PageSource() = default;

std::unique_ptr<PageSession> Win32PageSource::BeginInspection() {
  if (!typeLibrary_->library)
    ::LoadRegTypeLib(kDocumentTypeLibrary, 4, 0, 0, typeLibrary_->library.Put());
  auto apartment = std::make_shared<Apartment>();
  if (!apartment->usable()) return nullptr;
  return std::make_unique<Session>(std::move(apartment));
}

}  // namespace tevanor::win32
