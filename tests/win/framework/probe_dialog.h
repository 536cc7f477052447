#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/dialog_host.h"
#include "probe_ids.h"

namespace tevanor::testing {

inline constexpr ControlTemplate kProbeControls[] = {
    {IDC_PROBE_EDIT, ControlKind::kEdit, "", {7, 7, 100, 13}},
    {IDC_PROBE_BUTTON, ControlKind::kPushButton, "Probar", {112, 7, 50, 14}},
    {IDC_PROBE_HIDDEN, ControlKind::kPushButton, "Oculto", {112, 24, 50, 14}, kHidden},
    {IDC_PROBE_CHECK, ControlKind::kCheckBox, "Marca", {7, 24, 60, 10}},
    {IDC_PROBE_RADIO_A, ControlKind::kRadioButton, "A", {7, 36, 40, 10}, kGroupStart},
    {IDC_PROBE_RADIO_B, ControlKind::kRadioButton, "B", {50, 36, 40, 10}},
    {IDC_PROBE_SORTED, ControlKind::kListView, "", {7, 50, 100, 60}, kSorted},
    {IDC_PROBE_REPORT, ControlKind::kListView, "", {112, 50, 120, 60}, kReportView},
    {kIdOk, ControlKind::kDefaultButton, "OK", {182, 7, 50, 14}},
};

// A dialog for tests of the hosts (its resource is probe.rc): it logs every message that
// reaches it, in order, and runs the test's hooks. Unset hooks leave the base class's handling.
class ProbeDialog : public Dialog {
 public:
  static constexpr DialogTemplate kTemplate{
      IDD_PROBE, "Probe", 240, 120, "MS Sans Serif", 8, kVisibleAtCreation, kProbeControls};

  explicit ProbeDialog(DialogHost& host, int* released = nullptr)
      : Dialog(host, kTemplate), released_(released) {}
  ~ProbeDialog() override {
    if (released_ != nullptr) ++*released_;
  }

  std::vector<std::string> log;
  std::function<void()> onInit;
  std::function<void(const Command&)> onCommand;
  std::function<void(unsigned)> onTimer;
  std::function<std::intptr_t(PrivateMessage&)> onMessage;

 protected:
  bool OnInitDialog() override {
    Note("init");
    if (onInit) onInit();
    return true;
  }
  void OnCommand(const Command& c) override {
    // Focus and update notifications come from real controls only; the dialogs never use them.
    if (c.code != ControlNotification::kClicked && c.code != ControlNotification::kEditChanged)
      return;
    Note("command " + std::to_string(c.id) + " " + std::to_string(static_cast<int>(c.code)) +
         (c.fromControl ? " control" : ""));
    if (onCommand) return onCommand(c);
    Dialog::OnCommand(c);
  }
  void OnListNotify(const ListNotification& n) override {
    static const char* const kKinds[] = {"inserted", "deleting", "click", "key"};
    Note("list " + std::to_string(n.listId) + " " + kKinds[static_cast<int>(n.kind)] + " " +
         std::to_string(n.item) + " of " + std::to_string(Window().ListCount(n.listId)));
  }
  void OnTimer(unsigned id) override {
    Note("timer " + std::to_string(id));
    if (onTimer) onTimer(id);
  }
  std::intptr_t OnPrivateMessage(PrivateMessage& m) override {
    Note("message " + std::to_string(m.number) + " " + std::to_string(m.value) +
         (m.text ? " " + *m.text : ""));
    return onMessage ? onMessage(m) : 0;
  }
  bool OnClose() override { return Note("close"); }
  bool OnShowWindow(bool shown) override { return Note(shown ? "show" : "hide"); }
  void OnDestroy() override { Note("destroy"); }

 private:
  // Logs the entry and leaves the message to the default handling.
  bool Note(std::string entry) {
    log.push_back(std::move(entry));
    return false;
  }

  int* released_;
};

}  // namespace tevanor::testing
