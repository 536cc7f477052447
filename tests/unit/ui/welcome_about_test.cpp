#include <gtest/gtest.h>

#include "fakes/framework/fake_dialog_host.h"
#include "ui/about_dlg.h"
#include "ui/welcome_dlg.h"

namespace tevanor {
namespace {

using testing::FakeDialogHost;

// The two dialogs have no logic of their own: every way out ends the modal run.
TEST(WelcomeAndAbout, EndOnTheirButtonEnterEscAndTheCloseCommand) {
  struct Case {
    const char* name;
    std::function<void(FakeDialogHost&)> act;
    int result;
  };
  const Case cases[] = {
      {"button", [](auto& h) { h.Click(kIdOk); }, kIdOk},
      {"Enter", [](auto& h) { h.PressEnter(); }, kIdOk},
      {"Esc", [](auto& h) { h.PressEscape(); }, kIdCancel},
      {"Alt+F4 or close box", [](auto& h) { h.PressAltF4(); }, kIdCancel},
  };
  for (const Case& c : cases) {
    FakeDialogHost host;
    CWelcomeDlg welcome(host);
    CAboutDlg about(host);
    c.act(host);
    EXPECT_EQ(welcome.DoModal(), c.result) << "welcome, " << c.name;
    c.act(host);
    EXPECT_EQ(about.DoModal(), c.result) << "about, " << c.name;
  }
}

}  // namespace
}  // namespace tevanor
