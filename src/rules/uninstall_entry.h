#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tevanor {

// The program's entry in the machine-wide list of installed programs. The installer writes
// "UninstallTemp"; the program copies it onto "UninstallString" at every start, which repairs
// an entry that another tool rewrote.
class UninstallKey {
 public:
  virtual ~UninstallKey() = default;  // closes the key
  // The value's data when it is a text that fits, with its terminator, in `capacity`
  // characters.
  virtual std::optional<std::string> ReadText(std::string_view name, std::size_t capacity) = 0;
  virtual bool WriteText(std::string_view name, std::string_view data) = 0;
};

class UninstallRegistry {
 public:
  virtual ~UninstallRegistry() = default;
  // The entry's key opened for query and set, or nullptr.
  virtual std::unique_ptr<UninstallKey> OpenEntry() = 0;
};

inline constexpr std::size_t kUninstallValueCapacity = 255;

// Copies "UninstallTemp" onto "UninstallString". Silent on every failure.
void RepairUninstallEntry(UninstallRegistry& registry);

}  // namespace tevanor
