#pragma once

#include <string>

#include "rules/profile_store.h"

namespace tevanor::posix {

// The profile as a per-user key-value file, for the native tools. Several processes may use one
// file at the same time: every write re-reads the file under an exclusive lock and replaces it
// in one step (write beside, then rename), so no writer loses another's value and no reader
// ever sees half a file.
//
// File format: one value per line, "i NAME NUMBER" or "s NAME TEXT"; bytes of NAME and TEXT
// outside printable ASCII, the space and '%' are written as %XX.
class FileProfile final : public ProfileStore {
 public:
  explicit FileProfile(std::string path) : path_(std::move(path)) {}
  // $TEVANOR_PROFILE, or $XDG_CONFIG_HOME/tevanor/profile, or ~/.config/tevanor/profile.
  static std::string DefaultPath();

  int GetInt(std::string_view name, int defaultValue) override;
  bool WriteInt(std::string_view name, int value) override;
  std::string GetString(std::string_view name, std::string_view defaultValue) override;
  bool WriteString(std::string_view name, std::string_view value) override;

 private:
  bool Store(std::string_view name, bool isInt, int number, std::string_view text);
  std::string path_;
};

}  // namespace tevanor::posix
