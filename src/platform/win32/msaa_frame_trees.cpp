#include "platform/win32/msaa_frame_trees.h"

#include <windows.h>
// Windows headers first: the accessibility interfaces need the COM declarations.
#include <oleacc.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/win32/call_thread.h"
#include "platform/win32/com_ptr.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/window_handle.h"

namespace tevanor::win32 {

namespace {

// At most this many children of one element are read in one call, and for at most
// kChildrenWorkMs: reading a child takes three or four calls into the other program, each a
// couple of milliseconds under Wine, and the whole call must stay well within its limit.
constexpr long kChildrenPerCall = 500;
constexpr ULONGLONG kChildrenWorkMs = 300;

ElementRole RoleOf(const VARIANT& role) {
  if (role.vt != VT_I4) return ElementRole::kOther;  // a role given by name is none of ours
  switch (role.lVal) {
    case ROLE_SYSTEM_TOOLBAR:
      return ElementRole::kToolbar;
    case ROLE_SYSTEM_DOCUMENT:
      return ElementRole::kDocument;
    case ROLE_SYSTEM_TEXT:
      return ElementRole::kEditableText;
    case ROLE_SYSTEM_STATICTEXT:
      return ElementRole::kStaticText;
    default:
      return ElementRole::kOther;
  }
}

// The text the guardian reads of an element of `role` (`child` of `object`): a static text's
// name, an editable text's or a document's value. nullopt when the call failed.
std::optional<std::string> TextOf(IAccessible* object, const VARIANT& child, ElementRole role) {
  if (role != ElementRole::kStaticText && role != ElementRole::kEditableText &&
      role != ElementRole::kDocument)
    return std::string();
  UniqueBstr text;
  const HRESULT result = role == ElementRole::kStaticText ? object->get_accName(child, text.Put())
                                                          : object->get_accValue(child, text.Put());
  if (FAILED(result)) return std::nullopt;
  return NarrowBestFit(text.view());
}

VARIANT Self() {
  VARIANT self;
  ::VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  return self;
}

// A child as read on the call thread; `object` is a new reference, or null.
struct RawChild {
  ElementRole role = ElementRole::kOther;
  std::string text;
  IAccessible* object = nullptr;
};

}  // namespace

// The call thread and the frames whose calls overran, shared with every element handed out.
// Each frame's call thread, in an apartment of its own: the objects of one frame are used on
// its thread only, so that a call stuck in one browser holds up no other (under Wine, calls
// from the shared multithreaded apartment overran once one of them was stuck), and the frames
// whose calls overran, with the threads stuck in them.
struct MsaaFrameTrees::Calls {
  std::map<HWND, std::weak_ptr<CallThread>> threads;  // while the frame's elements live
  std::map<HWND, std::shared_ptr<CallThread>> stuck;

  // The thread for a new root of `frame`.
  std::shared_ptr<CallThread> ThreadFor(HWND frame) {
    std::erase_if(threads, [](const auto& entry) { return entry.second.expired(); });
    std::shared_ptr<CallThread> thread = threads[frame].lock();
    if (!thread || thread->abandoned()) {
      thread = std::make_shared<CallThread>(CallThread::Apartment::kOwn);
      threads[frame] = thread;
    }
    return thread;
  }

  // Runs `call` for `frame` on `thread`; nullopt when it overran (the frame then hangs until
  // the call returns), or when the thread was left behind in an earlier call.
  template <typename Result>
  std::optional<Result> Make(HWND frame, const std::shared_ptr<CallThread>& thread,
                             std::function<Result()> call,
                             std::function<void(Result&)> unclaimed = nullptr) {
    if (Hangs(frame) || thread->abandoned()) return std::nullopt;
    auto result = thread->Call<Result>(std::move(call), kCallLimitMs, std::move(unclaimed));
    if (!result) stuck[frame] = thread;
    return result;
  }

