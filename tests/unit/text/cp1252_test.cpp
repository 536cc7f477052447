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

}  // namespace
}  // namespace tevanor
