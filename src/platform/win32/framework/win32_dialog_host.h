#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/dialog_host.h"
#include "platform/win32/framework/win32_dialog_window.h"

namespace tevanor::win32 {

// Dialogs on Win32, from templates built in memory from their descriptions; their pictures
// come from the module `resources`. Modal runs use
// their own message loop, which passes keyboard messages of every modeless dialog through
// IsDialogMessage, so Enter, Esc and Tab work in all of them. Posted and sent events travel as
// window messages; those that carry data the window message cannot hold go through the host.
class Win32DialogHost final : public DialogHost {
 public:
  explicit Win32DialogHost(HINSTANCE resources = ::GetModuleHandleW(nullptr),
                           std::string messageCaption = "Tevanor");
  ~Win32DialogHost() override;
  Win32DialogHost(const Win32DialogHost&) = delete;
  Win32DialogHost& operator=(const Win32DialogHost&) = delete;

  int RunModal(Dialog& dialog, Dialog* owner) override;
  Dialog* CreateModeless(std::unique_ptr<Dialog> dialog, Dialog* owner) override;
  int ShowMessage(Dialog* owner, std::string_view text, MessageButtons buttons) override;
  void Beep() override { ::MessageBeep(0); }

  // The window of a dialog hosted here, or nullptr.
  static HWND WindowOf(const Dialog& dialog);
  // Handles the messages waiting in the thread's queue as the modal loops do; false once
  // WM_QUIT has been seen (it is posted again for the caller's loop).
  bool ProcessPendingMessages();

  HINSTANCE resources() const { return instance_; }

  // Private message WM_USER + `number` is acted on when another program sends it (the tray
  // icon's notification comes from the shell). Every other private message is the program's
  // own and travels through the host; copies posted from outside are dropped.
  void AcceptFromOutside(unsigned number) { fromOutside_.push_back(number); }

 private:
  friend class Win32DialogWindow;
  struct SentEvent;
  struct Pending {
    HWND window;
    DialogEvent event;
  };

  // One handler running: windows that went meanwhile are released once no handler runs any
  // more, so that none goes from under a handler of its own.
  class HandlerScope {
   public:
    explicit HandlerScope(Win32DialogHost& host) : host_(host) { ++host_.depth_; }
    ~HandlerScope() {
      if (--host_.depth_ == 0) host_.gone_.clear();
    }
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;

   private:
    Win32DialogHost& host_;
  };

  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Handle(Win32DialogWindow& window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Route(Win32DialogWindow& window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Reply(Win32DialogWindow& window, DialogEvent event);
  SentEvent* OurSend(UINT message, LPARAM lParam) const;
  INT_PTR RouteNotify(Win32DialogWindow& window, const NMHDR& header, LPARAM lParam);
  INT_PTR ControlColour(Win32DialogWindow& window, HDC dc, HWND control);
  void Gone(Win32DialogWindow& window);
  void Dispatch(MSG& msg);
  void Post(Win32DialogWindow& window, DialogEvent event);
  std::optional<std::intptr_t> Send(Win32DialogWindow& window, DialogEvent event);
  // Runs the handler of an event the window makes itself (a list's insert and delete
  // notifications) as its window procedure would, without a message: a long fill stays fast.
  void Notify(Win32DialogWindow& window, DialogEvent event);

  HINSTANCE instance_;
  std::wstring messageCaption_;
  UINT taskbarCreated_;  // the shell's registered message for a new taskbar
  std::vector<Win32DialogWindow*> live_;
  std::vector<std::unique_ptr<Win32DialogWindow>> modeless_;
  std::vector<std::unique_ptr<Win32DialogWindow>> gone_;  // released when no handler runs
  int depth_ = 0;
  int modalRuns_ = 0;
  std::map<std::uint64_t, Pending> pending_;
  std::uint64_t nextPending_ = 1;
  std::vector<unsigned> fromOutside_;
  std::vector<SentEvent*> sending_;  // the sends under way, innermost last
};

}  // namespace tevanor::win32
