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
using ::testing::IsEmpty;

constexpr std::string_view kHistory = "Tevanor.his";

std::string Record(std::string_view site, std::string_view time, std::string_view cause) {
  return std::string(site) + '\b' + std::string(time) + '\b' + std::string(cause) + '\b';
}

class History : public ::testing::Test {
 public:
  void SetUp() override {
    files.Put(kHistory, Record("http://uno.example/", "10:00-01/02/2026", "Sitio prohibido") +
                            Record("Bloc de notas - casino", "10:05-01/02/2026", "CASINO") +
                            Record("ftp://dos.example", "10:07-01/02/2026", "Sitio prohibido"));
    panel = OpenModeless<StandInPanel>(host, nullptr);
    OpenSingleFrom(dialog, host, panel, [&] {
      return std::make_unique<CHistoryDlg>(host, *panel, HistoryData{state, files, shell});
    });
  }
  FakeWindow& Window() const { return host.WindowOf(*dialog); }
  std::vector<std::vector<std::string>> Rows() const {
    std::vector<std::vector<std::string>> rows;
    for (int row = 0; row < Window().ListCount(IDC_HISTORY_LIST); ++row)
      rows.push_back({Window().ListText(IDC_HISTORY_LIST, row, 0),
                      Window().ListText(IDC_HISTORY_LIST, row, 1),
                      Window().ListText(IDC_HISTORY_LIST, row, 2)});
    return rows;
  }
  std::vector<std::string> Subjects() const {
    std::vector<std::string> subjects;
    for (const auto& row : Rows()) subjects.push_back(row[0]);
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

// Newest block first, three columns; a record cut in its last field keeps an empty cause and
// one cut in its first field adds nothing. A reload replaces the rows; an empty or missing
// file leaves them.
TEST_F(History, ListsTheNewestBlockFirstAndReloadsOnRequest) {
  EXPECT_THAT(Rows()[0], ElementsAre("ftp://dos.example", "10:07-01/02/2026", "Sitio prohibido"));
  EXPECT_THAT(Subjects(),
              ElementsAre("ftp://dos.example", "Bloc de notas - casino", "http://uno.example/"));
  EXPECT_TRUE(Shown(IDC_HISTORY_CLEAR));

  files.Put(kHistory, *files.Content(kHistory) + "http://tres\b10:09-01/02/2026\b");
  dialog->Post(PrivateMessage{WM_RELOADHISTORY, 0, std::nullopt});
  host.Run();
  EXPECT_THAT(Rows()[0], ElementsAre("http://tres", "10:09-01/02/2026", ""));
  EXPECT_EQ(Rows().size(), 4u);

  files.Put(kHistory, "");
  dialog->Post(PrivateMessage{WM_RELOADHISTORY, 0, std::nullopt});
  host.PressEscape(dialog);
  host.Run();
  EXPECT_EQ(Rows().size(), 4u);
  ASSERT_NE(dialog, nullptr) << "Esc does nothing";
  host.PressEnter(dialog);
  host.Run();
  EXPECT_EQ(dialog, nullptr);
}

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

// The site buttons send the address to the panel's site batch with codes 2 and 3, drop the row
// from the view only and confirm.
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
  EXPECT_EQ(Rows().size(), 3u) << "the file still holds them";
}

// "Vacia" empties the file after the question; with no file to empty nothing changes.
TEST_F(History, ClearEmptiesOnlyWhenTheFileGoes) {
  host.Click(IDC_HISTORY_CLEAR, dialog).Answer(kIdNo);
  host.Run();
  EXPECT_EQ(Rows().size(), 3u);
  files.HoldOpen(kHistory);
  host.Click(IDC_HISTORY_CLEAR, dialog).Answer(kIdYes);
  host.Run();
  EXPECT_EQ(Rows().size(), 3u) << "a file in use stays";
  files.Release(kHistory);
  host.Click(IDC_HISTORY_CLEAR, dialog).Answer(kIdYes);
  host.Run();
  EXPECT_THAT(Rows(), IsEmpty());
  EXPECT_EQ(files.Content(kHistory), "");
  EXPECT_FALSE(Shown(IDC_HISTORY_CLEAR));
}

}  // namespace
}  // namespace tevanor::testing
