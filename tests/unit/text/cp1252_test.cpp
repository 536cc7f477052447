#include "text/cp1252.h"

#include <gtest/gtest.h>

#include <numeric>

namespace tevanor {
namespace {

// Literals become Windows-1252 bytes at compile time (¡ ñ ´ €: two- and three-byte UTF-8).
static_assert("¡contraseña´ €"_ansi == "\241contrase\361a\264 \200");

// Letters take their capitals as Windows gives them; ÷, ß, µ and the others stay.
TEST(Cp1252Upper, LettersTakeTheirCapitals) {
  const std::pair<unsigned char, unsigned char> cases[] = {
      {'a', 'A'},   {'z', 'Z'},   {'A', 'A'},   {'1', '1'},   {0xE0, 0xC0}, {0xF1, 0xD1},
      {0xF8, 0xD8}, {0xFE, 0xDE}, {0xF7, 0xF7}, {0xDF, 0xDF}, {0xB5, 0xB5}, {0xFF, 0x9F},
      {0x9A, 0x8A}, {0x9C, 0x8C}, {0x9E, 0x8E}, {0xD7, 0xD7}, {0x80, 0x80}, {'{', '{'},
  };
  for (const auto& [byte, upper] : cases) EXPECT_EQ(ToUpper(byte), upper) << int{byte};
}

TEST(Cp1252Conversions, EveryByteRoundTripsAndForeignCharactersAreRefusedOrReplaced) {
  std::string all(256, '\0');
  std::iota(all.begin(), all.end(), '\0');
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
  EXPECT_EQ(Utf16ToCp1252(Cp1252ToUtf16(all)), all);
  EXPECT_EQ(Cp1252ToUtf8("\x80\xF1"), "€ñ");
  EXPECT_EQ(Cp1252ToUtf16("\x80\xF1"), u"€ñ");
  for (const char* bad : {"ā", "日本", "😀", "\xFF", "\xC0\x80", "\xED\xA0\x80", "a\xC3", "\x80"})
    EXPECT_EQ(Utf8ToCp1252(bad), std::nullopt) << bad;
  EXPECT_EQ(Utf16ToCp1252(u"a\u0101\U0001F600\xD800z"), "a???z");
}

TEST(Utf8Utf16, ConvertBothWaysAndRefuseMalformedUtf8) {
  EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(u"Protección €😀")), u"Protección €😀");
  EXPECT_EQ(Utf16ToUtf8(u"\U0001F600" + std::u16string(1, char16_t{0xD800})), "😀\uFFFD");
  EXPECT_EQ(Utf8ToUtf16("a\xC3"), std::nullopt);
  EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), std::nullopt);
}

}  // namespace
}  // namespace tevanor
