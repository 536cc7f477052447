#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "notice/page_view.h"

namespace tevanor {

// A size text read as a decimal integer: leading white space and one sign allowed, reading
// stops at the first other character, 0 when no digit comes first. Values beyond the range
// of int end at its limit instead of overflowing.
int ReadDecimal(std::string_view text);

// What the META elements of a version page ask of the notice.
struct NoticeVerdict {
  bool show = false;
  std::optional<std::pair<int, int>> size;  // pixels, when the page gives one
};

// The names of the META attributes the notice reads: "version", "ancho" and "alto".
std::span<const std::string_view> NoticeMarkers();

// Walks the META elements in document order against the program's own version string.
NoticeVerdict ApplyNoticeRules(std::span<const MetaAttributes> metas, std::string_view version);

}  // namespace tevanor
