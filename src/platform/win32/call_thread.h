#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

namespace tevanor::win32 {

// A thread that makes calls into other programs' objects on behalf of the guardian's thread,
// which waits for each only until its limit. It lives in COM's multithreaded apartment, or in a
// single-threaded apartment of its own, whose objects no other thread's stuck call can reach. A
// document that never answers keeps this thread, never the guardian's: once a call overruns, the
// thread is abandoned. It ends, releasing what it was given to release, whenever that call returns.
class CallThread {
 public:
  enum class Apartment { kMultithreaded, kOwn };
  explicit CallThread(Apartment apartment = Apartment::kMultithreaded);
  // Lets the thread end once its queued work is done; does not wait for it.
  ~CallThread();
  CallThread(const CallThread&) = delete;
  CallThread& operator=(const CallThread&) = delete;

  // Runs `call` on the thread; nullopt when it has not returned within `limitMs`, or the
  // thread was abandoned before. The call must own (or outlive through queued releases)
  // everything it touches, since it may run on after the caller stopped waiting. A result that
  // comes once nobody waits goes to `unclaimed`, on the thread, to release what it holds.
  template <typename Result>
  std::optional<Result> Call(std::function<Result()> call, DWORD limitMs,
                             std::function<void(Result&)> unclaimed = nullptr) {
    auto result = std::make_shared<std::optional<Result>>();
    std::function<void()> late;
    if (unclaimed)
      late = [result, unclaimed = std::move(unclaimed)] {
        if (*result) unclaimed(**result);
      };
    if (!Run([result, call = std::move(call)] { *result = call(); }, limitMs, std::move(late)))
      return std::nullopt;
    return std::move(*result);
  }
  // Queues `work` (a release) without waiting for it.
  void Post(std::function<void()> work);
  // True once a call overran: everything asked of the thread afterwards fails at once.
  bool abandoned() const { return overran_ != nullptr; }
  // True while the call that overran has not returned.
  bool stuck() const;

 private:
  bool Run(std::function<void()> work, DWORD limitMs, std::function<void()> unclaimed);

  struct Queue;
  struct Done;
  std::shared_ptr<Queue> queue_;
  std::shared_ptr<Done> overran_;  // the call that overran
};

}  // namespace tevanor::win32
