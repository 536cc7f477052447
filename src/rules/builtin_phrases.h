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

// How many rows, from the first, the protection level takes: 1 none, 0 the medium set, any
// other value every row up to the empty one.
std::size_t BuiltInPhraseCount(std::uint8_t level);

}  // namespace tevanor
