#pragma once

#include "framework/dialog_host.h"

namespace tevanor {

// The about box, opened from the panel's system menu. "Aceptar", Enter, Esc and the close box
// end it.
class CAboutDlg final : public Dialog {
 public:
  static const DialogTemplate kTemplate;
  explicit CAboutDlg(DialogHost& host) : Dialog(host, kTemplate) {}
};

}  // namespace tevanor
