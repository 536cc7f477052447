#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fakes/framework/fake_dialog_window.h"
#include "framework/dialog_host.h"

namespace tevanor::testing {

// Dialogs without a window system: controls in memory and one deterministic event loop on a
// virtual clock that starts at 0 ms.
//
// The loop, whether run by Run() or by a modal run, always takes the first of: a posted
// message; the next timer tick of any window while a Wait is in progress; the next step of
// the script. Timers of every window therefore keep ticking inside nested modal runs and
// message boxes. A modal run or message box that finds nothing left to do would wait for
// the user forever: it throws std::runtime_error naming the dialog, so the test fails.
//
// Script steps act on the active window: the innermost modal dialog or message box, else the
// newest visible window; or on the dialog given. A step the user could not take (clicking a
// hidden button, typing into a hidden field, answering a message box that is not there) throws
// std::logic_error.
class FakeDialogHost final : public DialogHost {
 public:
  struct Message {
    std::string text;
  };

  FakeDialogHost();
  ~FakeDialogHost() override;

  int RunModal(Dialog& dialog, Dialog* owner) override;
  Dialog* CreateModeless(std::unique_ptr<Dialog> dialog, Dialog* owner) override;
  int ShowMessage(Dialog* owner, std::string_view text, MessageButtons buttons) override;
  void Beep() override {}

  // The script.
  FakeDialogHost& Type(int editId, std::string text, Dialog* target = nullptr);
  FakeDialogHost& Click(int buttonId, Dialog* target = nullptr);
  FakeDialogHost& PressEnter(Dialog* target = nullptr);
  FakeDialogHost& PressEscape(Dialog* target = nullptr);
  FakeDialogHost& PressAltF4(Dialog* target = nullptr);
  FakeDialogHost& Answer(int button);  // kIdOk, kIdYes or kIdNo
  FakeDialogHost& Wait(std::uint64_t milliseconds);
  FakeDialogHost& Then(std::function<void()> step);  // the test's own check or action

  // Runs the loop outside any modal run until nothing is posted and the script is used up.
  void Run();

  std::uint64_t Now() const { return now_; }
  // The live windows of a template, oldest first.
  std::vector<Dialog*> Dialogs(int templateId) const;
  FakeWindow& WindowOf(const Dialog& dialog) const;
  const std::vector<Message>& Messages() const { return messages_; }

 private:
  friend class FakeWindow;
  struct Timer {
    std::uint64_t window;
    unsigned id;
    unsigned period;
    std::uint64_t due;
    std::uint64_t order;
  };
  struct Posted {
    std::uint64_t window;
    DialogEvent event;
  };
  struct Frame {  // one modal run or message box
    FakeWindow* window = nullptr;
    std::optional<int> answer;  // message boxes
    MessageButtons buttons = MessageButtons::kOk;
  };
  class DispatchScope;

  FakeWindow* Create(Dialog& dialog, bool modal);
  void DestroyWindow(FakeWindow& window);  // with the dialog's OnDestroy
  void RemoveWindow(FakeWindow& window);   // without
  FakeWindow* Live(std::uint64_t serial) const;
  std::optional<std::intptr_t> Dispatch(FakeWindow& window, DialogEvent event);
  void SetTimer(FakeWindow& window, unsigned id, unsigned milliseconds);
  void KillTimer(std::uint64_t window, unsigned id);
  bool Step();
  void Loop(const Frame& frame, const std::string& what);
  FakeDialogHost& Add(std::function<void()> step);
  FakeWindow& Target(Dialog* target) const;
  FakeControl& UserControl(FakeWindow& window, int id, const char* action) const;
  void ClickButton(FakeWindow& window, int id);
  void SendKey(FakeWindow& window, int id);

  std::uint64_t now_ = 0;
  std::uint64_t waitUntil_ = 0;
  bool waiting_ = false;  // a Wait step runs until the clock reaches waitUntil_
  std::uint64_t nextSerial_ = 1;
  std::uint64_t nextTimerOrder_ = 0;
  int depth_ = 0;
  std::vector<std::unique_ptr<FakeWindow>> windows_;
  std::vector<std::pair<std::uint64_t, std::unique_ptr<Dialog>>> owned_;
  std::vector<std::unique_ptr<FakeWindow>> goneWindows_;
  std::vector<std::unique_ptr<Dialog>> goneDialogs_;
  std::vector<Timer> timers_;
  std::deque<Posted> posted_;
  std::deque<std::function<void()>> script_;
  std::vector<Frame*> frames_;
  std::vector<Message> messages_;
};

}  // namespace tevanor::testing
