// Ordinary text stays ordinary: the Spanish manual pages, the English pages of section 1 and
// every word of the Spanish and American word lists get no block from the second look that the
// plain look does not give them (Debian's manpages-es, manpages, wspanish and wamerican).
#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <iostream>

#include "rules/builtin_phrases.h"
#include "rules/phrase_list.h"
#include "text/cp1252.h"
#include "text/look_alike.h"

namespace tevanor {
namespace {

namespace fs = std::filesystem;

std::string ReadGzip(const fs::path& path) {
  std::string text;
  if (gzFile file = gzopen(path.c_str(), "rb")) {
    char buffer[1 << 16];
    for (int n; (n = gzread(file, buffer, sizeof buffer)) > 0;) text.append(buffer, n);
    gzclose(file);
  }
  return text;
}

class OrdinaryCorpus : public ::testing::Test {
 protected:
  OrdinaryCorpus() {
    std::vector<PhraseEntry> rows;
    for (std::size_t i = 0; i < kBuiltInPhraseRows; ++i)
      rows.push_back({std::string(kBuiltInPhraseTable[i]), true});
    list.ReplaceLibrary(std::move(rows));
  }
  // Counts the text and what each look blocks; keeps the first few blocks of the second look.
  void Check(const std::string& name, std::string_view utf8) {
    const auto bytes = Utf8ToCp1252Folded(utf8);  // pages in another encoding go as they are
    const PhraseList::Hit hit = list.Find(bytes ? *bytes : std::string(utf8));
    ++texts;
    if (!hit.entry) return;
    ++(hit.look == PhraseList::Look::kPlain ? plain : second);
    if (hit.look == PhraseList::Look::kNormal && examples.size() < 20)
      examples += name + ": " + Cp1252ToUtf8(hit.entry->text) + "\n";
  }
  std::string Report(const char* what) const {
    return std::string(what) + ": " + std::to_string(texts) + ", blocked by the plain look " +
           std::to_string(plain) + ", by the second look " + std::to_string(second);
  }

  PhraseList list;
  std::size_t texts = 0, plain = 0, second = 0;
  std::string examples;
};

TEST_F(OrdinaryCorpus, ManualPagesInSpanishAndSectionOneInEnglish) {
  for (const fs::path dir : {"/usr/share/man/es", "/usr/share/man/man1"})
    for (const auto& entry : fs::recursive_directory_iterator(dir))
      if (entry.is_regular_file() && entry.path().extension() == ".gz")
        Check(entry.path().string(), ReadGzip(entry.path()));
  std::cout << Report("pages") << "\n";
  EXPECT_GT(texts, 400u) << "manual pages missing: run scripts/install-deps.sh";
  EXPECT_EQ(second, 0u) << examples;
}

TEST_F(OrdinaryCorpus, EveryWordOfTheWordLists) {
  for (const char* path : {"/usr/share/dict/spanish", "/usr/share/dict/american-english"}) {
    std::ifstream words(path);
    for (std::string word; std::getline(words, word);) Check(word, word);
  }
  std::cout << Report("words") << "\n";
  EXPECT_GT(texts, 150000u) << "word lists missing: run scripts/install-deps.sh";
  EXPECT_EQ(second, 0u) << examples;
}

}  // namespace
}  // namespace tevanor
