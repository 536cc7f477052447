#pragma once

#include <string>
#include <string_view>

namespace tevanor {

// What a block did to the program that showed the window.
enum class BlockAction {
  kCloseRequest,  // its top-level window was asked to close
  kEndProgram,    // the program was ended
  kLeftRunning,   // nothing could be done: the process could not be opened, or the window went
};

// One block as it was recorded, for whoever shows it.
struct BlockReport {
  std::string siteText;
  std::string time;  // as in the history: "%H:%M-%d/%m/%Y"
  std::string cause;
  BlockAction action = BlockAction::kCloseRequest;
};

// What the guardian asks of the window that hosts it (the control panel, or the headless
// guardian). Messages are posted: they run after the current handler returns.
class GuardHost {
 public:
  virtual ~GuardHost() = default;
  virtual void PostShowPanel() = 0;   // a second start asked to see the panel
  virtual void PostClosePanel() = 0;  // hide the panel
  // False while the password prompt or one of the panel's editing dialogs is up.
  virtual bool MayAutoHide() = 0;
  // Creates a modeless version notice that loads `address` and compares it with `version`.
  virtual void CreateVersionNotice(const std::string& version, std::string_view address) = 0;

  // Makes `caption` the panel's caption.
  virtual void SetCaption(const std::string& caption) = 0;
  // Posts the reload request to the history dialog, when one is open.
  virtual void PostHistoryReload() = 0;
  // Called after every block, once it is recorded: the panel pops up a new block notice (it
  // has no use for the details); the headless guardian prints them.
  virtual void OpenBlockNotice(const BlockReport& block) = 0;
};

}  // namespace tevanor
