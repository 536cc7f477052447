// One scan pass over a desktop of 300 top-level windows with 10 descendants each, and the heap
// allocations it makes per visited window.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "fakes/fake_desktop.h"
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
  testing::FakeDesktop desktop;
  for (int t = 0; t < 300; ++t) {
    const WindowHandle top = desktop.AddTopLevel();
    WindowHandle parent = top;
    for (int d = 0; d < 10; ++d) parent = desktop.AddChild(d % 3 == 0 ? top : parent);
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
