#pragma once

// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <functional>
#include <string>
#include <string_view>

#include "e2e_support.h"
#include "platform/win32/registry_profile.h"
#include "platform/win32/shell/tray_icon.h"
#include "platform/win32/win32_text.h"
#include "rules/profile_values.h"
#include "ui/password_form.h"

// What the end-to-end tests of the program itself need: Tevanor.exe in a directory of its own,
// its profile, and the windows it shows, found as a person sees them.
namespace tevanor::e2e {

inline constexpr wchar_t kPassword[] = L"Secreto1";
inline constexpr wchar_t kPromptCaption[] = L"Ingrese su contraseña, por favor...";
inline constexpr wchar_t kNewPasswordCaption[] = L"Ingrese la nueva contraseña";
// The directory Tevanor.exe runs in, with its data files.
inline std::wstring ProgramDirectory() {
  return RunDirectory(L"e2e-tevanor");
}

// The profile as a parent leaves it: a stored password, or a first run as the installer
// leaves it (the flag set, no password yet), and nothing else.
enum class Profile { kPasswordStored, kFirstRun };

inline void ResetProfile(Profile profile) {
  ::RegDeleteTreeW(HKEY_CURRENT_USER, win32::RegistryProfile::kDefaultKey);
  win32::RegistryProfile registry;
  if (profile == Profile::kFirstRun) {
    registry.WriteInt(profile::kFirstRun, 1);
    return;
  }
  registry.WriteString(profile::kPassword, EncodePassword(win32::Narrow(kPassword)));
}

// Tevanor.exe copied fresh into ProgramDirectory(), without data files, started with
// `arguments`. Ended, if it still runs, when the object goes.
class TevanorRun {
 public:
  explicit TevanorRun(const std::wstring& arguments = L"")
      : program_(FreshCopy(L"Tevanor.exe", ProgramDirectory()) + L" " + arguments) {}
  const Program& program() const { return program_; }
  std::vector<std::string> History() const { return HistoryIn(ProgramDirectory()); }

  // A later start of the same program beside the running one.
  static std::wstring Command() { return L"\"" + ProgramDirectory() + L"Tevanor.exe\""; }

 private:
  Program program_;
};

// The first top-level dialog whose caption starts with `caption`, or nullptr.
inline HWND FindDialog(std::wstring_view caption, bool exact = false) {
  struct Search {
    std::wstring_view caption;
    bool exact;
    HWND found = nullptr;
  } search{caption, exact};
  ::EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(param);
        wchar_t name[16] = {};
        wchar_t text[256] = {};
        ::GetClassNameW(window, name, 16);
        ::GetWindowTextW(window, text, 256);
        const std::wstring_view title(text);
        if (std::wstring_view(name) != L"#32770") return TRUE;
        if (s.exact ? title != s.caption : !title.starts_with(s.caption)) return TRUE;
        s.found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

inline HWND Panel() {
  return FindDialog(L"Tevanor - ");
}
inline std::wstring Caption(HWND window) {
  wchar_t text[256] = {};
  ::GetWindowTextW(window, text, 256);
  return text;
}
// The window `find` returns, once it is on screen.
template <typename Find>
HWND WaitForVisible(Find find, DWORD ms = kDeadline) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = find()) != nullptr && ::IsWindowVisible(found); }, ms);
  return found;
}

// A message box of the program: caption "Tevanor", with a Yes button or an OK button.
inline HWND MessageBoxWith(int button) {
  HWND box = nullptr;
  while ((box = ::FindWindowExW(nullptr, box, L"#32770", L"Tevanor")) != nullptr)
    if (::GetDlgItem(box, button) != nullptr && ::IsWindowVisible(box)) return box;
  return nullptr;
}

// The block notice on screen, "Protegiendo......" (other windows of the program share its
// caption: the version notice, message boxes).
inline HWND BlockNotice() {
  HWND box = nullptr;
  while ((box = ::FindWindowExW(nullptr, box, L"#32770", L"Tevanor")) != nullptr) {
    wchar_t text[32] = {};
    ::GetDlgItemTextW(box, 1040, text, 32);
    if (std::wstring_view(text) == L"Protegiendo......" && ::IsWindowVisible(box)) return box;
  }
  return nullptr;
}

inline void Click(HWND dialog, int id) {
  ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}
