#include "text/normal_form.h"

#include <gtest/gtest.h>

#include "text/cp1252.h"

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

TEST(MaySpellOut, TellsEveryTextWhoseFormJoinsLetters) {
  // Every byte as a one-letter word and between two letters, also across the 64-byte blocks
  // of the scan; removed bytes may only make it say yes where the form joins nothing.
  for (int b = 1; b < 256; ++b) {
    const std::string c(1, static_cast<char>(b));
    for (const std::string& prefix : {std::string(), std::string(61, 'w') + ' '})
      for (const std::string& text : {prefix + "a " + c + " b", prefix + "a" + c + "b c"}) {
        std::vector<SpelledWord> joined;
        NormalForm(text, &joined);
        if (NormalCode(static_cast<unsigned char>(b)) != 0 || !joined.empty()) {
          EXPECT_EQ(MaySpellOut(text), !joined.empty()) << text;
        }
      }
  }
}
}  // namespace
}  // namespace tevanor
