// Tevanor.exe, a windowed program without a console. The control panel, which will run the
// guardian for the life of the process, is not built yet: for now the program starts, reads
// its own version and ends.
#include "guardian/program_version.h"
#include "platform/win32/version_resource.h"

int main() {
  tevanor::win32::VersionResource versionSource;
  const std::string version = tevanor::VersionText(versionSource.ReadProductVersion());
  return version == tevanor::kUnknownVersion ? 1 : 0;
}
