#include "platform/win32/framework/win32_dialog_host.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "platform/win32/framework/dialog_resource.h"
#include "platform/win32/win32_text.h"

namespace tevanor::win32 {

namespace {

// Events that no window message can carry travel as a number in lParam (posted) or as a
// pointer to the event (sent).
constexpr UINT kPostedEvent = WM_APP + 0x100;
constexpr UINT kSentEvent = WM_APP + 0x101;
// Private messages from outside, such as the tray icon's callback. WM_USER + 0 to + 2 are
// the dialog manager's own DM_ messages.
constexpr UINT kFirstPrivate = WM_USER + 3;

struct WindowMessage {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

WORD NotificationCode(ControlNotification notification) {
  switch (notification) {
    case ControlNotification::kClicked:
      return BN_CLICKED;
    case ControlNotification::kEditChanged:
      return EN_CHANGE;
    case ControlNotification::kOther:
      break;
  }
  return EN_UPDATE;  // a notification no dialog handles
}

ControlNotification Notification(WORD code) {
  if (code == BN_CLICKED) return ControlNotification::kClicked;
  if (code == EN_CHANGE) return ControlNotification::kEditChanged;
  return ControlNotification::kOther;
}

// Commands, close requests and system commands travel as the real messages, so the dialog
// manager's default handling applies to them as to the user's own; other events have none.
std::optional<WindowMessage> AsWindowMessage(HWND hwnd, const DialogEvent& event) {
  if (const auto* command = std::get_if<Command>(&event)) {
    HWND control = command->fromControl ? ::GetDlgItem(hwnd, command->id) : nullptr;
    return WindowMessage{WM_COMMAND, MAKEWPARAM(command->id, NotificationCode(command->code)),
                         reinterpret_cast<LPARAM>(control)};
  }
  if (std::holds_alternative<CloseRequest>(event)) return WindowMessage{WM_CLOSE, 0, 0};
  if (const auto* sys = std::get_if<SysCommand>(&event))
    return WindowMessage{WM_SYSCOMMAND, sys->close ? SC_CLOSE : sys->menuItem, 0};
  return std::nullopt;
}

bool IsListView(HWND control) {
  wchar_t name[32] = {};
  ::GetClassNameW(control, name, 32);
  return std::wstring_view(name) == WC_LISTVIEWW;
}

}  // namespace

struct Win32DialogHost::SentEvent {
  DialogEvent* event;
  std::optional<std::intptr_t> result;
  std::exception_ptr error;  // raised by the receiver, for the sender
};

Win32DialogHost::Win32DialogHost(HINSTANCE resources, std::string messageCaption)
    : instance_(resources),
      messageCaption_(Wide(messageCaption)),
      taskbarCreated_(::RegisterWindowMessageW(L"TaskbarCreated")) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES |
                                                     ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);
}

Win32DialogHost::~Win32DialogHost() {
  std::vector<HWND> open;
  for (const auto& window : modeless_) open.push_back(window->hwnd());
  for (HWND hwnd : open)
    if (::IsWindow(hwnd)) ::DestroyWindow(hwnd);
  gone_.clear();
}

HWND Win32DialogHost::WindowOf(const Dialog& dialog) {
  if (!dialog.HasWindow()) return nullptr;
  const auto* window = dynamic_cast<const Win32DialogWindow*>(&dialog.Window());
  return window != nullptr ? window->hwnd() : nullptr;
}

