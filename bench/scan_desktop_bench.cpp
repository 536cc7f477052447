// One scan pass over a desktop of 300 top-level windows with 10 descendants each, and the heap
// allocations it makes per visited window.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

#include "fakes/fake_ports.h"
#include "fakes/fake_profile.h"
#include "fakes/fake_timers.h"
#include "guardian/scan_cycle.h"

namespace {

std::atomic<long> allocations{0};

}  // namespace

// Counting replacement of the global allocation functions; GCC cannot see that the pair
// matches and warns about free() on memory from operator new.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}

namespace tevanor {
namespace {

// A fixed desktop whose walk allocates nothing, so that the counter below sees only the scan.
class FixedDesktop final : public WindowSource {
 public:
  WindowHandle Add(WindowHandle parent) {
    children_.emplace_back();
    const auto window = static_cast<WindowHandle>(children_.size());
    if (parent == kNoWindow)
      tops_.push_back(window);
    else
      children_[Index(parent)].push_back(window);
    return window;
  }
  void ForEachTopLevel(FunctionRef<void(WindowHandle)> visit) override {
    for (const WindowHandle top : tops_) visit(top);
  }
  void ForEachDescendant(WindowHandle top, FunctionRef<bool(WindowHandle)> visit) override {
    Walk(top, visit);
  }

 private:
  static std::size_t Index(WindowHandle w) { return static_cast<std::size_t>(w) - 1; }
  bool Walk(WindowHandle parent, FunctionRef<bool(WindowHandle)> visit) {
    for (const WindowHandle child : children_[Index(parent)])
      if (!visit(child) || !Walk(child, visit)) return false;
    return true;
  }
  std::vector<WindowHandle> tops_;
  std::vector<std::vector<WindowHandle>> children_;
};

class CountingTest final : public ChildWindowTest {
 public:
  ScanStep TestChildWindow(WindowHandle child, WindowHandle) override {
    benchmark::DoNotOptimize(child);
    ++visits;
    return ScanStep::kContinue;
  }
  long visits = 0;
};

void BM_ScanDesktop(benchmark::State& state) {
  FixedDesktop desktop;
  for (int t = 0; t < 300; ++t) {
    const WindowHandle top = desktop.Add(kNoWindow);
    WindowHandle parent = top;
    for (int d = 0; d < 10; ++d) parent = desktop.Add(d % 3 == 0 ? top : parent);
  }
  GuardState guard;
  testing::FakeProfile profile;
  testing::FakeTimers timers;
  testing::FakeNetwork network;
  testing::FakeGuardHost host;
  CountingTest test;
  ScanCycle cycle{guard, {profile, timers, desktop, network, host}, test};

  const long before = allocations.load();
  for (auto _ : state) cycle.ScanDesktop();
  const long made = allocations.load() - before;
  state.counters["windows_per_pass"] = static_cast<double>(test.visits) / state.iterations();
  state.counters["allocations_per_window"] = static_cast<double>(made) / test.visits;
}
BENCHMARK(BM_ScanDesktop);

}  // namespace
}  // namespace tevanor

BENCHMARK_MAIN();
