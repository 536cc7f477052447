#include "probe_dialog.h"

#include "probe_ids.h"

namespace tevanor::testing {

namespace {

constexpr ControlTemplate kControls[] = {
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

}  // namespace

const DialogTemplate ProbeDialog::kTemplate{
    IDD_PROBE, "Probe", 240, 120, "MS Sans Serif", 8, kVisibleAtCreation, kControls};

bool ProbeDialog::OnInitDialog() {
  log.push_back("init");
  if (onInit) onInit();
  return true;
}

void ProbeDialog::OnCommand(const Command& command) {
  // Focus and update notifications come from real controls only; the dialogs never use them.
  if (command.code != kButtonClicked && command.code != kEditChanged) return;
  log.push_back("command " + std::to_string(command.id) + " " + std::to_string(command.code) +
                (command.fromControl ? " control" : ""));
  if (onCommand) return onCommand(command);
  Dialog::OnCommand(command);
}

void ProbeDialog::OnListNotify(const ListNotification& n) {
  static const char* const kKinds[] = {"inserted", "deleting", "click", "key"};
  log.push_back("list " + std::to_string(n.listId) + " " + kKinds[static_cast<int>(n.kind)] + " " +
                std::to_string(n.item) + " of " + std::to_string(Window().ListCount(n.listId)));
}

void ProbeDialog::OnTimer(unsigned id) {
  log.push_back("timer " + std::to_string(id));
  if (onTimer) onTimer(id);
}

std::intptr_t ProbeDialog::OnPrivateMessage(PrivateMessage& message) {
  log.push_back("message " + std::to_string(message.number) + " " + std::to_string(message.value) +
                (message.text ? " " + *message.text : ""));
  return onMessage ? onMessage(message) : 0;
}

bool ProbeDialog::OnClose() {
  log.push_back("close");
  return false;
}

bool ProbeDialog::OnShowWindow(bool shown) {
  log.push_back(shown ? "show" : "hide");
  return false;
}

void ProbeDialog::OnDestroy() {
  log.push_back("destroy");
}

}  // namespace tevanor::testing
