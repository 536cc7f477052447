#include "platform/win32/page_source.h"

#include <windows.h>
// Windows headers first: the browser's interfaces need the COM declarations.
#include <mshtml.h>

#include <algorithm>
#include <functional>
#include <map>

#include "platform/win32/call_thread.h"
#include "platform/win32/com_ptr.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/window_handle.h"

namespace tevanor::win32 {

namespace {

constexpr UINT kDocumentRequestLimitMs = 1000;
// Every call into a document waits at most as long as the document request, and all the calls
// of one inspection together at most kInspectionBudgetMs.
constexpr ULONGLONG kCallLimitMs = 1000;
constexpr ULONGLONG kInspectionBudgetMs = 2000;

// The type library of the browser's document interfaces, version 4.0.
constexpr GUID kDocumentTypeLibrary = {
    0x3050F1C5, 0x98B5, 0x11CF, {0xBB, 0x82, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x0B}};

using ObjectFromLresultFunction = HRESULT(WINAPI*)(LRESULT, REFIID, WPARAM, void**);

// One inspection's calls: made on the call thread, each within its limit and all within the
// inspection's budget. After one overran, every later call fails at once.
class Calls {
 public:
  explicit Calls(std::shared_ptr<CallThread> thread)
      : thread_(std::move(thread)), deadline_(::GetTickCount64() + kInspectionBudgetMs) {}

  template <typename Result>
  std::optional<Result> Make(std::function<Result()> call,
                             std::function<void(Result&)> unclaimed = nullptr) {
    const ULONGLONG now = ::GetTickCount64();
    if (overran_ || now >= deadline_) {
      overran_ = true;
      return std::nullopt;
    }
    auto result = thread_->Call<Result>(std::move(call),
                                        static_cast<DWORD>(std::min(kCallLimitMs, deadline_ - now)),
                                        std::move(unclaimed));
    overran_ = !result;
    return result;
  }

  // Interfaces are released on the call thread, after any call still running there.
  void Release(IUnknown* object) {
    if (object) thread_->Post([object] { object->Release(); });
  }

  bool overran() const { return overran_; }
  const std::shared_ptr<CallThread>& thread() const { return thread_; }

 private:
  std::shared_ptr<CallThread> thread_;
  ULONGLONG deadline_;
  bool overran_ = false;
};

// A document and its frame collection, as raw interfaces owned by this object and released
// through the call thread.
class Document final : public PageDocument {
 public:
  Document(std::shared_ptr<Calls> calls, IHTMLDocument2* document)
      : calls_(std::move(calls)), document_(document) {}
  ~Document() override {
    calls_->Release(frames_);
    calls_->Release(document_);
  }
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  std::string Address() override {
    return Text([document = document_] {
      UniqueBstr url;
      return SUCCEEDED(document->get_URL(url.Put())) ? NarrowBestFit(url.view()) : std::string();
    });
  }

  std::string ReadyState() override {
    return Text([document = document_] {
      UniqueBstr state;
      return SUCCEEDED(document->get_readyState(state.Put())) ? NarrowBestFit(state.view())
                                                              : std::string();
    });
  }

  std::string BodyText() override {
    return Text([document = document_] {
      ComPtr<IHTMLElement> body;
      UniqueBstr text;
      if (FAILED(document->get_body(body.Put())) || !body ||
          FAILED(body->get_innerText(text.Put())))
        return std::string();
      return NarrowBestFit(text.view());
    });
  }

  std::optional<std::size_t> FrameCount() override {
    if (!Frames()) return std::nullopt;
    const auto length = calls_->Make<long>([frames = frames_] {
      long length = -1;
      return SUCCEEDED(frames->get_length(&length)) ? length : -1;
    });
    if (!length || *length < 0) return std::nullopt;
    return static_cast<std::size_t>(*length);
  }

  std::unique_ptr<PageDocument> Frame(std::size_t index) override {
    if (!Frames()) return nullptr;
    const auto document = calls_->Make<IHTMLDocument2*>(
        [frames = frames_, index] {
          VARIANT which;
          ::VariantInit(&which);
          which.vt = VT_UINT;
          which.uintVal = static_cast<UINT>(index);
          UniqueVariant item;
          ComPtr<IHTMLWindow2> window;
          if (SUCCEEDED(frames->item(&which, item.Put())) && item.get().vt == VT_DISPATCH &&
              item.get().pdispVal)
            item.get().pdispVal->QueryInterface(IID_IHTMLWindow2, window.PutVoid());
          IHTMLDocument2* document = nullptr;
          if (window && FAILED(window->get_document(&document))) document = nullptr;
          return document;
        },
        ReleaseUnclaimed<IHTMLDocument2>);
    if (!document || !*document) return nullptr;
    return std::make_unique<Document>(calls_, *document);
  }

