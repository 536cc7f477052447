#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tevanor {

inline constexpr std::size_t kBuiltInPhraseRows = 538;
inline constexpr std::size_t kMediumPhraseRows = 30;

// The built-in library of forbidden phrases, Windows-1252, upper case, followed by one empty
// row that ends it. The first kMediumPhraseRows rows are the medium protection set.
extern const std::array<std::string_view, kBuiltInPhraseRows + 1> kBuiltInPhraseTable;

// The protection levels as the profile stores them. Any value but these two means every row
// up to the empty one, as kLevelTotal does.
inline constexpr std::uint8_t kLevelMedium = 0;  // the medium set
inline constexpr std::uint8_t kLevelOff = 1;     // no built-in row
inline constexpr std::uint8_t kLevelTotal = 255;

// How many rows, from the first, the protection level takes.
std::size_t BuiltInPhraseCount(std::uint8_t level);

}  // namespace tevanor
