// How long one pass may wait for programs that do not answer, and who is asked first.
#include "guardian/pass_budget.h"

#include <gtest/gtest.h>

#include "fakes/fake_guardian.h"

namespace tevanor {
namespace {

using Handles = std::vector<WindowHandle>;

// A desktop of programs whose edit controls never answer; each one asked costs the fake steady
// clock the answer limit (1000 ms), so a pass (3000 ms) can wait for three of them.
class PassBudgetTest : public ::testing::Test, protected testing::FakeGuardian {
 protected:
  PassBudgetTest() {
    desktop.AddChild(desktop.AddTopLevel("Shell_TrayWnd", "", 50), "TrayNotifyWnd");
    state.m_dwShellPid = 50;
    state.m_bMircChat = 1;
    state.phrases.ReplaceUser({{"casino", false, true}});
  }

  // A program with `controls` edit controls that never answer; returns them.
  Handles AddSilentProgram(int controls) {
    const WindowHandle top = desktop.AddTopLevel("Silent", "Silencioso");
    Handles added;
    for (int i = 0; i < controls; ++i) {
      added.push_back(desktop.AddChild(top, "Edit", "nada"));
      desktop.At(added.back()).hung = true;
    }
    return added;
  }

  // The controls one pass asked for their text.
  Handles Pass() {
    desktop.textsAsked.clear();
    cycle.ScanDesktop();
    return desktop.textsAsked;
  }
};

TEST_F(PassBudgetTest, AProgramThatDoesNotAnswerIsAskedOncePerPass) {
  const Handles slow = AddSilentProgram(40);
  const WindowHandle top = desktop.AddTopLevel("Notepad", "notas");
  const WindowHandle text = desktop.AddChild(top, "Edit", "casino");
  EXPECT_EQ(Pass(), (Handles{slow[0], text}));
  EXPECT_EQ(host.blocks.size(), 1u);
}

TEST_F(PassBudgetTest, WhatAPassDidNotReachIsAskedFirstAtTheNext) {
  Handles first;
  for (int i = 0; i < 5; ++i) first.push_back(AddSilentProgram(1)[0]);
  const WindowHandle chat = desktop.AddTopLevel("Chat", "#sala - mIRC");
  desktop.AddChild(chat, "Static");
  // Three programs fill a pass; the next starts where it stopped, the one after from the top.
  EXPECT_EQ(Pass(), (Handles{first[0], first[1], first[2]}));
  EXPECT_EQ(Pass(), (Handles{first[3], first[4]}));
  EXPECT_EQ(Pass(), (Handles{first[0], first[1], first[2]}));
  // The window left out first is gone: the next pass starts from the top.
  desktop.Destroy(desktop.At(first[3]).parent);
  EXPECT_EQ(Pass(), (Handles{first[0], first[1], first[2]}));
  // Chat windows are tested whatever the budget.
  EXPECT_EQ(desktop.ended, (std::vector<std::uint32_t>{desktop.At(chat).processId}));
}

}  // namespace
}  // namespace tevanor
