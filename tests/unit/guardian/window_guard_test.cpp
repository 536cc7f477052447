#include "guardian/window_guard.h"

#include <gtest/gtest.h>

#include <string_view>

#include "fakes/fake_guardian.h"

namespace tevanor {
namespace {

using Role = ElementRole;
using testing::FakeElement;

bool Has(std::string_view how, std::string_view word) {
  return how.find(word) != std::string_view::npos;
}

// A browser frame's tree: the toolbar's address bar (when `bar` is set), then the document with
// the given address and one paragraph of texts.
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

// A guardian over a fake desktop whose shell is known, with the built-in phrases "ADULTS ONLY"
// and "18 YEARS OR OLDER" and the user words "casino" (any case) and "Poker" (exact case).
class WindowGuardTest : public ::testing::Test, protected testing::FakeGuardian {
 protected:
  static constexpr std::uint32_t kShell = 50;

  WindowGuardTest() {
    desktop.AddChild(desktop.AddTopLevel("Shell_TrayWnd", "", kShell), "TrayNotifyWnd");
    state.m_dwShellPid = kShell;
    state.phrases.ReplaceLibrary({{"ADULTS ONLY", true, true}, {"18 YEARS OR OLDER", true, true}});
    state.phrases.ReplaceUser({{"casino", false, true}, {"Poker", false, false}});
  }

  // A top-level window of a new program, or of the shell or our own program when `how` says
  // "shell" or "own"; "unopenable" makes its program the only one that cannot be opened.
  WindowHandle AddTop(std::string_view how, const char* topClass, const char* title) {
    desktop.unopenable.clear();
    const std::uint32_t pid = Has(how, "shell") ? kShell
                              : Has(how, "own") ? testing::FakeDesktop::kOwnProcess
                                                : 0;
    const WindowHandle top = desktop.AddTopLevel(topClass, title, pid);
    if (Has(how, "unopenable")) desktop.unopenable.insert(desktop.At(top).processId);
    return top;
  }

