#pragma once

#include "resource.h"

namespace tevanor {

// The private messages between the program's windows, as numbers above WM_USER
// (PrivateMessage::number), and the commands other dialogs send to the panel.
inline constexpr unsigned WM_ADDPHRASE = 1;      // filter configuration: a word from word entry
inline constexpr unsigned WM_ADDSITE = 2;        // site administration: add a site to a list
inline constexpr unsigned WM_SITEEDIT = 3;       // panel: one record of a site-file batch
inline constexpr unsigned WM_RELOADHISTORY = 4;  // history dialog: reload the history
inline constexpr unsigned WM_REFILLSITES = 5;    // site administration: refill both lists
inline constexpr unsigned WM_TRAYNOTIFY = 6;     // panel: a mouse message on the tray icon
inline constexpr unsigned WM_SHOWPANEL = 7;      // panel: show behind the password prompt

// Commands are the buttons' own: a sent command clicks the button with that id.
inline constexpr int kCommandToggleGuardian = IDC_GUARD_SWITCH;  // panel: switch the guardian
// To an editing dialog: close and save nothing, as its cancel or close button does.
inline constexpr int kCommandCloseUnsaved = IDC_FILTER_CANCEL;
static_assert(IDC_SITES_CANCEL == kCommandCloseUnsaved &&
              IDC_HISTORY_CLOSE == kCommandCloseUnsaved);

}  // namespace tevanor