  bool Hangs(HWND frame) {
    std::erase_if(stuck, [](const auto& call) { return !call.second->stuck(); });
    return stuck.contains(frame);
  }
};

namespace {

class MsaaElement final : public FrameElement {
 public:
  MsaaElement(std::shared_ptr<MsaaFrameTrees::Calls> calls, HWND frame,
              std::shared_ptr<CallThread> thread, IAccessible* object, ElementRole role)
      : calls_(std::move(calls)),
        frame_(frame),
        thread_(std::move(thread)),
        object_(object),
        role_(role) {}
  // Released on the thread it belongs to, behind any call still running there.
  ~MsaaElement() override {
    thread_->Post([object = object_] { object->Release(); });
  }
  MsaaElement(const MsaaElement&) = delete;
  MsaaElement& operator=(const MsaaElement&) = delete;

  std::vector<FrameChild> Children() override {
    const auto raw = calls_->Make<std::vector<RawChild>>(
        frame_, thread_,
        [object = object_] {
          std::vector<RawChild> children;
          long count = 0;
          if (FAILED(object->get_accChildCount(&count)) || count <= 0) return children;
          count = std::min(count, kChildrenPerCall);
          // Child by child rather than with AccessibleChildren, so that the reading stops in time.
          const ULONGLONG until = ::GetTickCount64() + kChildrenWorkMs;
          for (long i = 1; i <= count && ::GetTickCount64() < until; ++i) {
            VARIANT which;
            ::VariantInit(&which);
            which.vt = VT_I4;
            which.lVal = i;
            RawChild child;
            IAccessible* owner = object;
            ComPtr<IDispatch> dispatch;
            const HRESULT got = object->get_accChild(which, dispatch.Put());
            if (FAILED(got)) continue;
            if (got == S_OK && dispatch) {
              // A child with an object of its own.
              if (FAILED(dispatch->QueryInterface(IID_IAccessible,
                                                  reinterpret_cast<void**>(&child.object))))
                continue;
              owner = child.object;
              which = Self();
            }
            UniqueVariant role;
            if (SUCCEEDED(owner->get_accRole(which, role.Put()))) child.role = RoleOf(role.get());
            child.text = TextOf(owner, which, child.role).value_or(std::string());
            children.push_back(std::move(child));
          }
          return children;
        },
        [](std::vector<RawChild>& late) {
          for (RawChild& child : late) ReleaseUnclaimed(child.object);
        });
    std::vector<FrameChild> children;
    if (!raw) return children;
    for (const RawChild& child : *raw)
      children.push_back({child.role, child.text,
                          child.object ? std::make_unique<MsaaElement>(calls_, frame_, thread_,
                                                                       child.object, child.role)
                                       : nullptr});
    return children;
  }

  std::optional<std::string> Text() override {
    const auto text = calls_->Make<std::optional<std::string>>(
        frame_, thread_, [object = object_, role = role_] { return TextOf(object, Self(), role); });
    return text ? *text : std::nullopt;
  }

 private:
  std::shared_ptr<MsaaFrameTrees::Calls> calls_;
  HWND frame_;
  std::shared_ptr<CallThread> thread_;
  IAccessible* object_;
  ElementRole role_;
};

}  // namespace

MsaaFrameTrees::MsaaFrameTrees() : calls_(std::make_shared<Calls>()) {}
MsaaFrameTrees::~MsaaFrameTrees() = default;

std::unique_ptr<FrameElement> MsaaFrameTrees::RootOf(WindowHandle frame) {
  const HWND window = ToHwnd(frame);
  if (calls_->Hangs(window)) return nullptr;
  DWORD_PTR answer = 0;
  if (!::SendMessageTimeoutW(window, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT),
                             SMTO_ABORTIFHUNG, kCallLimitMs, &answer) ||
      answer == 0)
    return nullptr;
  std::shared_ptr<CallThread> thread = calls_->ThreadFor(window);
  const auto root = calls_->Make<IAccessible*>(
      window, thread,
      [answer] {
        IAccessible* object = nullptr;
        if (FAILED(::ObjectFromLresult(static_cast<LRESULT>(answer), IID_IAccessible, 0,
                                       reinterpret_cast<void**>(&object))))
          object = nullptr;
        return object;
      },
      ReleaseUnclaimed<IAccessible>);
  if (!root || !*root) return nullptr;
  return std::make_unique<MsaaElement>(calls_, window, std::move(thread), *root,
                                       ElementRole::kOther);
}

bool MsaaFrameTrees::Hangs(WindowHandle frame) {
  return calls_->Hangs(ToHwnd(frame));
}

}  // namespace tevanor::win32
