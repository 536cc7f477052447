// One guardian pass at the full protection level over a desktop of 300 windows, 40 of them
// edit controls with 200 bytes of text and 3 of them browser pages of 300 KB, none of which
// holds a forbidden phrase, so every list is walked to its end. Printed side by side:
//   BM_ReferenceWalk  the same texts matched by the plain walk of the phrase list: per entry,
//                     upper-cased copies of text and phrase and a substring search;
//   BM_GuardianPass   the real pass: WindowGuard over the fake desktop, with the lists' matchers.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/ordinary_text.h"
#include "fakes/fake_guardian.h"
#include "fakes/plain_match.h"
#include "rules/builtin_phrases.h"
#include "rules/builtin_sites.h"

namespace tevanor {
namespace {

constexpr int kWindows = 300;
constexpr int kEditControls = 40;
constexpr int kPages = 3;

// The built-in library at the full level, then two of the parent's words.
void FillPhrases(PhraseList& phrases) {
  std::vector<PhraseEntry> library;
  for (std::size_t i = 0; i < BuiltInPhraseCount(255); ++i)
    library.push_back({std::string(kBuiltInPhraseTable[i]), true, true});
  phrases.ReplaceLibrary(std::move(library));
  phrases.ReplaceUser({{"casino", false, true}, {"Poker", false, false}});
}

// The built-in prohibited sites, then two of the parent's.
void FillSites(SiteList& sites) {
  for (std::size_t i = 0; !kBuiltInSiteTable[i].empty(); ++i)
    sites.AppendBuiltIn(std::string(kBuiltInSiteTable[i]));
  sites.Append("http://www.juegos.example", true);
  sites.Append("http://www.escuela.example", false);
}

struct Desktop : testing::FakeGuardian {
  Desktop() {
    FillPhrases(state.phrases);
    FillSites(state.sites);
    const WindowHandle taskbar = desktop.AddTopLevel("Shell_TrayWnd", "", 5);
    desktop.AddChild(taskbar, "TrayNotifyWnd");
    state.m_dwShellPid = 5;
    pages.keepBodiesRead = false;

    const std::string prose = bench::OrdinaryText(310 * 1024);
    int windows = 2;
    for (int i = 0; i < kPages; ++i, windows += 3) {
      const WindowHandle top = desktop.AddTopLevel("IEFrame", "Noticias - Internet Explorer");
      const WindowHandle child = desktop.AddChild(desktop.AddChild(top, "Shell DocObject View"),
                                                  "Internet Explorer_Server");
      testing::FakePage& page = pages.pages[child];
      page.address = "http://www.noticias" + std::to_string(i) + ".example/portada.html";
      page.body = prose.substr(i * 1000, 300 * 1024);
      texts.push_back(desktop.At(top).title);
      texts.push_back(page.body);
    }
    for (int i = 0; i < kEditControls; ++i, windows += 3) {
      const WindowHandle top = desktop.AddTopLevel("Notepad", "nota" + std::to_string(i));
      desktop.AddChild(top, "msctls_statusbar32");
      texts.push_back(desktop.At(desktop.AddChild(top, "Edit", prose.substr(i * 211, 200))).title);
    }
    for (WindowHandle top = kNoWindow; windows < kWindows; ++windows) {
      if (top == kNoWindow || windows % 5 == 0)
        top = desktop.AddTopLevel("Frame", "Calculadora");
      else
        desktop.AddChild(top, "Button", "Aceptar");
    }
  }

  std::vector<std::string> texts;  // every text the pass matches against the phrases
};

void BM_ReferenceWalk(benchmark::State& run) {
  Desktop d;
  for (auto _ : run)
    for (const std::string& text : d.texts)
      benchmark::DoNotOptimize(PlainMatchPhrase(d.state.phrases.First(), text));
}
BENCHMARK(BM_ReferenceWalk)->Unit(benchmark::kMillisecond);

void BM_GuardianPass(benchmark::State& run) {
  Desktop d;
  for (auto _ : run) d.cycle.ScanDesktop();
  if (!d.host.blocks.empty()) run.SkipWithError("a pass blocked a window");
  run.counters["windows"] = kWindows;
}
BENCHMARK(BM_GuardianPass)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tevanor

BENCHMARK_MAIN();
