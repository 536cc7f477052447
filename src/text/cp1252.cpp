#include "text/cp1252.h"

namespace tevanor {

namespace {

constexpr std::array<unsigned char, 256> kUpper = [] {
  std::array<unsigned char, 256> table{};
  for (int b = 0; b < 256; ++b) table[b] = static_cast<unsigned char>(b);
  for (int b = 'a'; b <= 'z'; ++b) table[b] = static_cast<unsigned char>(b - 0x20);
  for (int b = 0xE0; b <= 0xFE; ++b)
    if (b != 0xF7) table[b] = static_cast<unsigned char>(b - 0x20);  // ÷ has no capital
  table[0x9A] = 0x8A;                                                // š → Š
  table[0x9C] = 0x8C;                                                // œ → Œ
  table[0x9E] = 0x8E;                                                // ž → Ž
  table[0xFF] = 0x9F;                                                // ÿ → Ÿ
  return table;
}();

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

char32_t cp1252::NextUtf16(std::u16string_view utf16, std::size_t& i) {
  const char32_t unit = utf16[i++];
  if (unit < 0xD800 || unit > 0xDFFF) return unit;
  if (unit <= 0xDBFF && i < utf16.size() && utf16[i] >= 0xDC00 && utf16[i] <= 0xDFFF)
    return 0x10000 + ((unit - 0xD800) << 10) + (utf16[i++] - 0xDC00);
  return 0xFFFD;
}

unsigned char ToUpper(unsigned char byte) {
  return kUpper[byte];
}

void MakeUpper(std::string& text) {
  for (char& c : text) c = static_cast<char>(kUpper[static_cast<unsigned char>(c)]);
}

std::string UpperCopy(std::string_view text) {
  std::string copy(text);
  MakeUpper(copy);
  return copy;
}

std::optional<std::string> Utf8ToCp1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    const long cp = cp1252::DecodeUtf8(utf8, pos);
    const int byte = cp < 0 ? -1 : cp1252::Encode(static_cast<char32_t>(cp));
    if (byte < 0) return std::nullopt;
    out += static_cast<char>(byte);
  }
  return out;
}

std::string Cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) AppendUtf8(out, cp1252::Decode(static_cast<unsigned char>(c)));
  return out;
}

std::u16string Cp1252ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (char c : text) out += static_cast<char16_t>(cp1252::Decode(static_cast<unsigned char>(c)));
  return out;
}

std::string Utf16ToCp1252(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (std::size_t i = 0; i < utf16.size();) {
    const int byte = cp1252::Encode(cp1252::NextUtf16(utf16, i));
    out += byte < 0 ? '?' : static_cast<char>(byte);
  }
  return out;
}

std::optional<std::u16string> Utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    const long cp = cp1252::DecodeUtf8(utf8, pos);
    if (cp < 0) return std::nullopt;
    if (cp < 0x10000) {
      out += static_cast<char16_t>(cp);
    } else {
      out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    }
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (std::size_t i = 0; i < utf16.size();) {
    AppendUtf8(out, cp1252::NextUtf16(utf16, i));
  }
  return out;
}

}  // namespace tevanor
