#pragma once

#include <string>

namespace tevanor::win32 {

// Makes the data files writable by every account of the computer, as the installer asks with
// administrator rights: each data file, and the side file of each one saved as a whole, is
// created when missing, and the local Users group gets modify rights on it. Only on it: the
// program's directory keeps its rights, so no account can add a file beside the program.
// `directory` ends in a backslash. False when a file could not be made or given its rights.
bool PrepareDataFiles(const std::wstring& directory);

}  // namespace tevanor::win32
