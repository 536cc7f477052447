#include "text/cp1252.h"

#include <gtest/gtest.h>

#include <numeric>

namespace tevanor {
namespace {

// Literals become Windows-1252 bytes at compile time (¡ ñ ´ €: two- and three-byte UTF-8).
static_assert("¡contraseña´ €"_ansi == "\241contrase\361a\264 \200");

TEST(Cp1252Upper, EveryByteMapsLikeWindows) {
  for (int b = 0; b < 256; ++b) {
    int expected = b;
    if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7)) expected = b - 0x20;
    if (b == 0x9A || b == 0x9C || b == 0x9E) expected = b - 0x10;  // š œ ž
    if (b == 0xFF) expected = 0x9F;                                // ÿ
    EXPECT_EQ(ToUpper(static_cast<unsigned char>(b)), expected) << "byte " << b;
  }
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
