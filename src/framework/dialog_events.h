#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace tevanor {

// The messages a dialog handles, one type per kind. The hosts turn window messages into these.

inline constexpr int kIdOk = 1;      // Enter, when no other default button exists
inline constexpr int kIdCancel = 2;  // Esc, Alt+F4 and the close box end up here
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

// What a control's command says.
enum class ControlNotification {
  kClicked,      // a click on a button, Enter and Esc
  kEditChanged,  // the text of an edit control changed
  kOther,        // focus and update notifications, which no dialog handles
};

// Message boxes: OK returns kIdOk, Yes/No returns kIdYes or kIdNo.
enum class MessageButtons { kOk, kYesNo };

// WM_COMMAND: a control's notification, or the dialog manager's Enter (the default button's
// id) and Esc (kIdCancel). `fromControl` is false when no control window sent it, as for Esc
// in a dialog without a control 2.
struct Command {
  int id = 0;
  ControlNotification code = ControlNotification::kClicked;
  bool fromControl = false;
};

// WM_NOTIFY from a list view.
struct ListNotification {
  enum class Kind {
    kItemInserted,  // after the insertion
    kItemDeleting,  // before the item goes; the count still includes it
    kClick,         // after the click changed the selection; item -1 for empty space
    kKeyDown,
  };
  int listId = 0;
  Kind kind = Kind::kClick;
  int item = -1;
  unsigned key = 0;  // virtual key of kKeyDown
};

struct TimerTick {
  unsigned id = 0;
};

// WM_USER + number. A message posted or sent between our dialogs may carry a text, which the
// receiver owns; messages from the system (the tray icon) carry only `value` (their lParam).
struct PrivateMessage {
  unsigned number = 0;
  std::intptr_t value = 0;
  std::optional<std::string> text;
};

struct CloseRequest {};  // WM_CLOSE

struct ShowChange {  // WM_SHOWWINDOW, before the visibility changes
  bool shown = false;
};

// WM_SYSCOMMAND: the close box or Alt+F4, or another item of the system menu (one the dialog
// added, by its id).
struct SysCommand {
  unsigned menuItem = 0;
  bool close = false;
};

struct HotKey {  // WM_HOTKEY
  int id = 0;
  unsigned modifiers = 0;
  unsigned key = 0;
};

// WM_CTLCOLOR* for a static control or a button: the dialog may give its text a colour.
struct ControlColour {
  int controlId = 0;
};

// The shell's taskbar was created anew (the shell restarted): tray icons must be added again.
struct TaskbarCreated {};

using DialogEvent = std::variant<Command, ListNotification, TimerTick, PrivateMessage, CloseRequest,
                                 ShowChange, SysCommand, HotKey, ControlColour, TaskbarCreated>;

// A colour as one number, as ControlColour's result carries it: red in the low byte.
inline constexpr std::intptr_t PackRgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return red | (green << 8) | (blue << 16);
}

}  // namespace tevanor
