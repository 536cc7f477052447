#include "ui/examine_site.h"

#include "framework/dialog_host.h"
#include "text/cp1252.h"
#include "ui/dialog_messages.h"

namespace tevanor {

void ExamineSite(Dialog& from, Dialog& panel, const GuardState& state, ShellOpen& shell,
                 const std::string& site, bool offerStop) {
  if (offerStop && state.m_bGuardActive &&
      from.ShowMessage("¿Detener la vigilancia para poder examinar?"_ansi,
                       MessageButtons::kYesNo) == kIdYes)
    panel.Send(Command{kCommandToggleGuardian, ControlNotification::kClicked, true});
  if (!shell.Open(site)) from.Host().Beep();
}

}  // namespace tevanor
