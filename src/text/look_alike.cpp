#include "text/look_alike.h"

#include <algorithm>

#include "text/cp1252.h"
#include "text/fold_table.h"

namespace tevanor {

namespace {

void Append(std::string& out, char32_t cp) {
  if (const int byte = cp1252::Encode(cp); byte >= 0) {
    out += static_cast<char>(byte);
  } else if (const std::string_view reading = LookAlikeReading(cp); !reading.empty()) {
    out += reading;
  } else {
    out += '?';
  }
}

}  // namespace

std::string_view LookAlikeReading(char32_t cp) {
  const auto row = std::lower_bound(kFoldTable.begin(), kFoldTable.end(), cp,
                                    [](const FoldRow& r, char32_t c) { return r.cp < c; });
  return row != kFoldTable.end() && row->cp == cp ? row->bytes : std::string_view();
}

std::string Utf16ToCp1252Folded(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (std::size_t i = 0; i < utf16.size();) Append(out, cp1252::NextUtf16(utf16, i));
  return out;
}

std::optional<std::string> Utf8ToCp1252Folded(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    const long cp = cp1252::DecodeUtf8(utf8, pos);
    if (cp < 0) return std::nullopt;
    Append(out, static_cast<char32_t>(cp));
  }
  return out;
}

}  // namespace tevanor
