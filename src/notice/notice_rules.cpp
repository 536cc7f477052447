#include "notice/notice_rules.h"

#include <climits>

namespace tevanor {

namespace {

constexpr std::string_view kVersionMarker = "version";
constexpr std::string_view kWidthMarker = "ancho";
constexpr std::string_view kHeightMarker = "alto";
constexpr std::string_view kMarkers[] = {kVersionMarker, kWidthMarker, kHeightMarker};
// The verdict of an element whose version is the program's own: sizes are no longer read.
constexpr std::string_view kDoNotShow = "NO MOSTRAR";

bool IsSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

const std::string* Find(const MetaAttributes& meta, std::string_view name) {
  const auto it = meta.find(name);
  return it == meta.end() ? nullptr : &it->second;
}

}  // namespace

int ReadDecimal(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > INT_MAX) return negative ? INT_MIN : INT_MAX;
  }
  return static_cast<int>(negative ? -value : value);
}

std::span<const std::string_view> NoticeMarkers() {
  return kMarkers;
}

NoticeVerdict ApplyNoticeRules(std::span<const MetaAttributes> metas, std::string_view version) {
  NoticeVerdict result;
  std::string verdict;
  int width = 0;
  int height = 0;
  for (const MetaAttributes& meta : metas) {
    if (const std::string* announced = Find(meta, kVersionMarker)) {
      verdict = *announced;
      if (verdict != version)
        result.show = true;
      else
        verdict = kDoNotShow;
    }
    if (verdict != kDoNotShow) {
      if (const std::string* text = Find(meta, kWidthMarker)) width = ReadDecimal(*text);
      if (const std::string* text = Find(meta, kHeightMarker)) height = ReadDecimal(*text);
    }
    // A size applies at every element once both are given, whatever the verdict. A negative
    // size would make the window vanish while counted as shown, so only positive ones count.
    if (width > 0 && height > 0) {
      result.show = true;
      result.size = {width, height};
    }
  }
  return result;
}

}  // namespace tevanor