int Win32DialogHost::RunModal(Dialog& dialog, Dialog* owner) {
  HWND ownerWindow = owner != nullptr ? WindowOf(*owner) : nullptr;
  auto window = std::make_unique<Win32DialogWindow>(*this, dialog, true);
  struct RunCount {
    int& runs;
    explicit RunCount(int& r) : runs(++r) {}
    ~RunCount() { --runs; }
  } run(modalRuns_);
  window->nested_ = modalRuns_ > 1;
  const DialogResource resource(dialog.Layout());
  HWND hwnd = ::CreateDialogIndirectParamW(instance_, resource.get(), ownerWindow, DialogProc,
                                           reinterpret_cast<LPARAM>(window.get()));
  if (hwnd == nullptr) {
    if (window->error_) std::rethrow_exception(window->error_);
    return window->ended_ ? window->result_ : -1;
  }
  const bool reenableOwner = ownerWindow != nullptr && ::EnableWindow(ownerWindow, FALSE) == 0;
  if (!window->ended_) ::ShowWindow(hwnd, SW_SHOW);
  while (!window->ended_ && window->hwnd() != nullptr) {
    MSG msg;
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    Dispatch(msg);
  }
  // The owner comes back before the dialog goes, so that it becomes the active window.
  if (reenableOwner) ::EnableWindow(ownerWindow, TRUE);
  if (window->hwnd() != nullptr) ::DestroyWindow(hwnd);
  if (window->error_) std::rethrow_exception(window->error_);
  return window->ended_ ? window->result_ : -1;
}

Dialog* Win32DialogHost::CreateModeless(std::unique_ptr<Dialog> dialog, Dialog* owner) {
  Dialog* const created = dialog.get();
  auto window = std::make_unique<Win32DialogWindow>(*this, *created, false);
  Win32DialogWindow* const raw = window.get();
  window->owned_ = std::move(dialog);
  modeless_.push_back(std::move(window));
  HWND ownerWindow = owner != nullptr ? WindowOf(*owner) : nullptr;
  const DialogResource resource(created->Layout());
  HWND hwnd = ::CreateDialogIndirectParamW(instance_, resource.get(), ownerWindow, DialogProc,
                                           reinterpret_cast<LPARAM>(raw));
  if (hwnd != nullptr) return created;
  // Never created, or destroyed during its initialisation.
  const auto it = std::find_if(modeless_.begin(), modeless_.end(),
                               [&](const auto& w) { return w.get() == raw; });
  if (it != modeless_.end()) {
    gone_.push_back(std::move(*it));
    modeless_.erase(it);
  }
  if (depth_ == 0) gone_.clear();
  return nullptr;
}

int Win32DialogHost::ShowMessage(Dialog* owner, std::string_view text, MessageButtons buttons) {
  HWND ownerWindow = owner != nullptr ? WindowOf(*owner) : nullptr;
  const UINT type = buttons == MessageButtons::kOk ? MB_OK : MB_YESNO;
  return ::MessageBoxW(ownerWindow, Wide(text).c_str(), messageCaption_.c_str(), type);
}

bool Win32DialogHost::ProcessPendingMessages() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    Dispatch(msg);
  }
  return true;
}

void Win32DialogHost::Dispatch(MSG& msg) {
  HWND root = msg.hwnd != nullptr ? ::GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  const bool ours = std::any_of(live_.begin(), live_.end(),
                                [&](const Win32DialogWindow* w) { return w->hwnd() == root; });
  if (ours && ::IsDialogMessageW(root, &msg)) return;
  ::TranslateMessage(&msg);
  ::DispatchMessageW(&msg);
}

INT_PTR CALLBACK Win32DialogHost::DialogProc(HWND hwnd, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  auto* window = reinterpret_cast<Win32DialogWindow*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
  if (message == WM_INITDIALOG) {
    window = reinterpret_cast<Win32DialogWindow*>(lParam);
    ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    window->hwnd_ = hwnd;
  }
  return window != nullptr ? window->host_.Handle(*window, message, wParam, lParam) : FALSE;
}