// Types the password into a prompt and confirms it.
inline void EnterPassword(HWND prompt, const wchar_t* password) {
  ::SetDlgItemTextW(prompt, 1015, password);
  Click(prompt, IDOK);
}

// True when no window holds Ctrl+S: this program can take it and let it go again.
inline bool CtrlSIsFree() {
  if (!::RegisterHotKey(nullptr, 0x7000, MOD_CONTROL, 'S')) return false;
  ::UnregisterHotKey(nullptr, 0x7000);
  return true;
}

// Whether the notification area holds the panel's icon: only an icon that exists can be
// modified.
inline bool TrayHasIcon(HWND panel) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = panel;
  data.uID = win32::Win32TrayIcon::kIconId;
  return ::Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

// The panel of a copy that has started, once it has hidden itself: it is shown only for the
// moment its first show takes to shrink it and hide it.
inline HWND StartedPanel() {
  HWND panel = nullptr;
  WaitUntil(
      [&] {
        panel = Panel();
        return panel && Caption(panel) == L"Tevanor - vigilando (0 sitios bloqueados)" &&
               !::IsWindowVisible(panel);
      },
      kDeadline);
  return panel;
}

// Ctrl+S as typed on the keyboard.
inline void PressCtrlS() {
  INPUT keys[4] = {};
  const WORD codes[4] = {VK_CONTROL, 'S', 'S', VK_CONTROL};
  for (int i = 0; i < 4; ++i) {
    keys[i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = codes[i];
    keys[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
  }
  ::SendInput(4, keys, sizeof(INPUT));
}

// The run a parent sees, step by step, as scripts/run.sh shows it and the end-to-end test checks
// it: Tevanor.exe starts hidden with its tray icon, leaving Ctrl+S to the other programs; it
// ends a notepad that shows a phrase, counts and records the block and shows the notice; a
// second start brings the panel up behind the password, and only then is Ctrl+S held: it ends
// the program on Yes. `say` is told each step, `shoot` is handed each window worth a picture.
// Returns the step that went wrong, or "" when every step went through.
inline std::string WalkThrough(const std::function<void(const std::string&)>& say,
                               const std::function<void(HWND, const std::string&)>& shoot) {
  ResetProfile(Profile::kPasswordStored);
  say("a parent's profile with the password \"Secreto1\"");
  const TevanorRun run;
  HWND panel = StartedPanel();
  if (!panel || !TrayHasIcon(panel)) return "the start";
  if (!CtrlSIsFree()) return "Ctrl+S held while the panel hides";
  say("Tevanor runs hidden, as a tray icon");

  const Program notepad(NotepadCommand("This page is for adults only.\r\n"));
  say("a notepad shows \"This page is for adults only.\"");
  if (!WaitUntil([&] { return run.History().size() >= 3; }, kDeadline)) return "the block";
  const std::vector<std::string> record = run.History();
  if (record.size() != 3 || record[0].find(".txt - ") == std::string::npos ||
      record[2] != "ADULTS ONLY")
    return "the history record";
  say("the history records: " + record[0] + " | " + record[1] + " | " + record[2]);
  HWND notice = WaitForVisible(BlockNotice);
  if (!notice) return "the notice";
  shoot(notice, "notice");
  if (!WaitUntil([&] { return Caption(panel) == L"Tevanor - vigilando (1 sitios bloqueados)"; },
                 kDeadline))
    return "the count";

  {
    const Program second(TevanorRun::Command());
    HWND prompt = WaitForVisible([] { return FindDialog(kPromptCaption, true); });
    if (!prompt || !::IsWindowVisible(panel)) return "the password prompt";
    say("a second start brings the panel up behind the password prompt");
    EnterPassword(prompt, kPassword);
    if (!WaitUntil([&] { return !::IsWindow(prompt); }, kDeadline)) return "the password";
  }
  if (CtrlSIsFree()) return "Ctrl+S free while the panel shows";
  shoot(panel, "panel");

  PressCtrlS();
  HWND question = WaitForVisible([] { return MessageBoxWith(IDYES); });
  if (!question) return "Ctrl+S";
  shoot(question, "exit_question");
  Click(question, IDYES);
  if (!WaitUntil([&] { return !TrayHasIcon(panel); }, kDeadline)) return "the tray icon";
  if (run.program().WaitForExit(kDeadline) != 0u) return "the end";
  say("Ctrl+S and \"Yes\": Tevanor has ended");
  return "";
}

}  // namespace tevanor::e2e
