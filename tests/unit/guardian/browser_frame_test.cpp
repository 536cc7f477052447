// The frames of today's browsers, read through fake accessibility trees shaped as Chrome's and
// Firefox's: judged by their address, title and page text, bounded, never asked again while a
// call hangs, and cheap when nothing changed.
#include <gtest/gtest.h>

#include <string_view>

#include "fakes/fake_guardian.h"
#include "rules/history_file.h"

namespace tevanor {
namespace {

using Role = ElementRole;
using testing::FakeElement;

// A frame's tree: the toolbar's address bar (when `bar` is set), then the document with the
// given address and one paragraph of texts.
FakeElement Tree(const char* address, std::vector<std::string> texts, const char* bar = nullptr) {
  FakeElement paragraph;
  for (std::string& text : texts) paragraph.children.push_back({Role::kStaticText, text});
  FakeElement root;
  if (bar)
    root.children.push_back(
        {Role::kToolbar, "", {{Role::kOther, "", {{Role::kEditableText, bar}}}}});
  if (address)
    root.children.push_back({Role::kOther, "", {{Role::kDocument, address, {paragraph}}}});
  return root;
}

class BrowserFrameTest : public ::testing::Test, protected testing::FakeGuardian {
 protected:
  BrowserFrameTest() {
    desktop.AddChild(desktop.AddTopLevel("Shell_TrayWnd", "", 50), "TrayNotifyWnd");
    state.m_dwShellPid = 50;
    state.phrases.ReplaceUser({{"casino", false, true}});
    state.sites.Append("http://www.x.example", true);
    state.sites.Append("http://www.escuela.example", false);
  }

