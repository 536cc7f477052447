// The phrase test on a 1 MiB page of ordinary text that holds none of the phrases, with the
// whole library and the parent's words, 738 (200 words), 2,000, 20,000 and 100,000 entries in
// all:
//   BM_PhrasePlainWalk  the entry-by-entry walk (2,000 entries only; it takes seconds a page)
//   BM_PhraseOnePass    the plain look alone (PhraseList::MatchPlain), with the automaton's size
//                       and build time
//   BM_PhraseBothLooks  PhraseList::Match as the guardian runs it: the plain look, then the
//                       second look over the page as its normal form reads, with the automata's
//                       size
//   BM_PhraseHyperscan  a Hyperscan block-mode database of the same entries as literals (the
//                       plain look's work), with its size and compile time
// and one page address against the built-in sites and 50, 20,000 or 100,000 of the parent's:
// the entry-by-entry walk against SiteList::ForEachMatch.
#include <benchmark/benchmark.h>
#include <hs.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>

#include "bench/ordinary_text.h"
#include "fakes/plain_match.h"
#include "rules/builtin_phrases.h"
#include "rules/builtin_sites.h"
#include "rules/phrase_list.h"
#include "rules/site_list.h"
#include "text/cp1252.h"

namespace tevanor {
namespace {

constexpr double kMiB = 1 << 20;

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

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

const std::string& Page() {
  static const std::string page = bench::OrdinaryText(1 << 20);
  return page;
}

// The whole library, then parent's words up to `entries`.
struct PhraseSetup {
  explicit PhraseSetup(std::size_t entries) {
    std::vector<PhraseEntry> rows;
    for (std::size_t i = 0; i < kBuiltInPhraseRows; ++i)
      rows.push_back({std::string(kBuiltInPhraseTable[i]), true, true});
    list.ReplaceLibrary(std::move(rows));
    std::vector<PhraseEntry> words = ParentWords(entries - kBuiltInPhraseRows);
    const auto start = std::chrono::steady_clock::now();
    list.ReplaceUser(std::move(words));  // builds the automaton over every entry
    buildSeconds = SecondsSince(start);
  }
  PhraseList list;
  double buildSeconds = 0;
};

const PhraseSetup& Phrases(std::size_t entries) {
  static std::map<std::size_t, std::unique_ptr<PhraseSetup>> setups;
  auto& setup = setups[entries];
  if (!setup) setup = std::make_unique<PhraseSetup>(entries);
  return *setup;
}

// The entry's position in the walk.
std::uint32_t IndexOf(const PhraseList& list, const PhraseEntry* entry) {
  std::uint32_t index = 0;
  for (const PhraseEntry* e = list.First(); e != entry; e = e->next) ++index;
  return index;
}

// Every byte that upper-cases like `byte`: the bytes a text may hold where an ignore-case phrase
// has `byte`.
std::string SameUpper(unsigned char byte) {
  std::string bytes;
  for (int b = 0; b < 256; ++b)
    if (ToUpper(static_cast<unsigned char>(b)) == ToUpper(byte)) bytes += static_cast<char>(b);
  return bytes;
}

// The same entries as a Hyperscan database of literals, ids being walk positions. Hyperscan's
// caseless flag folds ASCII letters only, so an ignore-case entry with Windows-1252 letters goes
// in once for every upper/lower choice of those letters.
class HyperscanSetup {
 public:
  explicit HyperscanSetup(const PhraseList& list) {
    std::vector<std::string> literals;
    std::vector<unsigned> ids, flags;
    std::uint32_t id = 0;
    for (const PhraseEntry* e = list.First(); e; e = e->next, ++id) {
      std::vector<std::string> variants = {""};
      for (const char c : e->text) {
        const std::string choices = e->ignoreCase && static_cast<unsigned char>(c) >= 0x80
                                        ? SameUpper(static_cast<unsigned char>(c))
                                        : std::string(1, c);
        std::vector<std::string> longer;
        for (const std::string& v : variants)
          for (const char choice : choices) longer.push_back(v + choice);
        variants = std::move(longer);
      }
      for (std::string& v : variants) {
        literals.push_back(std::move(v));
        ids.push_back(id);
        flags.push_back(HS_FLAG_SINGLEMATCH | (e->ignoreCase ? HS_FLAG_CASELESS : 0));
      }
    }
    std::vector<const char*> pointers;
    std::vector<std::size_t> lengths;
    for (const std::string& l : literals) {
      pointers.push_back(l.data());
      lengths.push_back(l.size());
    }
    const auto start = std::chrono::steady_clock::now();
    hs_compile_error_t* error = nullptr;
    if (hs_compile_lit_multi(pointers.data(), flags.data(), ids.data(), lengths.data(),
                             static_cast<unsigned>(literals.size()), HS_MODE_BLOCK, nullptr,
                             &database_, &error) != HS_SUCCESS) {
      problem_ = error ? error->message : "hs_compile_lit_multi failed";
      hs_free_compile_error(error);
      return;
    }
    compileSeconds_ = SecondsSince(start);
    if (hs_alloc_scratch(database_, &scratch_) != HS_SUCCESS) problem_ = "hs_alloc_scratch failed";
    hs_database_size(database_, &databaseBytes_);
  }
  ~HyperscanSetup() {
    hs_free_scratch(scratch_);
    hs_free_database(database_);
  }
  HyperscanSetup(const HyperscanSetup&) = delete;
  HyperscanSetup& operator=(const HyperscanSetup&) = delete;

