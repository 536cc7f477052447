#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/dialog_host.h"
#include "rules/site_store.h"
#include "ui/dialog_messages.h"

namespace tevanor::testing {

// The control panel as its editing dialogs see it: it logs the commands and private messages
// it receives and, when given a site store, hands WM_SITEEDIT to it as the panel does.
class StandInPanel final : public Dialog {
 public:
  static constexpr DialogTemplate kTemplate{9000, "Panel", 200, 100, "MS Sans Serif", 8, 0, {}};

  explicit StandInPanel(DialogHost& host) : Dialog(host, kTemplate) {}
  StandInPanel(DialogHost& host, SiteStore& store) : StandInPanel(host) { sites = &store; }

  std::vector<int> commands;
  std::vector<PrivateMessage> messages;
  SiteStore* sites = nullptr;

 protected:
  void OnCommand(const Command& command) override { commands.push_back(command.id); }
  std::intptr_t OnPrivateMessage(PrivateMessage& message) override {
    messages.push_back(message);
    if (message.number == WM_SITEEDIT && sites != nullptr)
      return sites->OnSiteEdit(message.text.value_or(""), static_cast<int>(message.value));
    return 0;
  }
};

}  // namespace tevanor::testing
