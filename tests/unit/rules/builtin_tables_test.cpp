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

TEST(BuiltInPhraseTable, HasThePropertiesOfTheLibrary) {
  const std::string_view allowed = "ABCDEFGHIJKLMNOPQRSTUVWXYZÁÍÓ128 "_ansi;
  std::map<std::string_view, int> count;
  int endingInSpace = 0, twice = 0;
  for (std::size_t i = 0; i < kBuiltInPhraseRows; ++i) {
    const std::string_view row = kBuiltInPhraseTable[i];
    EXPECT_TRUE(row.size() >= 4 && row.size() <= 40 && row.front() != ' ' &&
                row.find_first_not_of(allowed) == std::string_view::npos)
        << "row " << i + 1 << ": " << row;
    endingInSpace += row.back() == ' ';
    twice += ++count[row] == 2;
  }
  // One row ends in a space, twelve phrases occur twice and none more often.
  EXPECT_EQ(std::make_tuple(kBuiltInPhraseTable.back(), endingInSpace, twice, count.size()),
            std::make_tuple("", 1, 12, kBuiltInPhraseRows - 12));
}

TEST(BuiltInPhraseTable, OrdinaryPagesPassTheWholeLibrary) {
  PhraseList list;
  std::vector<PhraseEntry> rows;
  for (std::size_t i = 0; i < kBuiltInPhraseRows; ++i)
    rows.push_back({std::string(kBuiltInPhraseTable[i])});
  list.ReplaceLibrary(std::move(rows));
  // Texts that hold the start or end of a library phrase inside ordinary words.
  const std::string_view texts[] = {
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
  };
  for (const std::string_view text : texts)
    EXPECT_EQ(list.Match(text), nullptr) << text << " matched " << list.Match(text)->text;
}

TEST(BuiltInSiteTable, IsTheDataFileRowForRowInTheFormOfTheList) {
  std::ifstream data(TEVANOR_DATA_DIR "/builtin-sites.txt");
  std::vector<std::string> lines;
  for (std::string line; std::getline(data, line);) lines.push_back(line);
  EXPECT_EQ(std::vector<std::string>(kBuiltInSiteTable.begin(), kBuiltInSiteTable.end() - 1),
            lines);

  std::set<std::string_view> distinct;
  for (std::size_t i = 0; i < kBuiltInSiteRows; ++i) {
    const std::string_view row = kBuiltInSiteTable[i], host = row.substr(7);
    EXPECT_TRUE(row.starts_with("http://") && row.size() >= 16 && row.size() <= 41 &&
                host.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789.-") == host.npos &&
                host.find('.') != host.npos && host.back() != '/')
        << row;
    distinct.insert(row);
  }
  EXPECT_EQ(std::make_tuple(distinct.size(), kBuiltInSiteTable.back()),
            std::make_tuple(kBuiltInSiteRows, ""));
}

}  // namespace
}  // namespace tevanor