  const void* Identity() override {
    // COM's identity of an object is its IUnknown; this document holds it alive.
    const auto identity = calls_->Make<const void*>([document = document_]() -> const void* {
      IUnknown* unknown = nullptr;
      if (FAILED(document->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown))))
        return nullptr;
      unknown->Release();
      return unknown;
    });
    return identity.value_or(nullptr);
  }

 private:
  // Read and converted on the call thread, so that a page's text is copied once.
  std::string Text(std::function<std::string()> read) {
    return calls_->Make<std::string>(std::move(read)).value_or(std::string());
  }

  // The frame collection, fetched once.
  bool Frames() {
    if (frames_) return true;
    frames_ = calls_
                  ->Make<IHTMLFramesCollection2*>(
                      [document = document_] {
                        IHTMLFramesCollection2* frames = nullptr;
                        return SUCCEEDED(document->get_frames(&frames)) ? frames : nullptr;
                      },
                      ReleaseUnclaimed<IHTMLFramesCollection2>)
                  .value_or(nullptr);
    return frames_ != nullptr;
  }

  std::shared_ptr<Calls> calls_;
  IHTMLDocument2* document_;
  IHTMLFramesCollection2* frames_ = nullptr;
};

// Browser windows whose last inspection left its thread stuck in a call, with that thread.
using StuckPages = std::map<HWND, std::shared_ptr<CallThread>>;

class Session final : public PageSession {
 public:
  Session(std::shared_ptr<CallThread> thread, ObjectFromLresultFunction objectFromLresult,
          StuckPages& stuck)
      : calls_(std::make_shared<Calls>(std::move(thread))),
        objectFromLresult_(objectFromLresult),
        stuck_(stuck) {}
  ~Session() override {
    if (calls_->overran() && inspected_ != nullptr) stuck_[inspected_] = calls_->thread();
  }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  std::unique_ptr<PageDocument> DocumentOf(WindowHandle browserChild) override {
    // A page still holding a thread in a call is not asked again until that call returns:
    // every pass would leave one more thread behind, without end.
    std::erase_if(stuck_, [](const auto& page) { return !page.second->stuck(); });
    if (stuck_.contains(ToHwnd(browserChild))) return nullptr;
    inspected_ = ToHwnd(browserChild);
    const UINT request = ::RegisterWindowMessageW(L"WM_HTML_GETOBJECT");
    DWORD_PTR answer = 0;
    if (!request || !::SendMessageTimeoutW(ToHwnd(browserChild), request, 0, 0, SMTO_ABORTIFHUNG,
                                           kDocumentRequestLimitMs, &answer))
      return nullptr;
    const auto document = calls_->Make<IHTMLDocument2*>(
        [objectFromLresult = objectFromLresult_, answer] {
          IHTMLDocument2* document = nullptr;
          if (FAILED(objectFromLresult(static_cast<LRESULT>(answer), IID_IHTMLDocument2, 0,
                                       reinterpret_cast<void**>(&document))))
            document = nullptr;
          return document;
        },
        ReleaseUnclaimed<IHTMLDocument2>);
    if (!document || !*document) return nullptr;
    return std::make_unique<Document>(calls_, *document);
  }

  bool Overran() const override { return calls_->overran(); }

 private:
  std::shared_ptr<Calls> calls_;
  ObjectFromLresultFunction objectFromLresult_;
  StuckPages& stuck_;
  HWND inspected_ = nullptr;
};

}  // namespace

struct Win32PageSource::Resources {
  ComPtr<ITypeLib> typeLibrary;
  UniqueModule accessibility;
  std::shared_ptr<CallThread> thread;
  StuckPages stuck;
};

Win32PageSource::Win32PageSource() : resources_(std::make_unique<Resources>()) {}
Win32PageSource::~Win32PageSource() = default;

std::unique_ptr<PageSession> Win32PageSource::BeginInspection() {
  Resources& r = *resources_;
  if (!r.typeLibrary) ::LoadRegTypeLib(kDocumentTypeLibrary, 4, 0, 0, r.typeLibrary.Put());
  if (!r.accessibility) r.accessibility.reset(::LoadLibraryW(L"OLEACC.DLL"));
  const auto objectFromLresult = reinterpret_cast<ObjectFromLresultFunction>(
      reinterpret_cast<void*>(::GetProcAddress(r.accessibility.get(), "ObjectFromLresult")));
  if (!objectFromLresult) return nullptr;
  // A thread stuck in a call that overran is left behind; the next inspection gets a new one.
  if (!r.thread || r.thread->abandoned()) r.thread = std::make_shared<CallThread>();
  return std::make_unique<Session>(r.thread, objectFromLresult, r.stuck);
}

}  // namespace tevanor::win32
