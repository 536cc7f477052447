#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <string>

#include "rules/builtin_phrases.h"
#include "rules/builtin_sites.h"
#include "rules/phrase_list.h"
#include "text/cp1252.h"

namespace tevanor {
namespace {

TEST(BuiltInPhraseTable, HasTheSizeCharactersAndLengthsOfTheLibrary) {
  EXPECT_EQ(kBuiltInPhraseTable.back(), "");
  const std::string_view allowed = "ABCDEFGHIJKLMNOPQRSTUVWXYZÁÍÓ128 "_ansi;
  int endingInSpace = 0;
  for (std::size_t i = 0; i < kBuiltInPhraseRows; ++i) {
    const std::string_view row = kBuiltInPhraseTable[i];
    EXPECT_GE(row.size(), 4u) << i;
    EXPECT_LE(row.size(), 40u) << i;
    EXPECT_EQ(row.find_first_not_of(allowed), std::string_view::npos) << "row " << i + 1;
    EXPECT_NE(row.front(), ' ') << i;
    endingInSpace += row.back() == ' ';
  }
  EXPECT_EQ(endingInSpace, 1);
  EXPECT_EQ(kBuiltInPhraseTable[2], "18 YEARS OR OLDER");
  EXPECT_EQ(kBuiltInPhraseTable[6], "ADULTS ONLY");
  EXPECT_EQ(kBuiltInPhraseTable[7], "ADULT CHAT");
}

TEST(BuiltInPhraseTable, TwelvePhrasesOccurTwiceAndNoneMoreOften) {
  std::map<std::string_view, int> count;
  for (std::size_t i = 0; i < kBuiltInPhraseRows; ++i) ++count[kBuiltInPhraseTable[i]];
  int twice = 0;
  for (const auto& [phrase, n] : count) {
    EXPECT_LE(n, 2) << phrase;
    twice += n == 2;
  }
  EXPECT_EQ(twice, 12);
}

TEST(BuiltInPhraseTable, OrdinaryPagesPassTheWholeLibrary) {
  // Texts that hold the start or end of a library phrase inside ordinary words.
  PhraseList list;
  std::vector<PhraseEntry> rows;
  for (std::size_t i = 0; i < kBuiltInPhraseRows; ++i)
    rows.push_back({std::string(kBuiltInPhraseTable[i]), true, true});
  list.ReplaceLibrary(std::move(rows));
  for (
      const std::string_view text : {
          "Sexo: masculino o femenino. La computadora portátil y la disputa de los diputados."_ansi,
          "El canal emitió un análisis de la reputación del imputado; el vehículo y el artículo."_ansi,
          "What happened when the door opened? The analysis was banal. Pornstar Martini, please."_ansi,
          "A unisex shop in Sussex sells unisex toys; Essex campus cameras; hot cumin; magna cum laude"_ansi,
          "Free sexual health services; sex education for parents; the sex ratio of the population."_ansi,
          "Videos para adultos mayores, material para adultos mayores, chat para adultos mayores."_ansi,
          "El sexo analizado por la ciencia. Explicit lyrics: contenido explícito en la canción."_ansi,
          "Empollar para el examen de cálculo; los pájaros comen paja; Georgia en verano."_ansi,
          "The peacock at the big cocktail party; big assignment; fat assessment; great pussycat."_ansi,
          "Comic strip; police escort; XXXL shirts, free XXXL delivery; the naked eye; nude lipstick."_ansi,
      })
    EXPECT_EQ(list.Match(text), nullptr) << text << " matched " << list.Match(text)->text;
}

TEST(BuiltInSiteTable, IsTheDataFileRowForRow) {
  std::ifstream data(TEVANOR_DATA_DIR "/builtin-sites.txt");
  ASSERT_TRUE(data) << "cannot open the data file";
  std::size_t row = 0;
  for (std::string line; std::getline(data, line); ++row) {
    ASSERT_LT(row, kBuiltInSiteRows);
    EXPECT_EQ(kBuiltInSiteTable[row], line) << "row " << row + 1;
  }
  EXPECT_EQ(row, kBuiltInSiteRows);
  EXPECT_EQ(kBuiltInSiteTable.back(), "");
}

TEST(BuiltInSiteTable, HasTheFormOfTheBuiltInList) {
  std::set<std::string_view> distinct;
  int withWww = 0;
  for (std::size_t i = 0; i < kBuiltInSiteRows; ++i) {
    const std::string_view row = kBuiltInSiteTable[i];
    ASSERT_TRUE(row.starts_with("http://")) << row;
    const std::string_view host = row.substr(7);
    EXPECT_EQ(host.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789.-"),
              std::string_view::npos)
        << row;
    EXPECT_NE(host.find('.'), std::string_view::npos) << row;
    EXPECT_NE(host.back(), '/') << row;
    EXPECT_GE(row.size(), 16u) << row;
    EXPECT_LE(row.size(), 41u) << row;
    withWww += host.starts_with("www.");
    distinct.insert(row);
  }
  EXPECT_EQ(distinct.size(), kBuiltInSiteRows);
  EXPECT_EQ(withWww, 842);
}

}  // namespace
}  // namespace tevanor
