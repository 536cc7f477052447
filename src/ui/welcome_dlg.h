#pragma once

#include "framework/dialog_host.h"

namespace tevanor {

// Greets the parent on the first run, before the first password is set. "&Continuar", Enter
// and Esc end it.
class CWelcomeDlg final : public Dialog {
 public:
  static const DialogTemplate kTemplate;
  explicit CWelcomeDlg(DialogHost& host) : Dialog(host, kTemplate) {}
};

}  // namespace tevanor
