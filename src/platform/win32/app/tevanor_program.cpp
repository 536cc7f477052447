#include "platform/win32/app/tevanor_program.h"

#include <windows.h>

#include "app/guard_app.h"
#include "platform/win32/app/instance_lock.h"
#include "platform/win32/cng_key_derivation.h"
#include "platform/win32/data_directory.h"
#include "platform/win32/data_file_rights.h"
#include "platform/win32/framework/win32_dialog_host.h"
#include "platform/win32/registry_profile.h"
#include "platform/win32/shell/exit_hot_key.h"
#include "platform/win32/shell/panel_frame.h"
#include "platform/win32/shell/shell_open.h"
#include "platform/win32/shell/tray_icon.h"
#include "platform/win32/system_ports.h"
#include "platform/win32/uninstall_registry.h"
#include "platform/win32/version_resource.h"
#include "platform/win32/web_browser_view.h"
#include "platform/win32/win32_text.h"
#include "resource.h"
#include "ui/dialog_messages.h"
#include "ui/panel_dlg.h"
#include "ui/panel_editors.h"

namespace tevanor::win32 {

namespace {

// Older systems hide a process registered as a service from the task list; where the call
// does not exist nothing replaces it.
void RegisterServiceProcessWhereExported() {
  HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
  if (kernel == nullptr) return;
  using Register = DWORD(WINAPI*)(DWORD, DWORD);
  const auto call = reinterpret_cast<Register>(
      reinterpret_cast<void*>(::GetProcAddress(kernel, "RegisterServiceProcess")));
  if (call != nullptr) call(::GetCurrentProcessId(), 1);
}

// The first copy: the panel with every port of the guardian and of the shell, for the rest of
// the process's life.
void RunPanel(Win32DialogHost& host, RegistryProfile& profile, RegistryProfile& machine,
              Win32ShellOpen& shell, CngKeyDerivation& keys) {
  Win32SystemPorts system(profile);
  Win32UninstallRegistry uninstall;
  VersionResource version;
  PanelWindow window;
  Win32TrayIcon tray(window, host.resources(), IDB_TRAY, WM_USER + WM_TRAYNOTIFY);
  host.AcceptFromOutside(WM_TRAYNOTIFY);
  Win32ExitHotKey hotKey(window);
  Win32PanelFrame frame(window, host.resources(), IDI_MAIN);
  PanelEditors editors(profile, system.files, shell);
  WebBrowserViewFactory views;
  CPanelDlg panel(host, {system.Ports(), uninstall, version, shell, tray, hotKey, frame, editors,
                         views, machine, keys});
  window.Bind(panel);
  panel.DoModal();
}

// The password the installer hands over in the environment of the step that stores it, so that
// it never shows on a command line.
std::string InstallerPassword() {
  constexpr const wchar_t* kVariable = L"TEVANOR_CLAVE";
  std::wstring value(::GetEnvironmentVariableW(kVariable, nullptr, 0), L'\0');
  if (value.empty()) return {};
  value.resize(
      ::GetEnvironmentVariableW(kVariable, value.data(), static_cast<DWORD>(value.size())));
  ::SetEnvironmentVariableW(kVariable, nullptr);
  return Narrow(value);
}

}  // namespace

int RunTevanor() {
  Win32DialogHost host;
  RegistryProfile profile;
  RegistryProfile machine(RegistryProfile::kDefaultKey, RegistryProfile::Scope::kMachine);
  NamedMutexLock lock;
  Win32ShellOpen shell;
  CngKeyDerivation keys;
  CGuardApp app({host, profile, machine, lock, shell, keys, InstallerPassword,
                 RegisterServiceProcessWhereExported,
                 [&] { RunPanel(host, profile, machine, shell, keys); },
                 [] { return PrepareDataFiles(Win32DataDirectory::ProgramDirectory()); }});
  const StartPath path = app.InitInstance(Narrow(::GetCommandLineW()));
  return path == StartPath::kMachinePasswordFailed || path == StartPath::kDataFilesFailed ? 1 : 0;
}

}  // namespace tevanor::win32