INT_PTR Win32DialogHost::Handle(Win32DialogWindow& window, UINT message, WPARAM wParam,
                                LPARAM lParam) {
  const HandlerScope running(*this);
  INT_PTR result = FALSE;
  // No exception leaves a window procedure. One that the program cannot go on from (it ran
  // out of memory, say) leaves the message to the default handling; a programming error ends
  // the program loudly rather than leaving a dialog half-handled.
  try {
    result = Route(window, message, wParam, lParam);
  } catch (const std::logic_error& error) {
    ::OutputDebugStringA(error.what());
    std::fprintf(stderr, "programming error: %s\n", error.what());
    ::ExitProcess(3);
  } catch (const std::exception& error) {
    ::OutputDebugStringA(error.what());
    // An event we sent returns its receiver's error to the sender, as a call would.
    if (SentEvent* sent = OurSend(message, lParam)) {
      sent->error = std::current_exception();
      return TRUE;
    }
    // A dialog run from inside another one ends, and its caller hears of the error; the
    // program's outer run and modeless dialogs go on.
    if (window.modal_ && window.nested_ && !window.ended_) {
      window.error_ = std::current_exception();
      window.EndDialog(-1);
    }
  }
  return result;
}

// Only a send of ours carries a pointer worth following; anything else is a forgery.
Win32DialogHost::SentEvent* Win32DialogHost::OurSend(UINT message, LPARAM lParam) const {
  if (message != kSentEvent) return nullptr;
  const auto it = std::find(sending_.begin(), sending_.end(), reinterpret_cast<SentEvent*>(lParam));
  return it != sending_.end() ? *it : nullptr;
}

INT_PTR Win32DialogHost::Reply(Win32DialogWindow& window, DialogEvent event) {
  const auto result = Deliver(window.dialog(), event);
  if (!result) return FALSE;
  if (window.hwnd() != nullptr) ::SetWindowLongPtrW(window.hwnd(), DWLP_MSGRESULT, *result);
  return TRUE;
}

INT_PTR Win32DialogHost::Route(Win32DialogWindow& window, UINT message, WPARAM wParam,
                               LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      live_.push_back(&window);
      Attach(window.dialog(), window);
      window.SetUpControls();
      return Initialise(window.dialog()) ? TRUE : FALSE;
    case WM_COMMAND:
      return Reply(window, Command{LOWORD(wParam), Notification(HIWORD(wParam)), lParam != 0});
    case WM_NOTIFY:
      return RouteNotify(window, *reinterpret_cast<const NMHDR*>(lParam), lParam);
    case WM_TIMER:
      return Reply(window, TimerTick{static_cast<unsigned>(wParam)});
    case WM_CLOSE:
      return Reply(window, CloseRequest{});
    case WM_SHOWWINDOW:
      // Only explicit shows and hides; not those that follow the owner.
      return lParam == 0 ? Reply(window, ShowChange{wParam != 0}) : FALSE;
    case WM_SYSCOMMAND: {
      const auto command = static_cast<unsigned>(wParam & 0xFFF0);  // the low bits are the system's
      return Reply(window, SysCommand{command, command == SC_CLOSE});
    }
    case WM_HOTKEY:
      return Reply(window, HotKey{static_cast<int>(wParam), LOWORD(lParam), HIWORD(lParam)});
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return ControlColour(window, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case kPostedEvent: {
      const auto it = pending_.find(static_cast<std::uint64_t>(lParam));
      if (it == pending_.end() || it->second.window != window.hwnd()) return TRUE;
      DialogEvent event = std::move(it->second.event);
      pending_.erase(it);
      return Reply(window, std::move(event));
    }
    case kSentEvent: {
      SentEvent* sent = OurSend(message, lParam);
      if (sent != nullptr) sent->result = Deliver(window.dialog(), *sent->event);
      return TRUE;
    }
    case WM_DESTROY:
      Destroying(window.dialog());
      return FALSE;
    case WM_NCDESTROY:
      Gone(window);
      return FALSE;
    default:
      if (message == taskbarCreated_ && message != 0) return Reply(window, TaskbarCreated{});
      if (message >= kFirstPrivate && message < WM_APP &&
          std::find(fromOutside_.begin(), fromOutside_.end(), message - WM_USER) !=
              fromOutside_.end())
        return Reply(window, PrivateMessage{message - WM_USER, lParam, std::nullopt});
      return FALSE;
  }
}

