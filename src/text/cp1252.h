#pragma once

// Windows-1252 text. Every text in the core is a std::string of Windows-1252 bytes, as the data
// files, the profile and the user see them. This header is the one conversion point between the
// UTF-8 of our source files and command lines, the UTF-16 of the Win32 wide APIs, and those bytes.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tevanor {

namespace cp1252 {

// The Unicode code point of a Windows-1252 byte. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control with the same number, as Windows does.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char32_t Decode(unsigned char byte) {
  return (byte >= 0x80 && byte < 0xA0) ? kHighControls[byte - 0x80] : byte;
}

// The byte for a code point, or -1 when Windows-1252 has no such character.
constexpr int Encode(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  for (std::size_t i = 0; i < kHighControls.size(); ++i)
    if (kHighControls[i] == cp) return static_cast<int>(0x80 + i);
  return -1;
}

// Decodes one UTF-8 sequence at text[pos], advancing pos; returns -1 for malformed input
// (overlong forms, surrogates and values above U+10FFFF included).
constexpr long DecodeUtf8(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos++]);
  if (lead < 0x80) return lead;
  int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
  if (extra < 0 || lead > 0xF4) return -1;
  char32_t cp = lead & (0x3F >> extra);
  for (int i = 0; i < extra; ++i) {
    if (pos >= text.size()) return -1;
    const auto next = static_cast<unsigned char>(text[pos++]);
    if ((next & 0xC0) != 0x80) return -1;
    cp = (cp << 6) | (next & 0x3F);
  }
  constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
  if (cp < kMinimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return -1;
  return static_cast<long>(cp);
}

template <std::size_t N>
struct Utf8Literal {
  char text[N]{};
  consteval Utf8Literal(const char (&s)[N]) {  // NOLINT(google-explicit-constructor)
    for (std::size_t i = 0; i < N; ++i) text[i] = s[i];
  }
  constexpr std::string_view view() const { return {text, N - 1}; }
};

template <std::size_t N>
struct AnsiBytes {
  char bytes[N + 1]{};
};

template <Utf8Literal S>
consteval std::size_t AnsiLength() {
  std::size_t n = 0;
  for (std::size_t pos = 0; pos < S.view().size(); ++n) {
    const long cp = DecodeUtf8(S.view(), pos);
    if (cp < 0 || Encode(static_cast<char32_t>(cp)) < 0)
      throw "text literal has a character that Windows-1252 cannot hold";
  }
  return n;
}

template <Utf8Literal S>
struct AnsiLiteral {
  static constexpr AnsiBytes<AnsiLength<S>()> value = [] {
    AnsiBytes<AnsiLength<S>()> out;
    std::size_t n = 0;
    for (std::size_t pos = 0; pos < S.view().size();)
      out.bytes[n++] = static_cast<char>(Encode(static_cast<char32_t>(DecodeUtf8(S.view(), pos))));
    return out;
  }();
};

// The code point at utf16[i], advancing i past it; an unpaired surrogate reads as U+FFFD.
char32_t NextUtf16(std::u16string_view utf16, std::size_t& i);

}  // namespace cp1252

// "contraseña"_ansi: a UTF-8 source literal as Windows-1252 bytes, converted at compile time.
// A character the code page lacks is a compile error.
template <cp1252::Utf8Literal S>
consteval std::string_view operator""_ansi() {
  return {cp1252::AnsiLiteral<S>::value.bytes, cp1252::AnsiLength<S>()};
}

// Windows' ANSI upper-casing for code page 1252: a-z, à-þ except ÷, š, œ, ž and ÿ get their
// capitals; ß and µ have none in the code page and stay.
unsigned char ToUpper(unsigned char byte);
void MakeUpper(std::string& text);
std::string UpperCopy(std::string_view text);

// UTF-8 → Windows-1252; nullopt when the input is not UTF-8 or holds a character the code page
// cannot represent.
std::optional<std::string> Utf8ToCp1252(std::string_view utf8);
std::string Cp1252ToUtf8(std::string_view text);

// UTF-16 ↔ Windows-1252 for the wide Win32 APIs. Characters the code page lacks (and unpaired
// surrogates) become '?', as WideCharToMultiByte does without best-fit mapping.
std::u16string Cp1252ToUtf16(std::string_view text);
std::string Utf16ToCp1252(std::u16string_view utf16);

// UTF-8 ↔ UTF-16, for command lines and paths that are neither. nullopt for malformed UTF-8;
// an unpaired surrogate becomes U+FFFD.
std::optional<std::u16string> Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

}  // namespace tevanor
