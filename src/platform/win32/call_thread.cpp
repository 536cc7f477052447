#include "platform/win32/call_thread.h"

#include <objbase.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace tevanor::win32 {

// Shared by the caller and the thread, so that an abandoned thread still has it.
struct CallThread::Queue {
  std::mutex mutex;
  std::condition_variable changed;
  std::deque<std::function<void()>> work;
  bool closing = false;

  void Serve(Apartment apartment) {
    const HRESULT com = ::CoInitializeEx(
        nullptr, apartment == Apartment::kOwn ? COINIT_APARTMENTTHREADED : COINIT_MULTITHREADED);
    for (;;) {
      std::function<void()> next;
      {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return closing || !work.empty(); });
        if (work.empty()) break;
        next = std::move(work.front());
        work.pop_front();
      }
      next();
    }
    if (SUCCEEDED(com)) ::CoUninitialize();
  }

  void Add(std::function<void()> next) {
    {
      const std::lock_guard lock(mutex);
      work.push_back(std::move(next));
    }
    changed.notify_all();
  }
};

CallThread::CallThread(Apartment apartment) : queue_(std::make_shared<Queue>()) {
  std::thread([queue = queue_, apartment] { queue->Serve(apartment); }).detach();
}

CallThread::~CallThread() {
  {
    const std::lock_guard lock(queue_->mutex);
    queue_->closing = true;
  }
  queue_->changed.notify_all();
}

// One call's completion, which the caller may stop waiting for.
struct CallThread::Done {
  std::mutex mutex;
  std::condition_variable signal;
  bool done = false;
  bool givenUp = false;  // the caller stopped waiting
};

bool CallThread::stuck() const {
  if (!overran_) return false;
  const std::lock_guard lock(overran_->mutex);
  return !overran_->done;
}

void CallThread::Post(std::function<void()> work) {
  queue_->Add(std::move(work));
}

bool CallThread::Run(std::function<void()> work, DWORD limitMs, std::function<void()> unclaimed) {
  if (abandoned()) return false;
  auto done = std::make_shared<Done>();
  queue_->Add([done, work = std::move(work), unclaimed = std::move(unclaimed)] {
    work();
    bool late = false;
    {
      const std::lock_guard lock(done->mutex);
      done->done = true;
      late = done->givenUp;
    }
    done->signal.notify_all();
    if (late && unclaimed) unclaimed();
  });
  std::unique_lock lock(done->mutex);
  if (done->signal.wait_for(lock, std::chrono::milliseconds(limitMs), [&] { return done->done; }))
    return true;
  done->givenUp = true;
  overran_ = done;
  return false;
}

}  // namespace tevanor::win32
