#pragma once

#include <string>
#include <string_view>

namespace tevanor {

// What the command line asks for. The whole line counts, program path included, once every
// double quote is removed: it ends in "/u" or "/U" for the uninstall path, and the text between
// its first and second "/" names the uninstaller's directory (empty without a second "/").
// The installer's own steps end the line in kMachinePasswordSwitch or kDataFilesSwitch.
struct StartRequest {
  bool uninstall = false;
  std::string uninstallerDirectory;
  bool machinePassword = false;
  bool dataFiles = false;
};

// Stores the password the installer hands over for the whole computer, then ends.
inline constexpr std::string_view kMachinePasswordSwitch = "/CLAVEEQUIPO";
// Makes the data files writable by every account, then ends.
inline constexpr std::string_view kDataFilesSwitch = "/DATOS";

StartRequest ParseCommandLine(std::string_view commandLine);

// The uninstaller the installer leaves in `directory`, and what it is started with.
inline constexpr std::string_view kUninstallerName = "lsb_un20.exe";
inline constexpr std::string_view kUninstallerParameters = "/C=UC /N=Tevanor";
std::string UninstallerPath(std::string_view directory);

}  // namespace tevanor
