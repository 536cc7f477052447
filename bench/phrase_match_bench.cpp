// The phrase test on a 1 MiB page of ordinary text with the whole library and 200 words of the
// parent, none of which occurs: the entry-by-entry walk against the one-pass lists. The same
// for one page address against the built-in sites and 50 of the parent's.
#include <benchmark/benchmark.h>

#include "bench/ordinary_text.h"
#include "fakes/plain_match.h"
#include "rules/builtin_phrases.h"
#include "rules/builtin_sites.h"
#include "rules/phrase_list.h"
#include "rules/site_list.h"

namespace tevanor {
namespace {

// Made-up words that ordinary text does not hold: a parent's own list.
std::vector<PhraseEntry> ParentWords(std::size_t count) {
  static constexpr std::string_view kSyllables[] = {"kra", "vol", "zum", "pix", "tor", "qua",
                                                    "mef", "jib", "dro", "wex", "lun", "gaz"};
  std::vector<PhraseEntry> words;
  std::uint32_t state = 7;
  for (std::size_t i = 0; i < count; ++i) {
    std::string word;
    for (int s = 0; s < 3; ++s) {
      state = state * 1664525u + 1013904223u;
      word += kSyllables[(state >> 8) % 12];
    }
    words.push_back({word + std::to_string(i), false, i % 4 != 0});  // a quarter case-sensitive
  }
  return words;
}

struct PhraseSetup {
  PhraseSetup() {
    std::vector<PhraseEntry> rows;
    for (std::size_t i = 0; i < kBuiltInPhraseRows; ++i)
      rows.push_back({std::string(kBuiltInPhraseTable[i]), true, true});
    list.ReplaceLibrary(std::move(rows));
    list.ReplaceUser(ParentWords(200));
  }
  PhraseList list;
  std::string page = bench::OrdinaryText(1 << 20);
};

const PhraseSetup& Phrases() {
  static const PhraseSetup setup;
  return setup;
}

template <typename Match>
void RunPhraseTest(benchmark::State& state, Match match) {
  const PhraseSetup& s = Phrases();
  if (match(s.list, s.page) != nullptr) state.SkipWithError("a phrase occurs in the page");
  for (auto _ : state) benchmark::DoNotOptimize(match(s.list, s.page));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * s.page.size()));
}

void BM_PhrasePlainWalk(benchmark::State& state) {
  RunPhraseTest(state, [](const PhraseList& l, std::string_view t) {
    return PlainMatchPhrase(l.First(), t);
  });
}
BENCHMARK(BM_PhrasePlainWalk)->Unit(benchmark::kMillisecond);

void BM_PhraseOnePass(benchmark::State& state) {
  RunPhraseTest(state, [](const PhraseList& l, std::string_view t) { return l.Match(t); });
}
BENCHMARK(BM_PhraseOnePass)->Unit(benchmark::kMillisecond);

template <typename Walk>
void RunSiteTest(benchmark::State& state, Walk walk) {
  SiteList sites;
  for (std::size_t i = 0; i < kBuiltInSiteRows; ++i)
    sites.Append(std::string(kBuiltInSiteTable[i]), 1, 1);
  for (int i = 0; i < 50; ++i)
    sites.Append("http://www.school" + std::to_string(i) + ".example", i % 2, 0);
  const std::string address =
      "http://www.example.org/news/2024/06/the-town-library-reopens.html?page=2";
  int matches = 0;
  walk(sites, address, [&matches](const SiteEntry&) { return ++matches, true; });
  if (matches != 0) state.SkipWithError("a site occurs in the address");
  for (auto _ : state)
    walk(sites, address, [](const SiteEntry& e) { return benchmark::DoNotOptimize(e), true; });
}

void BM_SitePlainWalk(benchmark::State& state) {
  RunSiteTest(state, [](const SiteList& s, std::string_view a, auto visit) {
    PlainForEachSiteMatch(s.First(), a, visit);
  });
}
BENCHMARK(BM_SitePlainWalk);

void BM_SiteOnePass(benchmark::State& state) {
  RunSiteTest(state,
              [](const SiteList& s, std::string_view a, auto visit) { s.ForEachMatch(a, visit); });
}
BENCHMARK(BM_SiteOnePass);

}  // namespace
}  // namespace tevanor

BENCHMARK_MAIN();
