#include "host_contract.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "probe_dialog.h"
#include "probe_ids.h"
#include "text/cp1252.h"

namespace tevanor::testing {
namespace {

using ::testing::ElementsAre;

class HostContract : public ::testing::Test {
 protected:
  // A modeless probe the test talks to directly.
  ProbeDialog& Open() {
    auto* probe = OpenModeless<ProbeDialog>(host(), nullptr, &released);
    EXPECT_NE(probe, nullptr);
    probe->log.clear();
    return *probe;
  }
  DialogHost& host() { return binding->host(); }

  int released = 0;
  std::unique_ptr<ContractHost> binding = MakeContractHost();
};

TEST_F(HostContract, AnEditReportsEachRealChangeOfItsTextOnce) {
  ProbeDialog& probe = Open();
  DialogWindow& window = probe.Window();
  const std::string text(" Contraseña ñÑ€ "_ansi);
  window.SetControlText(IDC_PROBE_EDIT, text);
  window.SetControlText(IDC_PROBE_EDIT, text);
  window.SetControlText(IDC_PROBE_EDIT, "");
  EXPECT_THAT(probe.log, ElementsAre("command 901 768 control", "command 901 768 control"));
  window.SetControlText(IDC_PROBE_EDIT, text);
  EXPECT_EQ(window.ControlText(IDC_PROBE_EDIT), text);
  window.SetControlText(IDC_PROBE_BUTTON, "Otro");
  EXPECT_EQ(window.ControlText(IDC_PROBE_BUTTON), "Otro");
  EXPECT_EQ(probe.log.size(), 3u);  // a button's text is no edit change
}

TEST_F(HostContract, ControlsKeepTheirVisibilityAndCheckState) {
  ProbeDialog& probe = Open();
  DialogWindow& window = probe.Window();
  EXPECT_TRUE(window.IsControlVisible(IDC_PROBE_BUTTON));
  EXPECT_FALSE(window.IsControlVisible(IDC_PROBE_HIDDEN));
  window.ShowControl(IDC_PROBE_HIDDEN, true);
  window.ShowControl(IDC_PROBE_BUTTON, false);
  EXPECT_TRUE(window.IsControlVisible(IDC_PROBE_HIDDEN));
  EXPECT_FALSE(window.IsControlVisible(IDC_PROBE_BUTTON));

  window.SetCheck(IDC_PROBE_CHECK, true);
  window.SetCheck(IDC_PROBE_RADIO_B, true);
  EXPECT_TRUE(window.IsChecked(IDC_PROBE_CHECK));
  EXPECT_TRUE(window.IsChecked(IDC_PROBE_RADIO_B));
  // Checking an automatic radio button clears the others of its group, whoever does it.
  window.SetCheck(IDC_PROBE_RADIO_A, true);
  EXPECT_TRUE(window.IsChecked(IDC_PROBE_RADIO_A));
  EXPECT_FALSE(window.IsChecked(IDC_PROBE_RADIO_B));
  window.SetCheck(IDC_PROBE_CHECK, false);
  EXPECT_FALSE(window.IsChecked(IDC_PROBE_CHECK));

  window.SetCaption("Configuración"_ansi);
  EXPECT_EQ(window.Caption(), "Configuración"_ansi);
}

TEST_F(HostContract, ASortedListPlacesItemsByTextAndKeepsTheirData) {
  ProbeDialog& probe = Open();
  DialogWindow& window = probe.Window();
  const char* const fruits[] = {"pera", "manzana", "uva", "kiwi"};
  for (std::uintptr_t i = 0; i < 4; ++i)
    window.ListInsert(IDC_PROBE_SORTED, 0, fruits[i], 0, 100 + i);
  EXPECT_THAT(probe.log, ElementsAre("list 907 inserted 0 of 1", "list 907 inserted 0 of 2",
                                     "list 907 inserted 2 of 3", "list 907 inserted 0 of 4"));
  std::vector<std::pair<std::string, std::uintptr_t>> items;
  for (int i = 0; i < window.ListCount(IDC_PROBE_SORTED); ++i)
    items.emplace_back(window.ListText(IDC_PROBE_SORTED, i, 0),
                       window.ListData(IDC_PROBE_SORTED, i));
  EXPECT_THAT(items, ElementsAre(std::pair<std::string, std::uintptr_t>{"kiwi", 103},
                                 std::pair<std::string, std::uintptr_t>{"manzana", 101},
                                 std::pair<std::string, std::uintptr_t>{"pera", 100},
                                 std::pair<std::string, std::uintptr_t>{"uva", 102}));

  window.ListSelect(IDC_PROBE_SORTED, 1, true);
  window.ListSelect(IDC_PROBE_SORTED, 3, true);
  EXPECT_EQ(window.ListNextSelected(IDC_PROBE_SORTED, -1), 1);
  EXPECT_EQ(window.ListNextSelected(IDC_PROBE_SORTED, 1), 3);
  EXPECT_EQ(window.ListNextSelected(IDC_PROBE_SORTED, 3), -1);

  probe.log.clear();
  window.ListDelete(IDC_PROBE_SORTED, 1);
  window.ListDelete(IDC_PROBE_SORTED, 7);  // no such item: nothing happens
  EXPECT_THAT(probe.log, ElementsAre("list 907 deleting 1 of 4"));
  EXPECT_EQ(window.ListText(IDC_PROBE_SORTED, 1, 0), "pera");
  EXPECT_EQ(window.ListNextSelected(IDC_PROBE_SORTED, -1), 2);
}

TEST_F(HostContract, AReportListHoldsOneTextPerColumn) {
  ProbeDialog& probe = Open();
  DialogWindow& window = probe.Window();
  EXPECT_GT(window.ListClientWidth(IDC_PROBE_REPORT), 100);
  for (const char* heading : {"URL", "HORA", "CAUSA"})
    window.ListAddColumn(IDC_PROBE_REPORT, heading, 60);
  const int row = window.ListInsert(IDC_PROBE_REPORT, 0, "http://a.example/", 0, 0);
  window.ListSetText(IDC_PROBE_REPORT, row, 1, "21:07-05/12/2002");
  window.ListSetText(IDC_PROBE_REPORT, row, 2, "Sitio prohibido");
  window.ListInsert(IDC_PROBE_REPORT, 0, "Otro", 0, 0);
  EXPECT_EQ(window.ListText(IDC_PROBE_REPORT, 1, 0), "http://a.example/");
  EXPECT_EQ(window.ListText(IDC_PROBE_REPORT, 1, 1), "21:07-05/12/2002");
  EXPECT_EQ(window.ListText(IDC_PROBE_REPORT, 1, 2), "Sitio prohibido");
  EXPECT_EQ(window.ListText(IDC_PROBE_REPORT, 0, 2), "");
}

TEST_F(HostContract, PostedEventsRunInOrderAfterTheHandlerAndSentOnesAtOnce) {
  ProbeDialog& probe = Open();
  probe.onMessage = [&](PrivateMessage& m) -> std::intptr_t { return m.value * 2; };
  probe.onCommand = [&](const Command& c) {
    if (c.id != IDC_PROBE_BUTTON) return;
    probe.Post(PrivateMessage{4, 1, "uno"});
    probe.Post(Command{IDC_PROBE_CHECK, kButtonClicked, true});
    probe.Post(PrivateMessage{4, 2, std::nullopt});
    EXPECT_EQ(probe.Send(PrivateMessage{5, 21, std::nullopt}), 42);
    probe.log.push_back("handler done");
  };
  probe.Send(Command{IDC_PROBE_BUTTON, kButtonClicked, true});
  binding->RunPending();
  EXPECT_THAT(probe.log, ElementsAre("command 902 0 control", "message 5 21", "handler done",
                                     "message 4 1 uno", "command 904 0 control", "message 4 2"));
}

TEST_F(HostContract, CloseDefaultsToTheCancelCommandWhichHidesAModelessDialog) {
  ProbeDialog& probe = Open();
  probe.Post(SysCommand{kSysCommandClose});
  binding->RunPending();
  EXPECT_THAT(probe.log, ElementsAre("close", "command 2 0", "hide"));
  EXPECT_FALSE(probe.Window().IsVisible());
  EXPECT_TRUE(probe.HasWindow());
}

TEST_F(HostContract, AModelessDialogIsReleasedWithItsWindowAndItsReferenceCleared) {
  ProbeDialog* single = nullptr;
  ProbeDialog* first = OpenSingle(single, host(), nullptr, &released);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(OpenSingle(single, host(), nullptr, &released), first);
  first->Post(PrivateMessage{9, 0, "never"});
  first->onCommand = [&](const Command&) { first->Window().Destroy(); };
  first->Send(Command{IDC_PROBE_BUTTON, kButtonClicked, true});
  EXPECT_EQ(single, nullptr);
  EXPECT_EQ(released, 1);
  binding->RunPending();  // the message posted to the gone window goes nowhere
  EXPECT_NE(OpenSingle(single, host(), nullptr, &released), nullptr);
  EXPECT_EQ(released, 1);
}

TEST_F(HostContract, ModalRunsNestAndEachReturnsItsOwnResult) {
  ProbeDialog outer(host());
  ProbeDialog inner(host());
  outer.onInit = [&] { outer.Post(PrivateMessage{1, 0, std::nullopt}); };
  outer.onMessage = [&](PrivateMessage&) -> std::intptr_t {
    const int innerResult = inner.DoModal(&outer);
    outer.Window().EndDialog(innerResult + 10);
    return 0;
  };
  inner.onInit = [&] { inner.Post(PrivateMessage{2, 0, std::nullopt}); };
  inner.onMessage = [&](PrivateMessage&) -> std::intptr_t {
    inner.Window().EndDialog(3);
    return 0;
  };
  EXPECT_EQ(outer.DoModal(), 13);
  EXPECT_FALSE(outer.HasWindow());
  EXPECT_FALSE(inner.HasWindow());
  EXPECT_THAT(inner.log, ElementsAre("init", "show", "message 2 0", "destroy"));
}

}  // namespace
}  // namespace tevanor::testing
