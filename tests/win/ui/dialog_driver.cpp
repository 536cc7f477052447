#include "dialog_driver.h"

#include <string_view>

namespace tevanor::testing {

namespace {

constexpr wchar_t kClassName[] = L"TevanorDialogDriver";
constexpr UINT_PTR kTimer = 1;

}  // namespace

DialogDriver::DialogDriver(std::vector<Step> steps, UINT intervalMs) : steps_(std::move(steps)) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = Proc;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kClassName;
  ::RegisterClassW(&windowClass);  // fails harmlessly when already registered
  window_.reset(::CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  windowClass.hInstance, nullptr));
  ::SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  ::SetTimer(window_.get(), kTimer, intervalMs, nullptr);
}

DialogDriver::~DialogDriver() {
  ::KillTimer(window_.get(), kTimer);
}

LRESULT CALLBACK DialogDriver::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER) {
    auto* driver = reinterpret_cast<DialogDriver*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (driver != nullptr) driver->Tick();
    return 0;
  }
  return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

void DialogDriver::Tick() {
  // A step that opens a message box lets the next tick run inside the box's loop.
  if (running_ || done()) return;
  running_ = true;
  const Step step = steps_[next_++];
  step();
  running_ = false;
}

void TypeInto(HWND dialog, int editId, const std::wstring& text) {
  ::SetDlgItemTextW(dialog, editId, text.c_str());
}

void ClickButton(HWND dialog, int buttonId) {
  // Posted: a click that opens a message box must not hold up the steps that answer it.
  ::PostMessageW(::GetDlgItem(dialog, buttonId), BM_CLICK, 0, 0);
}

void PressKey(HWND dialog, UINT virtualKey) {
  HWND focus = ::GetFocus();
  HWND target = focus != nullptr && ::IsChild(dialog, focus) ? focus : dialog;
  ::PostMessageW(target, WM_KEYDOWN, virtualKey, 1);
  ::PostMessageW(target, WM_KEYUP, virtualKey, 0xC0000001);
}

void CloseFromSystemMenu(HWND dialog) {
  ::PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

HWND MessageBoxOf(HWND owner) {
  struct Search {
    HWND owner;
    HWND found;
  } search{owner, nullptr};
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND hwnd, LPARAM lParam) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(lParam);
        wchar_t name[16] = {};
        ::GetClassNameW(hwnd, name, 16);
        if (std::wstring_view(name) != L"#32770" || ::GetWindow(hwnd, GW_OWNER) != s.owner)
          return TRUE;
        s.found = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring MessageBoxText(HWND box) {
  // The box's one text that is not a button's.
  std::wstring text;
  ::EnumChildWindows(
      box,
      [](HWND child, LPARAM lParam) -> BOOL {
        wchar_t name[16] = {};
        ::GetClassNameW(child, name, 16);
        if (std::wstring_view(name) == L"Static")
          *reinterpret_cast<std::wstring*>(lParam) += TextOf(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&text));
  return text;
}

void AnswerMessageBox(HWND box, int button) {
  ::PostMessageW(box, WM_COMMAND, button, 0);
}

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace tevanor::testing
