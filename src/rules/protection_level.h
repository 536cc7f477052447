#pragma once

#include <cstdint>

namespace tevanor {

// The protection levels as the profile stores them: which built-in phrases the walk takes.
// Any value but the first two means every row, as kLevelTotal does.
inline constexpr std::uint8_t kLevelMedium = 0;  // the medium set
inline constexpr std::uint8_t kLevelOff = 1;     // no built-in row
inline constexpr std::uint8_t kLevelTotal = 255;

}  // namespace tevanor
