// Loading history files of 1, 10 and 50 MiB through the real file adapter, one pass each: the
// bytes per second stay of one order whatever the size.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "platform/posix/data_directory.h"
#include "rules/history_file.h"

namespace tevanor {
namespace {

void BM_LoadHistory(benchmark::State& state) {
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
  int historyOpen = 0;
  std::size_t rows = 0;
  for (auto _ : state) {
    const auto loaded = LoadHistoryList(files, historyOpen);
    rows = loaded ? loaded->size() : 0;
    benchmark::DoNotOptimize(loaded);
  }
  std::filesystem::remove_all(dir);
  if (rows == 0) state.SkipWithError("nothing loaded");
  state.counters["rows"] = static_cast<double>(rows);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_LoadHistory)->Arg(1)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tevanor

BENCHMARK_MAIN();