  // One pass; the newest record's site text and cause when the pass added one.
  std::vector<std::string> Pass() {
    const std::size_t before = History().size();
    cycle.ScanDesktop();
    const auto history = History();
    if (history.size() == before) return {};
    return {history.front().siteText, history.front().cause};
  }
  std::vector<BlockRecord> History() {
    const auto loaded = LoadHistoryList(files);
    return loaded ? loaded->ToRecords() : std::vector<BlockRecord>{};
  }
  WindowHandle Frame(const char* title, FakeElement tree, std::uint32_t process = 0,
                     const char* frameClass = "Chrome_WidgetWin_1") {
    const WindowHandle frame = desktop.AddTopLevel(frameClass, title, process);
    frames.Show(frame, std::move(tree));
    return frame;
  }
};

TEST_F(BrowserFrameTest, FramesAreJudgedByAddressThenTitleThenPageText) {
  const char* x = "https://es.x.example/";
  struct Case {
    const char* how;
    const char* frameClass;
    const char* title;
    FakeElement tree;
    std::vector<std::string> expected;
  };
  const char* chrome = "Chrome_WidgetWin_1";
  const char* firefox = "MozillaWindowClass";
  const Case cases[] = {
      {"address of the document", chrome, "Inicio", Tree(x, {}), {x, kCauseSites}},
      {"address of the bar",
       firefox,
       "Inicio",
       Tree(nullptr, {}, "x.example/v"),
       {"http://x.example/v", kCauseSites}},
      {"an edit outside a toolbar is no address bar",
       firefox,
       "Inicio",
       FakeElement{Role::kOther, "", {{Role::kEditableText, "x.example/v"}}},
       {}},
      {"the document before the bar",
       chrome,
       "Inicio",
       Tree("https://a.example/", {}, "x.example"),
       {}},
      {"title",
       chrome,
       "Casino - Google Chrome",
       Tree("https://a.example/", {}),
       {"https://a.example/", "CASINO"}},
      {"title without a tree",
       chrome,
       "Casino - Google Chrome",
       FakeElement{},
       {"Casino - Google Chrome", "CASINO"}},
      {"page text across texts",
       firefox,
       "Inicio",
       Tree("https://a.example/", {"un Cas", "ino"}),
       {"https://a.example/", "casino"}},
      {"not joined across paragraphs",
       firefox,
       "Inicio",
       [] {
         FakeElement tree = Tree("https://a.example/", {"un Cas"});
         tree.children[0].children[0].children.push_back(
             {Role::kOther, "", {{Role::kStaticText, "ino"}}});
         return tree;
       }(),
       {}},
      {"free access ends it", chrome, "Casino", Tree("https://escuela.example/", {"casino"}), {}},
      {"ordinary", chrome, "Noticias", Tree("https://a.example/", {"el tiempo"}), {}},
      {"not a browser", "Notepad", "Casino", Tree(x, {}), {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    const WindowHandle frame = Frame(c.title, c.tree, 0, c.frameClass);
    EXPECT_EQ(Pass(), c.expected);
    EXPECT_EQ(desktop.closeRequests,
              c.expected.empty() ? std::vector<WindowHandle>{} : std::vector{frame});
    desktop.Destroy(frame);
    desktop.closeRequests.clear();
  }
  // Our own process's windows are never read, whatever they show.
  const int calls = frames.calls;
  Frame("Tevanor - casino", Tree(x, {"casino"}), testing::FakeDesktop::kOwnProcess);
  EXPECT_EQ(Pass(), std::vector<std::string>{});
  EXPECT_EQ(frames.calls, calls);
}

// The page text is read breadth first, up to 2,000 elements and 64 KiB.
TEST_F(BrowserFrameTest, PageTextIsBounded) {
  for (const auto& [elements, bytes, found] :
       {std::tuple{1998, 10, true}, {2001, 10, false}, {1, 60'000, true}, {1, 70'000, false}}) {
    SCOPED_TRACE(::testing::Message() << elements << " " << bytes);
    std::vector<std::string> texts(elements - 1, "a");
    texts.push_back(std::string(bytes, '.') + "casino");
    const WindowHandle frame = Frame("Inicio", Tree("https://a.example/", texts));
    EXPECT_EQ(!Pass().empty(), found);
    desktop.Destroy(frame);
  }
}

// A frame whose call overran costs one call limit, lets the pass go on to a chat window, and is
// not asked again while the call hangs, though its title is still tested; then it is read as
// before.
TEST_F(BrowserFrameTest, AHungFrameIsNotAskedAgainWhileItHangs) {
  const WindowHandle frame = Frame("Inicio", Tree("https://x.example/", {}));
  frames.hung.insert(frame);
  const WindowHandle chat = desktop.AddTopLevel("Chat", "#sala - mIRC");
  desktop.AddChild(chat, "Static");
  EXPECT_EQ(Pass(), (std::vector<std::string>{"#sala - mIRC", kCauseMirc}));
  EXPECT_EQ(frames.calls, 1);
  EXPECT_EQ(desktop.nowMs, testing::FakeFrameTrees::kCallLimitMs);
  desktop.At(frame).title = "Casino";
  EXPECT_EQ(Pass(), (std::vector<std::string>{"Casino", "CASINO"}));
  EXPECT_EQ(frames.calls, 1);
  desktop.At(frame).title = "Inicio";
  frames.hung.clear();
  EXPECT_EQ(Pass(), (std::vector<std::string>{"https://x.example/", kCauseSites}));
}

// A frame whose title and address stay is read again only after a while; a new title or a new
// page is read at once.
TEST_F(BrowserFrameTest, AChangedFrameIsReadAgain) {
  const WindowHandle frame = Frame("Inicio", Tree("https://a.example/", {"hola"}, "a.example"));
  EXPECT_EQ(Pass(), std::vector<std::string>{});
  FakeElement& text = frames.Root(frame).children[1].children[0].children[0].children[0];
  text.text = "casino";
  EXPECT_EQ(Pass(), std::vector<std::string>{});
  desktop.nowMs += BrowserFrames::kRewalkMs;
  EXPECT_EQ(Pass(), (std::vector<std::string>{"https://a.example/", "casino"}));
  desktop.At(frame).title = "Otra";
  EXPECT_EQ(Pass(), (std::vector<std::string>{"https://a.example/", "casino"}));
  frames.Show(frame, Tree("https://www.x.example/", {}));
  EXPECT_EQ(Pass(), (std::vector<std::string>{"https://www.x.example/", kCauseSites}));
}

}  // namespace
}  // namespace tevanor
