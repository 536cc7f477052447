#pragma once

#include <string>
#include <string_view>

namespace tevanor {

// The application's profile: named integer and text values in one place per user, all in the
// empty section. Names and texts are Windows-1252. A value that is absent, or stored with the
// other type, reads as the default. Writes report success; callers may ignore it.
class ProfileStore {
 public:
  virtual ~ProfileStore() = default;
  virtual int GetInt(std::string_view name, int defaultValue) = 0;
  virtual bool WriteInt(std::string_view name, int value) = 0;
  virtual std::string GetString(std::string_view name, std::string_view defaultValue) = 0;
  virtual bool WriteString(std::string_view name, std::string_view value) = 0;
};

}  // namespace tevanor
