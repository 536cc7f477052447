#pragma once

#include <cstddef>
#include <string>

#include "framework/dialog_host.h"
#include "ui/password_form.h"

namespace tevanor {

// The password prompt, always run modally. In verify mode it accepts only the stored password
// and gives up 10 s after it opened or after the last change in the password field; in
// new-password mode it asks for the password twice and stores it, and can be left no other
// way. Results: kIdOk (accepted, or stored), kIdCancel ("Cancela" or time out).
class CPasswordDlg final : public Dialog {
 public:
  static const DialogTemplate kTemplate;
  static constexpr unsigned TIMER_TIMEOUT = 1;
  static constexpr unsigned kTimeoutMs = 10'000;
  static constexpr std::size_t kMinimumLength = 4;

  CPasswordDlg(DialogHost& host, PasswordStores stores)
      : Dialog(host, kTemplate), stores_(stores) {}

  std::string m_strPassword;  // edit 1015
  std::string m_strConfirm;   // edit 1018
  std::string m_strStored;    // verify mode: the stored form read at initialisation
  // 1 = new-password mode. Callers set it right before DoModal; every way out clears it.
  int m_bNewPassword = 0;

 protected:
  bool OnInitDialog() override;
  void OnCommand(const Command& command) override;
  void OnOK() override;
  void OnTimer(unsigned id) override;
  void OnDestroy() override;

 private:
  void OnTextChanged(bool restartTimer);
  void OnCancelButton();
  void Finish(int result);

  PasswordStores stores_;
};

}  // namespace tevanor
