#include "guardian/program_version.h"

#include <cstdio>

namespace tevanor {

std::string VersionText(const std::optional<ProductVersion>& version) {
  if (!version) return kUnknownVersion;
  char text[48];
  std::snprintf(text, sizeof text, "%u,%u,%u,%u", unsigned{version->mostSignificant >> 16},
                unsigned{version->mostSignificant & 0xFFFF},
                unsigned{version->leastSignificant >> 16},
                unsigned{version->leastSignificant & 0xFFFF});
  return text;
}

}  // namespace tevanor
