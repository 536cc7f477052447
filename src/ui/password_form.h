#pragma once

#include <string>
#include <string_view>

namespace tevanor {

// The form in which the password is stored in the profile, and compared: each byte b becomes
// (kPasswordKey - b) mod 256. The key is a control character, which cannot be typed into the
// prompt, so a typed password keeps its length and never gives a zero byte; the form ends
// before the byte equal to the key, the one that would give 0.
inline constexpr unsigned char kPasswordKey = 0x1F;

std::string EncodePassword(std::string_view password);

}  // namespace tevanor
