// What the dialogs rely on of their host, held against the Win32 host: controls, list views,
// posted and sent events, closing, modeless lifetimes and nested modal runs.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "platform/win32/framework/win32_dialog_host.h"
#include "probe_dialog.h"
#include "text/cp1252.h"

namespace tevanor::testing {
namespace {

using ::testing::ElementsAre;

class HostContract : public ::testing::Test {
 protected:
  // A modeless probe the test talks to directly.
  ProbeDialog& Open() {
    auto* probe = OpenModeless<ProbeDialog>(host, nullptr, &released);
    if (probe == nullptr) throw std::runtime_error("the probe dialog was not created");
    probe->log.clear();
    return *probe;
  }
  // Each row of a list as "data|column 0|column 1|...".
  static std::vector<std::string> Rows(DialogWindow& window, int list, int columns) {
    std::vector<std::string> found;
    for (int i = 0; i < window.ListCount(list); ++i) {
      found.push_back(std::to_string(window.ListData(list, i)));
      for (int c = 0; c < columns; ++c)
        found.back().append("|").append(window.ListText(list, i, c));
    }
    return found;
  }

  int released = 0;
  win32::Win32DialogHost host;
};

TEST_F(HostContract, ControlsKeepTheirTextVisibilityAndCheckState) {
  ProbeDialog& probe = Open();
  DialogWindow& window = probe.Window();
  // An edit reports each real change of its text once; a button's text is no edit change.
  const std::string text(" Contraseña ñÑ€ "_ansi);
  window.SetControlText(IDC_PROBE_EDIT, text);
  window.SetControlText(IDC_PROBE_EDIT, text);
  window.SetControlText(IDC_PROBE_BUTTON, "Otro");
  EXPECT_THAT(probe.log, ElementsAre("command 901 1 control"));
  EXPECT_EQ(window.ControlText(IDC_PROBE_EDIT), text);
  window.ShowControl(IDC_PROBE_HIDDEN, true);
  window.ShowControl(IDC_PROBE_BUTTON, false);
  window.SetCheck(IDC_PROBE_CHECK, true);
  // Checking an automatic radio button clears the others of its group, whoever does it.
  window.SetCheck(IDC_PROBE_RADIO_B, true);
  window.SetCheck(IDC_PROBE_RADIO_A, true);
  EXPECT_THAT((std::vector<bool>{
                  window.IsControlVisible(IDC_PROBE_HIDDEN),
                  window.IsControlVisible(IDC_PROBE_BUTTON), window.IsChecked(IDC_PROBE_CHECK),
                  window.IsChecked(IDC_PROBE_RADIO_A), window.IsChecked(IDC_PROBE_RADIO_B)}),
              ElementsAre(true, false, true, true, false));
}

// A sorted list places items without regard to case, equals after; a selection follows its
// item as others come and go. A report list keeps its columns.
TEST_F(HostContract, ListViewsKeepTheirItemsInOrderWithDataColumnsAndSelection) {
  ProbeDialog& probe = Open();
  DialogWindow& window = probe.Window();
  std::uintptr_t data = 100;
  for (const char* fruit : {"Pera", "manzana", "Uva", "kiwi"})
    window.ListInsert(IDC_PROBE_SORTED, 0, fruit, 0, data++);
  window.ListSelect(IDC_PROBE_SORTED, 1, true);
  window.ListSelect(IDC_PROBE_SORTED, 3, true);
  window.ListDelete(IDC_PROBE_SORTED, 1);
  window.ListDelete(IDC_PROBE_SORTED, 7);  // no such item: nothing happens
  EXPECT_THAT(probe.log, ElementsAre("list 907 inserted 0 of 1", "list 907 inserted 0 of 2",
                                     "list 907 inserted 2 of 3", "list 907 inserted 0 of 4",
                                     "list 907 deleting 1 of 4"));
  window.ListInsert(IDC_PROBE_SORTED, 9, "KIWI", 0, 104);
  EXPECT_THAT(Rows(window, IDC_PROBE_SORTED, 1),
              ElementsAre("103|kiwi", "104|KIWI", "100|Pera", "102|Uva"));
  EXPECT_EQ(window.ListNextSelected(IDC_PROBE_SORTED, -1), 3);
  window.ListDelete(IDC_PROBE_SORTED, 0);
  EXPECT_EQ(window.ListNextSelected(IDC_PROBE_SORTED, -1), 2);
  EXPECT_EQ(window.ListNextSelected(IDC_PROBE_SORTED, 2), -1);

  EXPECT_GT(window.ListClientWidth(IDC_PROBE_REPORT), 100);
  for (const char* heading : {"URL", "HORA", "CAUSA"})
    window.ListAddColumn(IDC_PROBE_REPORT, heading, 60);
  const int row = window.ListInsert(IDC_PROBE_REPORT, 0, "http://a.example/", 0, 7);
  window.ListSetText(IDC_PROBE_REPORT, row, 2, "Sitio prohibido");
  window.ListInsert(IDC_PROBE_REPORT, 0, "Otro", 0, 8);
  EXPECT_THAT(Rows(window, IDC_PROBE_REPORT, 3),
              ElementsAre("8|Otro||", "7|http://a.example/||Sitio prohibido"));
}

// Rows the dialog keeps are read where they are: no item is inserted, and showing them again
// after they changed starts without a selection.
TEST_F(HostContract, AListShowsTheDialogsOwnRows) {
  struct Squares final : ListRows {
    int RowCount() const override { return count; }
    std::string RowText(int row, int column) const override {
      return std::to_string(row * row) + (column == 1 ? "!" : "");
    }
    int count = 100000;
  } squares;
  ProbeDialog& probe = Open();
  DialogWindow& window = probe.Window();
  for (const char* heading : {"N", "M"}) window.ListAddColumn(IDC_PROBE_REPORT, heading, 60);
  window.ListShowRows(IDC_PROBE_REPORT, &squares);
  window.ListSelect(IDC_PROBE_REPORT, 99999, true);
  EXPECT_EQ(window.ListText(IDC_PROBE_REPORT, 300, 1), "90000!");
  EXPECT_EQ(window.ListNextSelected(IDC_PROBE_REPORT, -1), 99999);
  squares.count = 3;
  window.ListShowRows(IDC_PROBE_REPORT, &squares);
  EXPECT_EQ(window.ListCount(IDC_PROBE_REPORT), 3);
  EXPECT_EQ(window.ListNextSelected(IDC_PROBE_REPORT, -1), -1);
  window.ListShowRows(IDC_PROBE_REPORT, nullptr);
  EXPECT_EQ(window.ListCount(IDC_PROBE_REPORT), 0);
  EXPECT_THAT(probe.log, ::testing::IsEmpty());
}

TEST_F(HostContract, PostedEventsRunInOrderAfterTheHandlerAndSentOnesAtOnce) {
  ProbeDialog& probe = Open();
  probe.onMessage = [&](PrivateMessage& m) -> std::intptr_t { return m.value * 2; };
  probe.onCommand = [&](const Command& c) {
    if (c.id != IDC_PROBE_BUTTON) return;
    probe.Post(PrivateMessage{4, 1, "uno"});
    probe.Post(Command{IDC_PROBE_CHECK, ControlNotification::kClicked, true});
    EXPECT_EQ(probe.Send(PrivateMessage{5, 21, std::nullopt}), 42);
    probe.log.push_back("handler done");
  };
  probe.Send(Command{IDC_PROBE_BUTTON, ControlNotification::kClicked, true});
  host.ProcessPendingMessages();
  EXPECT_THAT(probe.log, ElementsAre("command 902 0 control", "message 5 21", "handler done",
                                     "message 4 1 uno", "command 904 0 control"));
}

TEST_F(HostContract, CloseDefaultsToTheCancelCommandWhichHidesAModelessDialog) {
  ProbeDialog& probe = Open();
  probe.Post(SysCommand{0, true});
  host.ProcessPendingMessages();
  EXPECT_THAT(probe.log, ElementsAre("close", "command 2 0", "hide"));
  EXPECT_TRUE(probe.HasWindow());
}

// One instance at a time: released with its window, and the reference cleared for the next.
TEST_F(HostContract, AModelessDialogIsReleasedWithItsWindowAndItsReferenceCleared) {
  ProbeDialog* single = nullptr;
  const auto make = [&] { return std::make_unique<ProbeDialog>(host, &released); };
  ProbeDialog* first = OpenSingleFrom(single, host, nullptr, make);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(OpenSingleFrom(single, host, nullptr, make), first);
  first->Post(PrivateMessage{9, 0, "never"});
  first->onCommand = [&](const Command&) { first->Window().Destroy(); };
  first->Send(Command{IDC_PROBE_BUTTON, ControlNotification::kClicked, true});
  EXPECT_EQ(single, nullptr);
  EXPECT_EQ(released, 1);
  host.ProcessPendingMessages();  // the message posted to the gone window goes nowhere
  EXPECT_NE(OpenSingleFrom(single, host, nullptr, make), nullptr);
  EXPECT_EQ(released, 1);
}

TEST_F(HostContract, ModalRunsNestAndEachReturnsItsOwnResult) {
  ProbeDialog outer(host);
  ProbeDialog inner(host);
  outer.onInit = [&] { outer.Post(PrivateMessage{1, 0, std::nullopt}); };
  outer.onMessage = [&](PrivateMessage&) -> std::intptr_t {
    outer.Window().EndDialog(inner.DoModal(&outer) + 10);
    return 0;
  };
  inner.onInit = [&] { inner.Post(PrivateMessage{2, 0, std::nullopt}); };
  inner.onMessage = [&](PrivateMessage&) -> std::intptr_t {
    inner.Window().EndDialog(3);
    return 0;
  };
  EXPECT_EQ(outer.DoModal(), 13);
  EXPECT_FALSE(outer.HasWindow() || inner.HasWindow());
  EXPECT_THAT(inner.log, ElementsAre("init", "show", "message 2 0", "destroy"));
}

}  // namespace
}  // namespace tevanor::testing
