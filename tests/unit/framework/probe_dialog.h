#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/dialog_host.h"

namespace tevanor::testing {

// A dialog for tests of the hosts: it logs every message that reaches it, in order, and runs
// the test's hooks. Unset hooks leave the base class's handling.
class ProbeDialog : public Dialog {
 public:
  static const DialogTemplate kTemplate;

  explicit ProbeDialog(DialogHost& host, int* released = nullptr)
      : Dialog(host, kTemplate), released_(released) {}
  ~ProbeDialog() override {
    if (released_ != nullptr) ++*released_;
  }

  std::vector<std::string> log;
  std::function<void()> onInit;
  std::function<void(const Command&)> onCommand;
  std::function<void(unsigned)> onTimer;
  std::function<std::intptr_t(PrivateMessage&)> onMessage;

 protected:
  bool OnInitDialog() override;
  void OnCommand(const Command& command) override;
  void OnListNotify(const ListNotification& n) override;
  void OnTimer(unsigned id) override;
  std::intptr_t OnPrivateMessage(PrivateMessage& message) override;
  bool OnClose() override;
  bool OnShowWindow(bool shown) override;
  void OnDestroy() override;

 private:
  int* released_;
};

}  // namespace tevanor::testing