  // The smallest walk position of an entry that occurs in `text`, or UINT32_MAX.
  std::uint32_t Smallest(std::string_view text) const {
    std::uint32_t best = UINT32_MAX;
    hs_scan(database_, text.data(), static_cast<unsigned>(text.size()), 0, scratch_, &OnMatch,
            &best);
    return best;
  }
  const std::string& problem() const { return problem_; }
  double compileSeconds() const { return compileSeconds_; }
  std::size_t databaseBytes() const { return databaseBytes_; }

 private:
  static int OnMatch(unsigned id, unsigned long long, unsigned long long, unsigned, void* best) {
    auto& smallest = *static_cast<std::uint32_t*>(best);
    smallest = std::min(smallest, static_cast<std::uint32_t>(id));
    return 0;
  }

  hs_database_t* database_ = nullptr;
  hs_scratch_t* scratch_ = nullptr;
  std::string problem_;
  double compileSeconds_ = 0;
  std::size_t databaseBytes_ = 0;
};

const HyperscanSetup& Hyperscan(std::size_t entries) {
  static std::map<std::size_t, std::unique_ptr<HyperscanSetup>> setups;
  auto& setup = setups[entries];
  if (!setup) setup = std::make_unique<HyperscanSetup>(Phrases(entries).list);
  return *setup;
}

// A lower-case copy in Windows-1252: each byte that another one upper-cases to becomes that one.
std::string LowerCopy(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    const auto upper = static_cast<unsigned char>(c);
    for (int b = 0; b < 256; ++b)
      if (b != upper && ToUpper(static_cast<unsigned char>(b)) == upper) {
        c = static_cast<char>(b);
        break;
      }
  }
  return lower;
}

// Hyperscan and the list must name the same entry where some occur: the last entry, one in the
// middle, the first of the parent's (case-sensitive) and a library row with an accent, each as
// it is, in lower case and in upper case, in a piece of the page. Empty when they agree.
std::string MismatchOnProbes(const PhraseList& list, const HyperscanSetup& hs) {
  std::vector<const PhraseEntry*> entries;
  for (const PhraseEntry* e = list.First(); e; e = e->next) entries.push_back(e);
  const std::string_view piece = std::string_view(Page()).substr(0, 1 << 16);
  for (const std::size_t at :
       {entries.size() - 1, entries.size() / 2 + 1, kBuiltInPhraseRows, std::size_t{10}}) {
    const std::string& entry = entries[at]->text;
    for (const std::string& word : {entry, LowerCopy(entry), UpperCopy(entry)}) {
      const std::string text = std::string(piece.substr(0, 5000)) + word + std::string(piece);
      const PhraseEntry* ours = list.MatchPlain(text);
      const std::uint32_t oursIndex = ours ? IndexOf(list, ours) : UINT32_MAX;
      if (oursIndex != hs.Smallest(text) || (word == entry && oursIndex > at))
        return "Hyperscan and the list disagree on \"" + word + "\"";
    }
  }
  return "";
}

void BM_PhrasePlainWalk(benchmark::State& state) {
  const PhraseSetup& s = Phrases(static_cast<std::size_t>(state.range(0)));
  if (PlainMatchPhrase(s.list.First(), Page()) != nullptr)
    state.SkipWithError("a phrase occurs in the page");
  for (auto _ : state) benchmark::DoNotOptimize(PlainMatchPhrase(s.list.First(), Page()));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * Page().size()));
}
BENCHMARK(BM_PhrasePlainWalk)->Arg(2'000)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_PhraseOnePass(benchmark::State& state) {
  const PhraseSetup& s = Phrases(static_cast<std::size_t>(state.range(0)));
  if (s.list.MatchPlain(Page()) != nullptr) state.SkipWithError("a phrase occurs in the page");
  for (auto _ : state) benchmark::DoNotOptimize(s.list.MatchPlain(Page()));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * Page().size()));
  state.counters["MiB"] = static_cast<double>(s.list.MatcherBytes()) / kMiB;
  state.counters["build_ms"] = s.buildSeconds * 1000;
}
BENCHMARK(BM_PhraseOnePass)
    ->Arg(738)
    ->Arg(2'000)
    ->Arg(20'000)
    ->Arg(100'000)
    ->Unit(benchmark::kMicrosecond);

void BM_PhraseBothLooks(benchmark::State& state) {
  const PhraseSetup& s = Phrases(static_cast<std::size_t>(state.range(0)));
  if (s.list.Match(Page()) != nullptr) state.SkipWithError("a phrase occurs in the page");
  for (auto _ : state) benchmark::DoNotOptimize(s.list.Match(Page()));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * Page().size()));
  state.counters["MiB"] = static_cast<double>(s.list.MatcherBytes()) / kMiB;
}
BENCHMARK(BM_PhraseBothLooks)->Arg(738)->Arg(2'000)->Unit(benchmark::kMicrosecond);

void BM_PhraseHyperscan(benchmark::State& state) {
  const auto entries = static_cast<std::size_t>(state.range(0));
  const HyperscanSetup& hs = Hyperscan(entries);
  if (!hs.problem().empty()) return state.SkipWithError(hs.problem().c_str());
  if (hs.Smallest(Page()) != UINT32_MAX) return state.SkipWithError("a phrase occurs in the page");
  const std::string mismatch = MismatchOnProbes(Phrases(entries).list, hs);
  if (!mismatch.empty()) return state.SkipWithError(mismatch.c_str());
  for (auto _ : state) benchmark::DoNotOptimize(hs.Smallest(Page()));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * Page().size()));
  state.counters["MiB"] = static_cast<double>(hs.databaseBytes()) / kMiB;
  state.counters["build_ms"] = hs.compileSeconds() * 1000;
}
BENCHMARK(BM_PhraseHyperscan)
    ->Arg(738)
    ->Arg(2'000)
    ->Arg(20'000)
    ->Arg(100'000)
    ->Unit(benchmark::kMicrosecond);

// The built-in sites, then `parents` of the parent's, half of them allowed.
const SiteList& Sites(std::size_t parents) {
  static std::map<std::size_t, std::unique_ptr<SiteList>> lists;
  auto& sites = lists[parents];
  if (!sites) {
    sites = std::make_unique<SiteList>();
    for (std::size_t i = 0; i < kBuiltInSiteRows; ++i)
      sites->AppendBuiltIn(std::string(kBuiltInSiteTable[i]));
    for (std::size_t i = 0; i < parents; ++i)
      sites->Append("http://www.school" + std::to_string(i) + ".example", i % 2 != 0);
  }
  return *sites;
}

template <typename Walk>
void RunSiteTest(benchmark::State& state, Walk walk) {
  const SiteList& sites = Sites(static_cast<std::size_t>(state.range(0)));
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
BENCHMARK(BM_SitePlainWalk)->Arg(50)->Arg(20'000)->Arg(100'000);

void BM_SiteOnePass(benchmark::State& state) {
  RunSiteTest(state,
              [](const SiteList& s, std::string_view a, auto visit) { s.ForEachMatch(a, visit); });
}
BENCHMARK(BM_SiteOnePass)->Arg(50)->Arg(20'000)->Arg(100'000);

}  // namespace
}  // namespace tevanor

BENCHMARK_MAIN();
