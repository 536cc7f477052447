#pragma once

#include "guardian/program_version.h"

namespace tevanor::win32 {

// The product version from the running executable's version resource.
class VersionResource final : public ProgramVersionSource {
 public:
  std::optional<ProductVersion> ReadProductVersion() override;
};

}  // namespace tevanor::win32