INT_PTR Win32DialogHost::ControlColour(Win32DialogWindow& window, HDC dc, HWND control) {
  DialogEvent event = tevanor::ControlColour{::GetDlgCtrlID(control)};
  const auto colour = Deliver(window.dialog(), event);
  if (!colour) return FALSE;  // the dialog manager's own colours
  ::SetTextColor(dc, static_cast<COLORREF>(*colour));
  ::SetBkMode(dc, TRANSPARENT);
  return reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_BTNFACE));
}

INT_PTR Win32DialogHost::RouteNotify(Win32DialogWindow& window, const NMHDR& header,
                                     LPARAM lParam) {
  if (!IsListView(header.hwndFrom)) return FALSE;
  using Kind = ListNotification::Kind;
  const int list = static_cast<int>(header.idFrom);
  switch (header.code) {
    // The window keeps the rows and sends the insert and delete notifications itself.
    case LVN_GETDISPINFOW:
      window.DescribeRow(list, reinterpret_cast<NMLVDISPINFOW*>(lParam)->item);
      return TRUE;
    case LVN_ODFINDITEMW: {
      // Typing in the list selects the next row that starts with what was typed.
      const auto& find = *reinterpret_cast<const NMLVFINDITEMW*>(lParam);
      const bool byText = (find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) != 0;
      const int row = byText && find.lvfi.psz != nullptr
                          ? window.FindRow(list, find.lvfi.psz, find.iStart,
                                           (find.lvfi.flags & LVFI_PARTIAL) != 0)
                          : -1;
      ::SetWindowLongPtrW(window.hwnd(), DWLP_MSGRESULT, row);
      return TRUE;
    }
    case NM_CLICK:
      return Reply(window,
                   ListNotification{list, Kind::kClick,
                                    reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem});
    case LVN_KEYDOWN:
      return Reply(window, ListNotification{list, Kind::kKeyDown, -1,
                                            reinterpret_cast<const NMLVKEYDOWN*>(lParam)->wVKey});
    default:
      return FALSE;
  }
}

void Win32DialogHost::Gone(Win32DialogWindow& window) {
  HWND hwnd = window.hwnd();
  std::erase_if(pending_, [&](const auto& entry) { return entry.second.window == hwnd; });
  std::erase(live_, &window);
  ::SetWindowLongPtrW(hwnd, DWLP_USER, 0);
  window.hwnd_ = nullptr;
  Detach(window.dialog());
  const auto it = std::find_if(modeless_.begin(), modeless_.end(),
                               [&](const auto& w) { return w.get() == &window; });
  if (it != modeless_.end()) {
    gone_.push_back(std::move(*it));
    modeless_.erase(it);
  }
}

void Win32DialogHost::Post(Win32DialogWindow& window, DialogEvent event) {
  HWND hwnd = window.hwnd();
  if (hwnd == nullptr) return;
  if (const auto native = AsWindowMessage(hwnd, event)) {
    ::PostMessageW(hwnd, native->message, native->wParam, native->lParam);
    return;
  }
  const std::uint64_t id = nextPending_++;
  pending_.emplace(id, Pending{hwnd, std::move(event)});
  if (!::PostMessageW(hwnd, kPostedEvent, 0, static_cast<LPARAM>(id))) pending_.erase(id);
}

void Win32DialogHost::Notify(Win32DialogWindow& window, DialogEvent event) {
  const HandlerScope running(*this);
  Deliver(window.dialog(), event);
}

std::optional<std::intptr_t> Win32DialogHost::Send(Win32DialogWindow& window, DialogEvent event) {
  HWND hwnd = window.hwnd();
  if (hwnd == nullptr) return std::nullopt;
  if (const auto native = AsWindowMessage(hwnd, event))
    return ::SendMessageW(hwnd, native->message, native->wParam, native->lParam);
  SentEvent sent{&event, std::nullopt, nullptr};
  sending_.push_back(&sent);
  ::SendMessageW(hwnd, kSentEvent, 0, reinterpret_cast<LPARAM>(&sent));
  sending_.pop_back();
  if (sent.error) std::rethrow_exception(sent.error);
  return sent.result;
}

}  // namespace tevanor::win32