  // What the test of one window, or one pass, did: "site text|cause|done" for a block, where
  // done is "ended", "closed" (asked to close) or empty; a close or an end without a record
  // is "unrecorded ...".
  std::string Test(WindowHandle child, WindowHandle top) {
    const std::size_t before = host.blocks.size();
    guard.TestChildWindow(child, top);
    return Outcome(before);
  }
  std::string Pass() {
    const std::size_t before = host.blocks.size();
    cycle.ScanDesktop();
    return Outcome(before);
  }
  std::string Outcome(std::size_t before) {
    EXPECT_EQ(state.m_bScanBusy, 0);
    const std::string done = !desktop.ended.empty()           ? "ended"
                             : !desktop.closeRequests.empty() ? "closed"
                                                              : "";
    desktop.ended.clear();
    desktop.closeRequests.clear();
    if (host.blocks.size() == before) return done.empty() ? "" : "unrecorded " + done;
    EXPECT_EQ(host.blocks.size(), before + 1);
    const BlockReport& block = host.blocks.back();
    EXPECT_EQ(block.action, done == "ended"    ? BlockAction::kEndProgram
                            : done == "closed" ? BlockAction::kCloseRequest
                                               : BlockAction::kLeftRunning);
    return block.siteText + "|" + block.cause + "|" + done;
  }
};

TEST_F(WindowGuardTest, NothingIsTestedUntilAPassHasSeenTheTaskbar) {
  // A chat window, then a window that tells the shell's process (3), then a taskbar of pid 4.
  for (const auto& [topClass, childClass, shell] :
       {std::tuple{"Shell_TrayWnd", "TrayNotifyWnd", 3u},
        {"AnyTop", "MyTrayNotifyWndX", 3u},  // contained in the class name
        {"Shell_TrayWnd", "Button", 3u},     // a taskbar without a notification area
        {"Shell_TrayWndX", "Button", 4u}}) {
    SCOPED_TRACE(childClass);
    state.m_dwShellPid = 0;
    desktop = testing::FakeDesktop();
    desktop.AddChild(desktop.AddTopLevel("Chat", "mIRC"), "Static");
    desktop.AddTopLevel("Shell_TrayWnd", "", 9);  // without children: never tested
    desktop.AddChild(desktop.AddTopLevel(topClass, "", 3), childClass);
    desktop.AddChild(desktop.AddTopLevel("Shell_TrayWnd", "", 4), "TrayNotifyWnd");
    EXPECT_EQ(Pass(), "");
    EXPECT_EQ(state.m_dwShellPid, shell);
    EXPECT_EQ(Pass(), "mIRC|@Bloqueado Mirc@|ended");
  }
}

TEST_F(WindowGuardTest, ChatsAndPhrasesInEditControlsEndTheProgramUnlessItIsTheShell) {
  struct Case {
    const char* how;
    int mirc, java;
    const char *title, *childClass, *text;
    const char* cause;  // nullptr: no record
    const char* done;
  };
  const Case cases[] = {
      {"mirc", 1, 0, "#chat - mIRC32", "Static", "", kCauseMirc, "ended"},
      {"mirc any case", 5, 0, "MiRc", "Static", "", kCauseMirc, "ended"},
      {"mirc off", 0, 1, "mIRC", "Static", "", nullptr, ""},
      {"java", 0, 1, "Sala", "MSAWT_Comp_Class", "", kCauseJava, "ended"},
      {"java off", 1, 0, "Sala", "MSAWT_Comp_Class", "", nullptr, ""},
      {"java class equal", 0, 1, "Sala", "MSAWT_Comp_ClassX", "", nullptr, ""},
      {"mirc shell", 1, 0, "mirc", "Static", "", kCauseMirc, "closed"},
      {"mirc unopenable", 1, 0, "mirc", "Static", "", kCauseMirc, ""},
      {"mirc shell unopenable", 1, 0, "mirc", "Static", "", kCauseMirc, "closed"},
      {"edit", 1, 0, "notas", "Edit", "only for adults only, ok", "ADULTS ONLY", "ended"},
      {"list order", 1, 0, "notas", "RichEdit20A", "18 years or older, adults only", "ADULTS ONLY",
       "ended"},
      {"upper-cased", 1, 0, "notas", "Edit", "Casino", "CASINO", "ended"},
      {"exact case", 1, 0, "notas", "Edit", "poker night", nullptr, ""},
      {"exact case", 1, 0, "notas", "Edit", "Poker night", "Poker", "ended"},
      {"not an edit", 1, 0, "notas", "Static", "adults only", nullptr, ""},
      {"edit shell", 1, 0, "C:\\", "Edit", "C:\\casino", "CASINO", "closed"},
      {"edit unopenable", 1, 0, "notas", "Edit", "adults only", nullptr, ""},
      {"hung", 1, 0, "notas", "Edit", "adults only", nullptr, ""},
      {"own", 1, 0, "notas", "Edit", "adults only", nullptr, ""},  // we never read our own
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    state.m_bMircChat = c.mirc;
    state.m_bJavaChat = c.java;
    const WindowHandle top = AddTop(c.how, "Chat", c.title);
    const WindowHandle child = desktop.AddChild(top, c.childClass, c.text);
    desktop.At(child).hung = Has(c.how, "hung");
    EXPECT_EQ(Test(child, top),
              c.cause ? std::string(c.title) + "|" + c.cause + "|" + c.done : c.done);
  }
  // An empty phrase matches every text but an empty one.
  state.phrases.ReplaceUser({{"", false, true}});
  const WindowHandle top = desktop.AddTopLevel("App", "app");
  EXPECT_EQ(Test(desktop.AddChild(top, "Edit", ""), top), "");
  EXPECT_EQ(Test(desktop.AddChild(top, "Edit", "hola"), top), "app||ended");
}

TEST_F(WindowGuardTest, BrowserPagesAreJudgedBySitesThenTitleThenText) {
  struct Case {
    const char* how;
    std::vector<std::pair<const char*, int>> sites;  // text, prohibited
    const char *topClass, *title, *body;
    const char* expected;  // nullptr: no record; from "|" on: after the page's address
  };
  const char* ie = "IEFrame";
  // clang-format off
  const Case cases[] = {
      {"prohibited", {{"http://x.ex", 1}}, ie, "IE", "", "|@Bloqueado por Administrador de Sitios@|closed"},
      {"free access ends it", {{"http://x", 0}, {"x.ex", 1}}, ie, "Casino", "casino", nullptr},
      {"not the browser, then free", {{"x.ex", 1}, {"x.example", 0}}, "CabinetWClass", "IE",
       "casino", nullptr},
      {"not the browser, phrase", {{"x.ex", 1}}, "CabinetWClass", "IE", "casino", "|casino|closed"},
      {"title", {}, ie, "Casino Royal - IE", "", "|CASINO|closed"},
      {"text as stored", {}, ie, "IE", "Solo casino y poker", "|casino|closed"},
      {"our own window", {}, ie, "Historial", "casino", nullptr},
      {"a page titled with the product", {}, ie, "Tevanor", "casino", "|casino|closed"},
      {"unopenable", {{"x.ex", 1}}, ie, "IE", "casino", nullptr},
      {"library missing", {{"x.ex", 1}}, ie, "IE", "casino", nullptr},
      {"no document", {{"x.ex", 1}}, ie, "IE", "casino", nullptr},
      // In a mail reader the record names the reader, and the reader is ended.
      {"mail", {}, "Outlook Express Browser Class", "Bandeja", "adults only",
       "MAIL: MS Outlook Express|ADULTS ONLY|ended"},
      {"mail", {}, "rctrl_renwnd32", "Bandeja", "adults only", "MAIL: MS Outlook|ADULTS ONLY|ended"},
      {"mail shell", {}, "rctrl_renwnd32", "Bandeja", "adults only",
       "MAIL: MS Outlook|ADULTS ONLY|closed"},
  };
  // clang-format on
  const std::string address = "http://x.example/";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    state.sites.Clear();
    for (const auto& [text, prohibited] : c.sites) state.sites.Append(text, prohibited);
    const WindowHandle top = AddTop(c.how, c.topClass, c.title);
    const WindowHandle child =
        desktop.AddChild(desktop.AddChild(top, "Shell DocObject View"), "Internet Explorer_Server");
    if (!Has(c.how, "no document")) pages.pages[child] = {.address = address, .body = c.body};
    pages.libraryMissing = Has(c.how, "library missing");
    const std::string expected = !c.expected            ? ""
                                 : c.expected[0] == '|' ? address + c.expected
                                                        : c.expected;
    EXPECT_EQ(Test(child, top), expected);
  }
}

// A window whose program goes while it is tested: nothing is asked of it once it is gone, a chat
// that went after its title was read is not blocked, and no close request goes to a page whose
// window went as its program was opened (its handle may name another program's window by then).
TEST_F(WindowGuardTest, AWindowThatGoesIsNotBlocked) {
  const WindowHandle chat = desktop.AddTopLevel("Chat", "mIRC");
  desktop.At(chat).questionsLeft = 1;
  EXPECT_EQ(Test(desktop.AddChild(chat, "Static"), chat), "");
  const WindowHandle page = desktop.AddTopLevel("IEFrame", "IE");
  const WindowHandle child = desktop.AddChild(page, "Internet Explorer_Server");
  pages.pages[child] = {.address = "http://x.example/", .body = "adults only"};
  desktop.windowsGoWhenOpened = true;
  EXPECT_EQ(Test(child, page), "http://x.example/|ADULTS ONLY|");
}

class BrowserFrameTest : public WindowGuardTest {
 protected:
  BrowserFrameTest() {
    state.sites.Append("http://www.x.example", true);
    state.sites.Append("http://www.escuela.example", false);
  }
  WindowHandle Frame(const char* title, FakeElement tree, const char* how = "",
                     const char* frameClass = "Chrome_WidgetWin_1") {
    const WindowHandle frame = AddTop(how, frameClass, title);
    frames.Show(frame, std::move(tree));
    return frame;
  }
};

TEST_F(BrowserFrameTest, FramesAreJudgedByAddressThenTitleThenPageText) {
  const char* x = "https://es.x.example/";
  const char* a = "https://a.example/";
  const std::string sites = "|@Bloqueado por Administrador de Sitios@|closed";
  FakeElement twoParagraphs = Tree(a, {"un Cas"});
  twoParagraphs.children[0].children[0].children.push_back(
      {Role::kOther, "", {{Role::kStaticText, "ino"}}});
  struct Case {
    const char *how, *frameClass, *title;
    FakeElement tree;
    std::string expected;
  };
  const char* chrome = "Chrome_WidgetWin_1";
  const char* firefox = "MozillaWindowClass";
  // clang-format off
  const Case cases[] = {
      {"address of the document", chrome, "Inicio", Tree(x, {}), x + sites},
      {"address of the bar", firefox, "Inicio", Tree(nullptr, {}, "x.example/v"),
       "http://x.example/v" + sites},
      {"an edit outside a toolbar is no address bar", firefox, "Inicio",
       FakeElement{Role::kOther, "", {{Role::kEditableText, "x.example/v"}}}, ""},
      {"the document before the bar", chrome, "Inicio", Tree(a, {}, "x.example"), ""},
      {"title", chrome, "Casino - Chrome", Tree(a, {}), std::string(a) + "|CASINO|closed"},
      {"title without a tree", chrome, "Casino - Chrome", FakeElement{},
       "Casino - Chrome|CASINO|closed"},
      {"page text across texts", firefox, "Inicio", Tree(a, {"un Cas", "ino"}),
       std::string(a) + "|casino|closed"},
      {"not joined across paragraphs", firefox, "Inicio", twoParagraphs, ""},
      {"free access ends it", chrome, "Casino", Tree("https://escuela.example/", {"casino"}), ""},
      {"ordinary", chrome, "Noticias", Tree(a, {"el tiempo"}), ""},
      {"not a browser", "Notepad", "Casino", Tree(x, {}), ""},
      {"our own", chrome, "Tevanor - casino", Tree(x, {"casino"}), ""},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    const WindowHandle frame = Frame(c.title, c.tree, c.how, c.frameClass);
    EXPECT_EQ(Pass(), c.expected);
    desktop.Destroy(frame);
  }
}

// The page text is read breadth first, up to 2,000 elements and 64 KiB.
TEST_F(BrowserFrameTest, PageTextIsBounded) {
  for (const auto& [elements, bytes, found] :
       {std::tuple{1998, 10, true}, {2001, 10, false}, {1, 60'000, true}, {1, 70'000, false}}) {
    SCOPED_TRACE(::testing::Message() << elements << " " << bytes);
    std::vector<std::string> texts(elements - 1, "a");
    texts.push_back(std::string(bytes, '.') + "casino");
    const WindowHandle frame = Frame("Inicio", Tree("https://a.example/", texts));
    EXPECT_EQ(Pass().empty(), !found);
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
  EXPECT_EQ(Pass(), "#sala - mIRC|@Bloqueado Mirc@|ended");
  desktop.At(frame).title = "Casino";
  EXPECT_EQ(Pass(), "Casino|CASINO|closed");
  EXPECT_EQ(desktop.nowMs, testing::FakeFrameTrees::kCallLimitMs);
  desktop.At(frame).title = "Inicio";
  frames.hung.clear();
  EXPECT_EQ(Pass(), "https://x.example/|@Bloqueado por Administrador de Sitios@|closed");
}

// A frame whose title and address stay is read again only after a while; a new title or a new
// page is read at once.
TEST_F(BrowserFrameTest, AChangedFrameIsReadAgain) {
  const WindowHandle frame = Frame("Inicio", Tree("https://a.example/", {"hola"}, "a.example"));
  EXPECT_EQ(Pass(), "");
  frames.Root(frame).children[1].children[0].children[0].children[0].text = "casino";
  EXPECT_EQ(Pass(), "");
  desktop.nowMs += BrowserFrames::kRewalkMs;
  EXPECT_EQ(Pass(), "https://a.example/|casino|closed");
  desktop.At(frame).title = "Otra";
  EXPECT_EQ(Pass(), "https://a.example/|casino|closed");
  frames.Show(frame, Tree("https://www.x.example/", {}));
  EXPECT_EQ(Pass(), "https://www.x.example/|@Bloqueado por Administrador de Sitios@|closed");
}

// How long one pass may wait for programs that do not answer, and who is asked first: each edit
// control asked here never answers and costs the steady clock the answer limit (1000 ms), so a
// pass (3000 ms) can wait for three of them.
class PassBudgetTest : public WindowGuardTest {
 protected:
  // A program with `controls` edit controls that never answer; returns them.
  std::vector<WindowHandle> AddSilentProgram(int controls) {
    const WindowHandle top = desktop.AddTopLevel("Silent", "Silencioso");
    std::vector<WindowHandle> added;
    for (int i = 0; i < controls; ++i) {
      added.push_back(desktop.AddChild(top, "Edit", "nada"));
      desktop.At(added.back()).hung = true;
    }
    return added;
  }
  // The controls one pass asked for their text.
  std::vector<WindowHandle> Asked() {
    desktop.textsAsked.clear();
    cycle.ScanDesktop();
    return desktop.textsAsked;
  }
};

TEST_F(PassBudgetTest, AProgramThatDoesNotAnswerIsAskedOncePerPass) {
  const std::vector<WindowHandle> slow = AddSilentProgram(40);
  const WindowHandle text =
      desktop.AddChild(desktop.AddTopLevel("Notepad", "notas"), "Edit", "casino");
  EXPECT_EQ(Asked(), (std::vector{slow[0], text}));
  EXPECT_EQ(host.blocks.size(), 1u);
}

TEST_F(PassBudgetTest, WhatAPassDidNotReachIsAskedFirstAtTheNext) {
  std::vector<WindowHandle> first;
  for (int i = 0; i < 5; ++i) first.push_back(AddSilentProgram(1)[0]);
  desktop.AddChild(desktop.AddTopLevel("Chat", "#sala - mIRC"), "Static");
  // Three programs fill a pass; the next starts where it stopped, the one after from the top.
  EXPECT_EQ(Asked(), (std::vector{first[0], first[1], first[2]}));
  EXPECT_EQ(Asked(), (std::vector{first[3], first[4]}));
  EXPECT_EQ(Asked(), (std::vector{first[0], first[1], first[2]}));
  // The window left out first is gone: the next pass starts from the top.
  desktop.Destroy(desktop.At(first[3]).parent);
  EXPECT_EQ(Asked(), (std::vector{first[0], first[1], first[2]}));
  // Chat windows are tested whatever the budget.
  EXPECT_EQ(desktop.ended.size(), 1u);
}

}  // namespace
}  // namespace tevanor
