#include "app/guard_app.h"

#include "app/command_line.h"
#include "rules/profile_values.h"
#include "ui/password_dlg.h"

namespace tevanor {

StartPath CGuardApp::InitInstance(std::string_view commandLine) {
  ports_.registerServiceProcess();
  const StartRequest request = ParseCommandLine(commandLine);
  const PasswordStores passwords{ports_.profile, ports_.machineProfile, ports_.keys};
  if (request.machinePassword)
    return StoreMachinePassword(passwords, ports_.installerPassword(), CPasswordDlg::kMinimumLength)
               ? StartPath::kMachinePasswordStored
               : StartPath::kMachinePasswordFailed;
  if (request.dataFiles)
    return ports_.prepareDataFiles() ? StartPath::kDataFilesPrepared : StartPath::kDataFilesFailed;
  if (request.uninstall) {
    // No lock is taken here, so a running copy does not stand in the way of its removal.
    CPasswordDlg password(ports_.host, passwords);
    if (password.DoModal() == kIdOk)
      ports_.shell.Open(UninstallerPath(request.uninstallerDirectory), kUninstallerParameters);
    return StartPath::kUninstall;
  }
  if (!ports_.lock.Acquire()) {
    // The running copy shows its panel at its next scan.
    ports_.profile.WriteInt(profile::kSecondStart, 1);
    return StartPath::kSecondStart;
  }
  ports_.runPanel();
  return StartPath::kFirstCopy;
}

}  // namespace tevanor
