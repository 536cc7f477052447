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
}  // namespace
}  // namespace tevanor
