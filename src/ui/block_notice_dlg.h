#pragma once

#include "framework/dialog_host.h"

namespace tevanor {

// The short notice "Protegiendo......" shown after every block. Each notice is its own
// modeless window without owner, closes itself 5 s after it appeared or at once on "OK", and
// is released with its window; Esc only hides it until then. Several may be up at once.
class CBlockNoticeDlg final : public Dialog {
 public:
  static const DialogTemplate kTemplate;
  static constexpr unsigned TIMER_CLOSE = 1;
  static constexpr unsigned kCloseAfterMs = 5'000;

  explicit CBlockNoticeDlg(DialogHost& host) : Dialog(host, kTemplate) {}

  // Shows a new notice; false when its window cannot be created, which the block ignores.
  static bool Open(DialogHost& host);

 protected:
  bool OnInitDialog() override;
  void OnTimer(unsigned id) override;
  void OnOK() override;
};

}  // namespace tevanor
