#pragma once

#include <string_view>

namespace tevanor {

// The product's name as captions and texts show it.
inline constexpr std::string_view kProductName = "Tevanor";

}  // namespace tevanor
