#pragma once

#include <string>

#include "framework/dialog.h"
#include "guardian/guard_state.h"
#include "shell/shell_open.h"

namespace tevanor {

// "Examina" in the history and site dialogs: opens `site` for the parent, first offering to
// stop an active guardian when `offerStop`. The site is opened also when the parent keeps the
// guardian running; a site the system cannot open gives a beep.
void ExamineSite(Dialog& from, Dialog& panel, const GuardState& state, ShellOpen& shell,
                 const std::string& site, bool offerStop);

}  // namespace tevanor
