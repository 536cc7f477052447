// The history dialog on the fake host, as a parent uses it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/fake_data_directory.h"
#include "fakes/fake_shell.h"
#include "fakes/framework/fake_dialog_host.h"
#include "resource.h"
#include "rules/data_files.h"
#include "rules/site_store.h"
#include "ui/history_dlg.h"
#include "unit/ui/stand_in_panel.h"

namespace tevanor::testing {
namespace {

using ::testing::ElementsAre;

constexpr std::string_view kHistory = "Tevanor.his";

class History : public ::testing::Test {
 public:
  // Listed newest first: the file transfer, the notepad, the web page.
  void SetUp() override {
    files.Put(kHistory,
              "http://uno.example/\b10:00-01/02/2026\bSitio prohibido\b"
              "Bloc de notas - casino\b10:05-01/02/2026\bCASINO\b"
              "ftp://dos.example\b10:07-01/02/2026\bSitio prohibido\b");
    panel = OpenModeless<StandInPanel>(host, nullptr);
    OpenSingleFrom(dialog, host, panel, [&] {
      return std::make_unique<CHistoryDlg>(host, *panel, HistoryData{state, files, shell});
    });
  }
  FakeWindow& Window() const { return host.WindowOf(*dialog); }
  std::vector<std::string> Subjects() const {
    std::vector<std::string> subjects;
    for (int row = 0; row < Window().ListCount(IDC_HISTORY_LIST); ++row)
      subjects.push_back(Window().ListText(IDC_HISTORY_LIST, row, 0));
    return subjects;
  }
  bool Shown(int id) const { return Window().IsControlVisible(id); }
  void ClickRow(int row) {
    host.Then([this, row] {
      for (int i = 0; i < Window().ListCount(IDC_HISTORY_LIST); ++i)
        Window().ListSelect(IDC_HISTORY_LIST, i, i == row);
      dialog->Send(ListNotification{IDC_HISTORY_LIST, ListNotification::Kind::kClick, row});
    });
  }

  FakeDataDirectory files;
  FakeShellOpen shell;
  GuardState state;
  FakeDialogHost host;
  StandInPanel* panel = nullptr;
  CHistoryDlg* dialog = nullptr;
};

// The row buttons follow clicks only, and only for web and file-transfer addresses.
TEST_F(History, RowButtonsOnlyForAddresses) {
  const std::pair<int, bool> clicks[] = {{0, true}, {1, false}, {2, true}, {-1, false}};
  for (const auto& [row, shown] : clicks) {
    ClickRow(row);
    host.Run();
    for (const int id : {IDC_HISTORY_SHOW, IDC_HISTORY_ALLOW, IDC_HISTORY_PROHIBIT})
      EXPECT_EQ(Shown(id), shown) << "row " << row;
  }
  ClickRow(0);
  host.Then([&] { Window().ListSelect(IDC_HISTORY_LIST, 1, true); });  // the keyboard
  host.Run();
  EXPECT_TRUE(Shown(IDC_HISTORY_SHOW));
}

// "Examina" asks before stopping an active guardian and opens the address either way; an
// address the system cannot open gives a beep.
TEST_F(History, ShowAsksToStopTheGuardianAndOpensTheAddress) {
  const std::tuple<int, int, std::vector<int>, bool> cases[] = {
      {1, kIdYes, {kCommandToggleGuardian}, true}, {1, kIdNo, {}, true}, {0, 0, {}, false}};
  for (const auto& [active, answer, commands, opens] : cases) {
    state.m_bGuardActive = active;
    shell.succeeds = opens;
    panel->commands.clear();
    shell.opened.clear();
    ClickRow(2);
    host.Click(IDC_HISTORY_SHOW, dialog);
    if (answer != 0) host.Answer(answer);
    host.Run();
    EXPECT_EQ(panel->commands, commands);
    EXPECT_THAT(shell.opened, ElementsAre("http://uno.example/"));
    EXPECT_EQ(host.beeps, opens ? 0 : 1);
  }
}

// The site buttons send the address to the panel's site batch, drop the row from the view
// only and confirm; a reload lists the file again.
TEST_F(History, SiteButtonsHandTheAddressToThePanelAndDropTheRow) {
  ClickRow(0);
  host.Click(IDC_HISTORY_ALLOW, dialog).Answer(kIdOk);
  ClickRow(1);
  host.Click(IDC_HISTORY_PROHIBIT, dialog).Answer(kIdOk);
  host.Run();
  ASSERT_EQ(panel->messages.size(), 2u);
  EXPECT_EQ(std::tie(panel->messages[0].value, *panel->messages[0].text),
            std::make_tuple(kSiteEditAddAllowed, "ftp://dos.example"));
  EXPECT_EQ(std::tie(panel->messages[1].value, *panel->messages[1].text),
            std::make_tuple(kSiteEditAddProhibited, "http://uno.example/"));
  EXPECT_THAT(Subjects(), ElementsAre("Bloc de notas - casino"));
  dialog->Post(PrivateMessage{WM_RELOADHISTORY, 0, std::nullopt});
  host.Run();
  EXPECT_EQ(Subjects().size(), 3u);
}

// "Vacia" empties the file after the question; a file in use stays, and so do its rows.
TEST_F(History, ClearEmptiesOnlyWhenTheFileGoes) {
  host.Click(IDC_HISTORY_CLEAR, dialog).Answer(kIdNo);
  host.Run();
  EXPECT_EQ(Subjects().size(), 3u);
  files.HoldOpen(kHistory);
  host.Click(IDC_HISTORY_CLEAR, dialog).Answer(kIdYes);
  host.Run();
  EXPECT_EQ(Subjects().size(), 3u);
  files.Release(kHistory);
  host.Click(IDC_HISTORY_CLEAR, dialog).Answer(kIdYes);
  host.Run();
  EXPECT_TRUE(Subjects().empty());
  EXPECT_EQ(files.Content(kHistory), "");
  EXPECT_FALSE(Shown(IDC_HISTORY_CLEAR));
}

}  // namespace
}  // namespace tevanor::testing
