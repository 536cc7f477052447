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
#include "text/look_alike.h"

namespace tevanor {
namespace {

std::string ReadGzip(const std::filesystem::path& path) {
  std::string text;
  if (gzFile file = gzopen(path.c_str(), "rb")) {
    char buffer[1 << 16];
    for (int n; (n = gzread(file, buffer, sizeof buffer)) > 0;) text.append(buffer, n);
    gzclose(file);
  }
  return text;
}

TEST(OrdinaryCorpus, ManualPagesAndWordsGetNoBlockFromTheSecondLook) {
  PhraseList list;
  std::vector<PhraseEntry> rows;
  for (std::size_t i = 0; i < kBuiltInPhraseRows; ++i)
    rows.push_back({std::string(kBuiltInPhraseTable[i]), true});
  list.ReplaceLibrary(std::move(rows));
  // Per kind: texts, blocks by the plain look, by the second look; the first second-look blocks.
  std::size_t counts[2][3] = {};
  std::string blocks;
  const auto check = [&](int kind, const std::string& name, const std::string& utf8) {
    const auto bytes = Utf8ToCp1252Folded(utf8);  // a page in another encoding goes as it is
    const PhraseList::Hit hit = list.Find(bytes ? *bytes : utf8);
    const bool second = hit.look == PhraseList::Look::kNormal;
    ++counts[kind][0];
    counts[kind][second ? 2 : 1] += hit.entry != nullptr;
    if (hit.entry && second && blocks.size() < 2000) blocks += name + ": " + hit.entry->text + "\n";
  };
  for (const char* dir : {"/usr/share/man/es", "/usr/share/man/man1"})
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir))
      if (entry.is_regular_file() && entry.path().extension() == ".gz")
        check(0, entry.path(), ReadGzip(entry.path()));
  for (const char* path : {"/usr/share/dict/spanish", "/usr/share/dict/american-english"}) {
    std::ifstream words(path);
    for (std::string word; std::getline(words, word);) check(1, word, word);
  }
  for (int kind = 0; kind < 2; ++kind)
    std::cout << (kind ? "words: " : "pages: ") << counts[kind][0] << ", blocked by the plain look "
              << counts[kind][1] << ", by the second look " << counts[kind][2] << "\n";
  EXPECT_GT(counts[0][0], 400u) << "manual pages missing: run scripts/install-deps.sh";
  EXPECT_GT(counts[1][0], 150000u) << "word lists missing: run scripts/install-deps.sh";
  EXPECT_EQ(counts[0][2] + counts[1][2], 0u) << blocks;
}

}  // namespace
}  // namespace tevanor
