#include "text/normal_form.h"

#include <gtest/gtest.h>

#include "text/cp1252.h"
#include "text/look_alike.h"

namespace tevanor {
namespace {

TEST(NormalForm, FoldsLettersSeparatorsAndSpelledOutWords) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"Ünica ÑANDÚ çà"_ansi, " UNICA NANDU CA"},
      {"Adu1t|L l0 3 4 @ $ 2 ß"_ansi, " ADUITII IO EAAS2S"},  // read as letters, spelled
      {"  --a,\t\xA0 b__  ", " A B "},  // runs become one space, at the ends too
      {"s\xAD"
       "e\x01x",
       " SEX"},           // invisible characters go
      {"x y z", " XYZ"},  // three letters spelled out
      {"y a", " Y A"},    // two are ordinary words
      {"ver a.b.c.d hoy y o", " VER ABCD HOY Y O"},
      {"p o r n o  g r a t i s", " PORNOGRATIS"},
      {"", ""},
  };
  for (const auto& [text, form] : cases) EXPECT_EQ(NormalForm(text), form) << text;
}

TEST(LookAlikeReading, NamesTheLettersOfOtherScriptsAndDropsInvisibleOnes) {
  const std::pair<std::string_view, std::optional<std::string>> cases[] = {
      {"ｍＩＲＣ ﬁ ² €", "mIRC fi \xB2 \x80"},  // full width, ligature; the code page's own stay
      {"Рогnо α \u200B\u0301", "Porno a \xAD\xAD"},
      {"日本 ā", "?? a"},
      {"\xC3", std::nullopt},
  };
  for (const auto& [utf8, bytes] : cases) EXPECT_EQ(Utf8ToCp1252Folded(utf8), bytes) << utf8;
  EXPECT_EQ(Utf16ToCp1252Folded(u"\xD835\xDC00\xD800x"), "A?x");  // 𝐀, an unpaired surrogate
}

}  // namespace
}  // namespace tevanor
