#pragma once

#include <functional>
#include <string_view>

#include "app/instance_lock.h"
#include "framework/dialog_host.h"
#include "rules/profile_store.h"
#include "shell/shell_open.h"
#include "ui/key_derivation.h"

namespace tevanor {

// The ways a start of the program can go.
enum class StartPath {
  kUninstall,              // asked for the password, then started the uninstaller
  kSecondStart,            // another copy runs: it was told to show its panel
  kFirstCopy,              // ran the control panel until it was destroyed
  kMachinePasswordStored,  // stored the installer's password for the whole computer
  kMachinePasswordFailed,  // could not: too short, or not written
  kDataFilesPrepared,      // made the data files writable by every account
  kDataFilesFailed,        // could not
};

// The program's start: from the command line and the single-instance lock it takes one of the
// paths, and returns when that path is over (the process then ends).
class CGuardApp {
 public:
  struct Ports {
    DialogHost& host;
    ProfileStore& profile;
    ProfileStore& machineProfile;  // the computer's, for its password
    InstanceLock& lock;
    ShellOpen& shell;
    KeyDerivation& keys;
    std::function<std::string()> installerPassword;  // what the installer hands over
    std::function<void()> registerServiceProcess;    // where the system has it; else nothing
    std::function<void()> runPanel;                  // the first copy's life
    std::function<bool()> prepareDataFiles;          // for every account; false on failure
  };

  explicit CGuardApp(Ports ports) : ports_(std::move(ports)) {}

  StartPath InitInstance(std::string_view commandLine);

 private:
  Ports ports_;
};

}  // namespace tevanor
