#include "rules/file_stamp.h"

#include <cstdint>
#include <string>

namespace tevanor {

bool RecordFileStamp(ProfileStore& profile, DataDirectory& files, std::string_view fileName) {
  const std::string low = std::string(fileName) + "L";
  const std::string high = std::string(fileName) + "H";
  if (const auto time = files.LastWriteTime(fileName)) {
    const auto lowHalf = static_cast<std::int32_t>(static_cast<std::uint32_t>(*time));
    const auto highHalf = static_cast<std::int32_t>(static_cast<std::uint32_t>(*time >> 32));
    return profile.WriteInt(low, lowHalf) && profile.WriteInt(high, highHalf);
  }
  if (profile.GetInt(low, 0) != 0 && profile.GetInt(high, 0) != 0)
    return profile.WriteInt(low, 0) && profile.WriteInt(high, 0);
  return true;
}

}  // namespace tevanor
