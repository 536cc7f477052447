// Loading history files of 1, 10 and 50 MiB through the real file adapter, one pass each: the
// compact records the history dialog shows, against the same records copied out one string per
// field (the form the loader had before). Besides the time, the peak of the memory held during
// the load, as a multiple of the file's size.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <stdlib.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>

#include "platform/posix/data_directory.h"
#include "rules/history_file.h"

namespace {

std::atomic<std::size_t> held{0};
std::atomic<std::size_t> peak{0};

}  // namespace

// Replacement of the global allocation functions that keeps the bytes held and their peak; GCC
// cannot see that the pair matches and warns about free() on memory from operator new.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
  void* p = std::malloc(size ? size : 1);
  if (p == nullptr) throw std::bad_alloc();
  const std::size_t now = held += ::malloc_usable_size(p);
  for (std::size_t top = peak; now > top && !peak.compare_exchange_weak(top, now);) {
  }
  return p;
}
void operator delete(void* p) noexcept {
  if (p != nullptr) held -= ::malloc_usable_size(p);
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  operator delete(p);
}

namespace tevanor {
namespace {

template <typename Load>
void RunLoad(benchmark::State& state, Load load) {
  const auto bytes = static_cast<std::size_t>(state.range(0)) << 20;
  std::string pattern = (std::filesystem::temp_directory_path() / "tevanor-bench-XXXXXX").string();
  const std::string dir = ::mkdtemp(pattern.data());
  {
    std::ofstream out(dir + "/" + std::string(kHistoryFileName), std::ios::binary);
    std::string record;
    for (std::size_t written = 0, n = 0; written < bytes; written += record.size(), ++n) {
      record = "http://www.example.org/page/" + std::to_string(n) +
               "\x08"
               "21:07-05/12/2002\x08" +
               (n % 3 ? "@Bloqueado por Administrador de Sitios@\x08" : "PORNO GRATIS\x08");
      out << record;
    }
  }
  posix::PosixDataDirectory files(dir);
  std::size_t rows = 0, mostHeld = 0;
  for (auto _ : state) {
    const std::size_t before = held;
    peak = before;
    rows = load(files);
    mostHeld = std::max(mostHeld, peak - before);
  }
  std::filesystem::remove_all(dir);
  if (rows == 0) state.SkipWithError("nothing loaded");
  state.counters["rows"] = static_cast<double>(rows);
  state.counters["peak_per_file_byte"] = static_cast<double>(mostHeld) / static_cast<double>(bytes);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

void BM_LoadHistory(benchmark::State& state) {
  RunLoad(state, [](DataDirectory& files) {
    const auto loaded = LoadHistoryList(files);
    return loaded ? loaded->size() : 0;
  });
}
BENCHMARK(BM_LoadHistory)->Arg(1)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond);

void BM_LoadHistoryAsStrings(benchmark::State& state) {
  RunLoad(state, [](DataDirectory& files) {
    auto loaded = LoadHistoryList(files);
    if (!loaded) return std::size_t{0};
    const std::vector<BlockRecord> records = loaded->ToRecords();
    loaded.reset();
    return records.size();
  });
}
BENCHMARK(BM_LoadHistoryAsStrings)->Arg(1)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tevanor

BENCHMARK_MAIN();
