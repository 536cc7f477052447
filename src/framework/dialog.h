#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "framework/dialog_events.h"
#include "framework/dialog_template.h"
#include "framework/dialog_window.h"

namespace tevanor {

class DialogHost;

// The base of every dialog: its template, its host, and one handler per message kind. The
// logic talks to its window only through Window(), which exists from initialisation until
// the window is destroyed. Handlers that return bool report whether they handled the message;
// false leaves it to the default handling of the dialog manager.
class Dialog {
 public:
  Dialog(DialogHost& host, const DialogTemplate& layout) : host_(host), layout_(layout) {}
  virtual ~Dialog() = default;
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  const DialogTemplate& Layout() const { return layout_; }
  DialogHost& Host() const { return host_; }
  bool HasWindow() const { return window_ != nullptr; }
  // The dialog's window. Asking for it while there is none is a programming error.
  DialogWindow& Window() const;

  // Runs the dialog modally, in a nested message loop in which every window's timers keep
  // ticking. Returns the result given to EndDialog, or -1 when the window cannot be created.
  int DoModal(Dialog* owner = nullptr);
  // Posts or sends to this dialog; nothing happens when it has no window.
  void Post(DialogEvent event);
  std::optional<std::intptr_t> Send(DialogEvent event);
  // A modal message box owned by this dialog; timers keep ticking while it is up.
  int ShowMessage(std::string_view text, MessageButtons buttons = MessageButtons::kOk);

  // `ref` is set to null when this dialog's window is destroyed: the owner's reference to a
  // modeless dialog never outlives it.
  template <typename T>
  void ClearOnDestroy(T*& ref) {
    onDestroyed_.push_back([&ref] { ref = nullptr; });
  }

 protected:
  virtual bool OnInitDialog() { return true; }  // true: the dialog manager sets the focus
  // Routes clicks (and Enter and Esc) of kIdOk to OnOK and of kIdCancel to OnCancel.
  virtual void OnCommand(const Command& command);
  virtual void OnOK() { Window().EndDialog(kIdOk); }
  virtual void OnCancel() { Window().EndDialog(kIdCancel); }
  virtual void OnListNotify(const ListNotification&) {}
  virtual void OnTimer(unsigned) {}
  virtual std::intptr_t OnPrivateMessage(PrivateMessage&) { return 0; }
  virtual bool OnClose() { return false; }  // default: a cancel command
  virtual bool OnShowWindow(bool) { return false; }
  // A system-menu item the dialog added; false leaves it to the host (the close box closes).
  virtual bool OnSysCommand(unsigned /*menuItem*/) { return false; }
  virtual void OnHotKey(const HotKey&) {}
  // The text colour of a static control or button (PackRgb), or nullopt for the default.
  virtual std::optional<std::intptr_t> OnControlColour(int) { return std::nullopt; }
  virtual void OnTaskbarCreated() {}
  virtual void OnDestroy() {}  // the window and its controls still exist

 private:
  friend class DialogHost;
  std::optional<std::intptr_t> Dispatch(DialogEvent& event);

  DialogHost& host_;
  const DialogTemplate& layout_;
  DialogWindow* window_ = nullptr;
  std::vector<std::function<void()>> onDestroyed_;
};

}  // namespace tevanor
