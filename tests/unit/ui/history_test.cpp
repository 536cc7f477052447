// The history dialog on the fake host: its row buttons, and "Vacia" with the file held open.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/fake_data_directory.h"
#include "fakes/fake_shell.h"
#include "fakes/framework/fake_dialog_host.h"
#include "resource.h"
#include "ui/history_dlg.h"
#include "unit/ui/stand_in_panel.h"

namespace tevanor::testing {
namespace {

using ::testing::ElementsAre;

constexpr std::string_view kHistory = "Tevanor.his";

class History : public ::testing::Test {
 protected:
  // Listed newest first: the file transfer, the notepad.
  void SetUp() override {
    files.Put(kHistory,
              "Bloc de notas - casino\b10:05-01/02/2026\bCASINO\b"
              "ftp://dos.example\b10:07-01/02/2026\bSitio prohibido\b");
    panel = OpenModeless<StandInPanel>(host, nullptr);
    OpenSingleFrom(dialog, host, panel, [&] {
      return std::make_unique<CHistoryDlg>(host, *panel, HistoryData{state, files, shell});
    });
  }
  FakeWindow& Window() const { return host.WindowOf(*dialog); }
  int Rows() const { return Window().ListCount(IDC_HISTORY_LIST); }
  void ClickRow(int row) {
    host.Then([this, row] {
      Window().ListSelect(IDC_HISTORY_LIST, row, true);
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

// A file-transfer address gets the row buttons, a window title not. "Examina" asks before
// stopping an active guardian; "Bloquea" hands the address to the panel's site batch and
// drops the row from the view.
TEST_F(History, RowButtonsActOnAddressesOnly) {
  state.m_bGuardActive = 1;
  ClickRow(1);
  host.Then([&] { EXPECT_FALSE(Window().IsControlVisible(IDC_HISTORY_SHOW)); });
  ClickRow(0);
  host.Click(IDC_HISTORY_SHOW, dialog).Answer(kIdYes);
  host.Click(IDC_HISTORY_PROHIBIT, dialog).Answer(kIdOk);
  host.Run();
  EXPECT_THAT(panel->commands, ElementsAre(kCommandToggleGuardian));
  EXPECT_THAT(shell.opened, ElementsAre("ftp://dos.example"));
  ASSERT_EQ(panel->messages.size(), 1u);
  EXPECT_EQ(std::tie(panel->messages[0].value, *panel->messages[0].text),
            std::make_tuple(kSiteEditAddProhibited, "ftp://dos.example"));
  EXPECT_EQ(Rows(), 1);
}

// The file goes only after "Sí" and when nothing holds it; the rows go with it, and the
// button with the last row.
TEST_F(History, ClearEmptiesOnlyWhenTheFileGoes) {
  const std::tuple<bool, int, int> steps[] = {
      {false, kIdNo, 2}, {true, kIdYes, 2}, {false, kIdYes, 0}};
  for (const auto& [held, answer, left] : steps) {
    if (held) files.HoldOpen(kHistory);
    host.Click(IDC_HISTORY_CLEAR, dialog).Answer(answer);
    host.Run();
    files.Release(kHistory);
    EXPECT_EQ(Rows(), left) << held << answer;
  }
  EXPECT_EQ(files.Content(kHistory), "");
  EXPECT_FALSE(Window().IsControlVisible(IDC_HISTORY_CLEAR));
}

}  // namespace
}  // namespace tevanor::testing
