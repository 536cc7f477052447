#include "text/cp1252.h"

#include <gtest/gtest.h>

namespace tevanor {
namespace {

TEST(Cp1252Upper, EveryByteMapsLikeWindows) {
  for (int b = 0; b < 256; ++b) {
    int expected = b;
    if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7)) expected = b - 0x20;
    if (b == 0x9A) expected = 0x8A;  // š
    if (b == 0x9C) expected = 0x8C;  // œ
    if (b == 0x9E) expected = 0x8E;  // ž
    if (b == 0xFF) expected = 0x9F;  // ÿ
    EXPECT_EQ(ToUpper(static_cast<unsigned char>(b)), expected) << "byte " << b;
  }
  EXPECT_EQ(UpperCopy("ñandú ß µ ÷"_ansi), "ÑANDÚ ß µ ÷"_ansi);
}

TEST(Cp1252Literal, ConvertsAtCompileTimeByteForByte) {
  static_assert("contraseña"_ansi ==
                "contrase\xF1"
                "a");
  EXPECT_EQ("contraseña"_ansi, std::string_view("contrase\xF1"
                                                "a"));
  EXPECT_EQ("¡¡¡La contraseña!!!"_ansi, std::string_view("\xA1\xA1\xA1La contrase\xF1"
                                                         "a!!!"));
  EXPECT_EQ("presione ´Ctrl+S´"_ansi, std::string_view("presione \xB4"
                                                       "Ctrl+S\xB4"));
  EXPECT_EQ("Protección €"_ansi, std::string_view("Protecci\xF3n \x80"));
  EXPECT_EQ(""_ansi, std::string_view());
}

TEST(Cp1252Utf8, EveryByteRoundTrips) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const auto back = Utf8ToCp1252(Cp1252ToUtf8(all));
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(*back, all);
  EXPECT_EQ(Cp1252ToUtf8("\x80\xF1"), "€ñ");
}

TEST(Cp1252Utf8, RefusesWhatTheCodePageCannotHold) {
  for (const char* bad : {"ā", "日本", "😀", "\xFF", "\xC0\x80", "\xED\xA0\x80", "a\xC3", "\x80"})
    EXPECT_FALSE(Utf8ToCp1252(bad).has_value()) << bad;
}

TEST(Cp1252Utf16, EveryByteRoundTripsAndForeignCharactersBecomeQuestionMarks) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf16ToCp1252(Cp1252ToUtf16(all)), all);
  EXPECT_EQ(Cp1252ToUtf16("\x80"), u"\u20AC");
  EXPECT_EQ(Utf16ToCp1252(u"a\u0101\U0001F600\xD800z"), "a???z");
}

TEST(Utf8Utf16, ConvertBothWaysAndRefuseMalformedUtf8) {
  for (const std::u16string_view text : {u"", u"Protección", u"a\u20AC\U0001F600z"}) {
    const auto utf16 = Utf8ToUtf16(Utf16ToUtf8(text));
    ASSERT_TRUE(utf16.has_value());
    EXPECT_EQ(*utf16, text);
  }
  EXPECT_EQ(Utf16ToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t{0xD800}) + u"x"), "\xEF\xBF\xBDx");
  EXPECT_FALSE(Utf8ToUtf16("a\xC3").has_value());
  EXPECT_FALSE(Utf8ToUtf16("\xED\xA0\x80").has_value());
}

}  // namespace
}  // namespace tevanor
