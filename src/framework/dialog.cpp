#include "framework/dialog.h"

#include <stdexcept>
#include <string>
#include <type_traits>

#include "framework/dialog_host.h"

namespace tevanor {

DialogWindow& Dialog::Window() const {
  if (window_ == nullptr)
    throw std::logic_error("dialog " + std::to_string(layout_.id) + " has no window");
  return *window_;
}

int Dialog::DoModal(Dialog* owner) {
  return host_.RunModal(*this, owner);
}

void Dialog::Post(DialogEvent event) {
  if (window_ != nullptr) window_->Post(std::move(event));
}

std::optional<std::intptr_t> Dialog::Send(DialogEvent event) {
  if (window_ == nullptr) return std::nullopt;
  return window_->Send(std::move(event));
}

int Dialog::ShowMessage(std::string_view text, MessageButtons buttons) {
  return host_.ShowMessage(this, text, buttons);
}

void Dialog::OnCommand(const Command& command) {
  if (command.code != ControlNotification::kClicked) return;
  if (command.id == kIdOk) OnOK();
  if (command.id == kIdCancel) OnCancel();
}

std::optional<std::intptr_t> Dialog::Dispatch(DialogEvent& event) {
  using Result = std::optional<std::intptr_t>;
  const auto handled = [](bool done) { return done ? Result(0) : std::nullopt; };
  return std::visit(
      [&](auto& e) -> Result {
        using E = std::decay_t<decltype(e)>;
        if constexpr (std::is_same_v<E, Command>) OnCommand(e);
        if constexpr (std::is_same_v<E, ListNotification>) OnListNotify(e);
        if constexpr (std::is_same_v<E, TimerTick>) OnTimer(e.id);
        if constexpr (std::is_same_v<E, HotKey>) OnHotKey(e);
        if constexpr (std::is_same_v<E, TaskbarCreated>) OnTaskbarCreated();
        if constexpr (std::is_same_v<E, ControlColour>) return OnControlColour(e.controlId);
        if constexpr (std::is_same_v<E, PrivateMessage>) return OnPrivateMessage(e);
        if constexpr (std::is_same_v<E, CloseRequest>) return handled(OnClose());
        if constexpr (std::is_same_v<E, ShowChange>) return handled(OnShowWindow(e.shown));
        if constexpr (std::is_same_v<E, SysCommand>)
          return handled(!e.close && OnSysCommand(e.menuItem));
        return 0;
      },
      event);
}

void DialogHost::Detach(Dialog& dialog) {
  dialog.window_ = nullptr;
  // Each hook belongs to the window that is going; a later window of the dialog starts afresh.
  const auto hooks = std::move(dialog.onDestroyed_);
  dialog.onDestroyed_.clear();
  for (const auto& clear : hooks) clear();
}

}  // namespace tevanor
