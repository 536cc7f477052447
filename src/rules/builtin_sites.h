#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace tevanor {

inline constexpr std::size_t kBuiltInSiteRows = 1197;

// The built-in prohibited sites, "http://" + a lower-case host name each, followed by one empty
// row that ends the table. Generated from data/builtin-sites.txt by scripts/gen-builtin-sites.sh.
extern const std::array<std::string_view, kBuiltInSiteRows + 1> kBuiltInSiteTable;

}  // namespace tevanor
