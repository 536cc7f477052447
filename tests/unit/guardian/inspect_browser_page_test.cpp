#include <gtest/gtest.h>

#include "guard_fixture.h"

namespace tevanor {
namespace {

using testing::FakePage;

// One browser window (an "IEFrame" with a browser child) whose page a test sets up.
class BrowserPageTest : public GuardFixture {
 protected:
  struct Outcome {
    std::vector<std::string> record;  // empty: nothing recorded
    BlockAction action = BlockAction::kLeftRunning;
  };

  // The outcome of testing the browser child of a new top-level window that shows `page`.
  Outcome Inspect(FakePage page, const char* topClass = "IEFrame",
                  const char* title = "Inicio - Microsoft Internet Explorer",
                  std::uint32_t processId = 0) {
    const WindowHandle top = desktop.AddTopLevel(topClass, title, processId);
    const WindowHandle child =
        desktop.AddChild(desktop.AddChild(top, "Shell DocObject View"), "Internet Explorer_Server");
    pages.pages[child] = std::move(page);
    const std::size_t blocks = host.blocks.size();
    const bool stopped = guard.TestChildWindow(child, top) == ScanStep::kStop;
    ExpectEverythingReleased();
    EXPECT_EQ(stopped, host.blocks.size() > blocks);
    if (!stopped) return {};
    return {History().back(), host.blocks.back().action};
  }

  static FakePage Page(std::string address, std::string body = "") {
    FakePage page;
    page.address = std::move(address);
    page.body = std::move(body);
    return page;
  }
};

TEST_F(BrowserPageTest, SiteRulesDecideInListOrderAndBlockOnlyInTheBrowserItself) {
  struct Case {
    const char* name;
    std::vector<std::pair<const char*, int>> sites;  // text, prohibited
    const char* address;
    const char* topClass;
    const char* cause;  // nullptr: not blocked
  };
  // clang-format off
  const Case cases[] = {
      {"prohibited", {{"http://www.x.example", 1}}, "http://www.x.example/a", "IEFrame",
       kCauseSites},
      {"built-in before free", {{"x.example", 1}, {"http://www.x.example", 0}},
       "http://www.x.example/", "IEFrame", kCauseSites},
      {"free access ends it", {{"http://www.x.example", 0}, {"x.ex", 1}},
       "http://www.x.example/casino", "IEFrame", nullptr},
      {"another scheme", {{"http://www.x.example", 1}}, "https://www.x.example/", "IEFrame",
       nullptr},
      {"empty entry", {{"", 1}}, "about:blank", "IEFrame", kCauseSites},
      {"not the browser", {{"x.ex", 1}}, "http://x.example/", "CabinetWClass", nullptr},
      {"not the browser, then free", {{"x.ex", 1}, {"x.example", 0}}, "http://x.example/casino",
       "CabinetWClass", nullptr},
      {"not the browser, phrase", {{"x.ex", 1}}, "http://x.example/casino", "CabinetWClass",
       "casino"},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    state.sites.Clear();
    for (const auto& [text, prohibited] : c.sites) state.sites.Append(text, prohibited, 0);
    // Pages whose address holds "casino" say it in their text as well.
    const bool casino = std::string(c.address).find("casino") != std::string::npos;
    const Outcome o = Inspect(Page(c.address, casino ? "casino" : "nada"), c.topClass);
    if (!c.cause) {
      EXPECT_TRUE(o.record.empty());
      continue;
    }
    EXPECT_EQ(o.record, (std::vector<std::string>{c.address, "21:07-05/12/2002", c.cause}));
    EXPECT_EQ(o.action, BlockAction::kCloseRequest);  // a browser is never ended
  }
}

TEST_F(BrowserPageTest, PhrasesInTheTitleOrTheTextCloseTheBrowser) {
  const Outcome title = Inspect(Page("http://a.example/"), "IEFrame", "Casino Royal - IE");
  EXPECT_EQ(title.record,
            (std::vector<std::string>{"http://a.example/", "21:07-05/12/2002", "CASINO"}));
  EXPECT_EQ(title.action, BlockAction::kCloseRequest);

  // The page text reports the phrase as stored.
  const Outcome text = Inspect(Page("http://b.example/", "Sólo casino y póker"));
  EXPECT_EQ(text.record,
            (std::vector<std::string>{"http://b.example/", "21:07-05/12/2002", "casino"}));
  EXPECT_EQ(text.action, BlockAction::kCloseRequest);

  EXPECT_TRUE(Inspect(Page("http://c.example/", "Texto sin nada")).record.empty());
}

TEST_F(BrowserPageTest, MailReadersAreEndedUnlessTheyAreTheShell) {
  struct Case {
    const char* topClass;
    std::uint32_t processId;
    const char* label;
    BlockAction action;
  };
  for (const Case c :
       {Case{"Outlook Express Browser Class", 0, "MAIL: MS Outlook Express",
             BlockAction::kEndProgram},
        Case{"rctrl_renwnd32", 0, "MAIL: MS Outlook", BlockAction::kEndProgram},
        Case{"rctrl_renwnd32", kShell, "MAIL: MS Outlook", BlockAction::kCloseRequest}}) {
    SCOPED_TRACE(c.topClass);
    const Outcome o =
        Inspect(Page("about:blank", "ADULTS ONLY pics"), c.topClass, "Bandeja", c.processId);
    EXPECT_EQ(o.record, (std::vector<std::string>{c.label, "21:07-05/12/2002", "ADULTS ONLY"}));
    EXPECT_EQ(o.action, c.action);
  }
}

TEST_F(BrowserPageTest, PagesThatCannotBeInspectedOrActedOnAreSkipped) {
  struct Case {
    const char* name;
    std::function<void()> arrange;
    const char* title;
    std::uint32_t processId = 0;
  };
  state.sites.Append("xxx", 1, 1);
  const Case cases[] = {
      {"library missing", [&] { pages.libraryMissing = true; }, "IE"},
      {"our own window", [] {}, "Tevanor - Historial"},
      {"unopenable", [&] { desktop.unopenable.insert(77); }, "IE", 77},
      {"top gone",
       [&] {
         desktop.onQuestion = [&](WindowHandle w) {
           if (desktop.At(w).className == "IEFrame") desktop.Destroy(w);
         };
       },
       "IE"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.arrange();
    EXPECT_TRUE(Inspect(Page("http://x.example/", "casino"), "IEFrame", c.title, c.processId)
                    .record.empty());
    pages.libraryMissing = false;
    desktop.onQuestion = nullptr;
  }
  EXPECT_TRUE(desktop.ended.empty());
  EXPECT_TRUE(desktop.closeRequests.empty());

  // A browser child that does not answer (hung, or no document) is skipped.
  const WindowHandle top = desktop.AddTopLevel("IEFrame", "IE");
  EXPECT_EQ(guard.TestChildWindow(desktop.AddChild(top, "Internet Explorer_Server"), top),
            ScanStep::kContinue);
  ExpectEverythingReleased();
}

}  // namespace
}  // namespace tevanor
