#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "rules/protection_level.h"

namespace tevanor {

inline constexpr std::size_t kBuiltInPhraseRows = 538;
inline constexpr std::size_t kMediumPhraseRows = 30;

// The built-in library of forbidden phrases, Windows-1252, upper case, followed by one empty
// row that ends it. The first kMediumPhraseRows rows are the medium protection set.
extern const std::array<std::string_view, kBuiltInPhraseRows + 1> kBuiltInPhraseTable;

// How many rows, from the first, the protection level takes (every row up to the empty one
// for any level but kLevelMedium and kLevelOff).
std::size_t BuiltInPhraseCount(std::uint8_t level);

}  // namespace tevanor
