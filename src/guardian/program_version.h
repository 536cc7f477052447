#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tevanor {

// The product version of the program's own executable, as its version resource holds it.
struct ProductVersion {
  std::uint32_t mostSignificant = 0;
  std::uint32_t leastSignificant = 0;
};

class ProgramVersionSource {
 public:
  virtual ~ProgramVersionSource() = default;
  virtual std::optional<ProductVersion> ReadProductVersion() = 0;
};

inline constexpr const char* kUnknownVersion = "?,?,?,?";

// "%u,%u,%u,%u" of the four 16-bit parts, or "?,?,?,?" without version information.
std::string VersionText(const std::optional<ProductVersion>& version);

}  // namespace tevanor
