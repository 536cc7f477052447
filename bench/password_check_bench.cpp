// One password check at the prompt: the derived form the program stores now, against the
// reversible form of earlier versions.
#include <benchmark/benchmark.h>

#include "platform/posix/openssl_key_derivation.h"
#include "ui/password_form.h"

namespace tevanor {
namespace {

void BM_PasswordCheck(benchmark::State& state) {
  OpenSslKeyDerivation keys;
  const bool derived = state.range(0) != 0;
  const std::string stored =
      derived ? HashPassword(keys, "Secreto1").value_or("") : EncodePassword("Secreto1");
  for (auto _ : state) benchmark::DoNotOptimize(PasswordMatches(keys, "Secreto1", stored));
  state.SetLabel(derived ? "pbkdf2-sha256, 100000 iterations" : "reversible form");
}
BENCHMARK(BM_PasswordCheck)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tevanor
BENCHMARK_MAIN();
