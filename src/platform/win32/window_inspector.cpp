#include "platform/win32/window_inspector.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/win32/win32_text.h"
#include "platform/win32/window_handle.h"

namespace tevanor::win32 {

namespace {

constexpr DWORD_PTR kControlTextCap = 16 * 1024 * 1024;  // characters

class ThreadInputAttachment final : public InputAttachment {
 public:
  explicit ThreadInputAttachment(DWORD thread) : thread_(thread) {}
  ~ThreadInputAttachment() override { ::AttachThreadInput(::GetCurrentThreadId(), thread_, FALSE); }

 private:
  DWORD thread_;
};

}  // namespace

std::optional<std::string> Win32WindowInspector::ClassName(WindowHandle window) {
  wchar_t name[kClassNameCapacity];
  const int length = ::GetClassNameW(ToHwnd(window), name, static_cast<int>(kClassNameCapacity));
  if (length <= 0) return std::nullopt;
  return Narrow({name, static_cast<std::size_t>(length)});
}

std::string Win32WindowInspector::Title(WindowHandle window) {
  // GetWindowTextLength, and GetWindowText for a window of this process, send a message that
  // waits for the window's thread; InternalGetWindowText only reads the title the system keeps.
  std::vector<wchar_t> title(256);
  for (;;) {
    const int length =
        ::InternalGetWindowText(ToHwnd(window), title.data(), static_cast<int>(title.size()));
    if (length <= 0) return {};
    if (static_cast<std::size_t>(length) + 1 < title.size())
      return NarrowBestFit({title.data(), static_cast<std::size_t>(length)});
    title.resize(title.size() * 4);
  }
}

WindowOwner Win32WindowInspector::Owner(WindowHandle window) {
  DWORD process = 0;
  const DWORD thread = ::GetWindowThreadProcessId(ToHwnd(window), &process);
  if (thread == 0) return {};
  return {process, thread};
}

bool Win32WindowInspector::Exists(WindowHandle window) {
  return ::IsWindow(ToHwnd(window)) != 0;
}

std::unique_ptr<InputAttachment> Win32WindowInspector::AttachInput(WindowHandle window) {
  const DWORD thread = ::GetWindowThreadProcessId(ToHwnd(window), nullptr);
  if (thread == 0 || !::AttachThreadInput(::GetCurrentThreadId(), thread, TRUE)) return nullptr;
  return std::make_unique<ThreadInputAttachment>(thread);
}

std::optional<std::string> Win32WindowInspector::ControlText(WindowHandle control) {
  // Both messages together wait at most kAnswerLimitMs.
  const ULONGLONG deadline = ::GetTickCount64() + kAnswerLimitMs;
  auto send = [&](UINT message, WPARAM wParam, LPARAM lParam) -> std::optional<DWORD_PTR> {
    const ULONGLONG now = ::GetTickCount64();
    const UINT wait = now < deadline ? static_cast<UINT>(deadline - now) : 1;
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(ToHwnd(control), message, wParam, lParam, SMTO_ABORTIFHUNG, wait,
                               &result))
      return std::nullopt;
    return result;
  };
  auto length = send(WM_GETTEXTLENGTH, 0, 0);
  if (!length) return std::nullopt;
  // A program may claim any length; a text beyond the cap is read only that far.
  *length = std::min<DWORD_PTR>(*length, kControlTextCap);
  std::vector<wchar_t> text(*length + 1, L'\0');
  const auto copied = send(WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  if (!copied) return std::nullopt;
  return NarrowBestFit({text.data(), std::min<std::size_t>(*copied, *length)});
}

std::uint32_t Win32WindowInspector::OwnProcessId() {
  return ::GetCurrentProcessId();
}

void Win32WindowInspector::PostCloseCommand(WindowHandle window) {
  ::PostMessageW(ToHwnd(window), WM_SYSCOMMAND, SC_CLOSE, 0);
}

}  // namespace tevanor::win32
