#include "app/command_line.h"

namespace tevanor {

StartRequest ParseCommandLine(std::string_view commandLine) {
  std::string line;
  for (char c : commandLine)
    if (c != '"') line += c;
  StartRequest request;
  request.uninstall = line.ends_with("/u") || line.ends_with("/U");
  request.machinePassword = line.ends_with(kMachinePasswordSwitch);
  request.dataFiles = line.ends_with(kDataFilesSwitch);
  const std::size_t first = line.find('/');
  if (first == std::string::npos) return request;
  const std::size_t second = line.find('/', first + 1);
  if (second != std::string::npos)
    request.uninstallerDirectory = line.substr(first + 1, second - first - 1);
  return request;
}

std::string UninstallerPath(std::string_view directory) {
  return std::string(directory) + "\\" + std::string(kUninstallerName);
}

}  // namespace tevanor
