// The phrase and site lists find every candidate in one pass over a text; the plain walks copy
// and search entry by entry. Random lists and texts must get the same answer from both.
#include <gtest/gtest.h>

#include <random>

#include "fakes/plain_match.h"
#include "rules/phrase_list.h"
#include "rules/site_list.h"
#include "text/cp1252.h"

namespace tevanor {
namespace {

// The first entry of the walk that occurs decides, wherever it stands in the text. An
// ignore-case entry compares upper-cased copies, a case-sensitive one the bytes as they are; an
// empty word occurs in every text.
TEST(PhraseListMatch, TheFirstEntryOfTheWalkThatOccursDecides) {
  PhraseList list;
  list.ReplaceLibrary({{"XXX", true, true}, {"CASINO", true, true}});
  list.ReplaceUser({{"casino", false, true},
                    {std::string("ñandú"_ansi), false, false},
                    {std::string("straße"_ansi), false, true},
                    {"", false, true}});
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"casino and xxx", "XXX"},
      {"un Casino", "CASINO"},  // the library row before the same user word
      {"el ñandú"_ansi, "ñandú"_ansi},
      {"EL ÑANDÚ"_ansi, ""},
      {"STRAßE"_ansi, "straße"_ansi},
      {"STRASSE", ""},  // ß has no capital in the code page
  };
  for (const auto& [text, phrase] : cases) EXPECT_EQ(list.Match(text)->text, phrase) << text;
  EXPECT_EQ(PhraseAsCompared(*list.FirstUser()), "CASINO");
  EXPECT_EQ(PhraseAsCompared(*list.FirstUser()->next), "ñandú"_ansi);
}

class MatcherDifferential : public ::testing::Test {
 protected:
  // Letters whose case the upper-casing changes or keeps (á Á ÿ Ÿ ß), a space, a NUL.
  static constexpr std::string_view kNarrow{"aAbB\xE1\xC1\xFF\x9F\xDF \0", 11};

  std::size_t Pick(std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_);
  }
  bool Chance(std::size_t percent) { return Pick(100) < percent; }
  std::string Random(std::string_view alphabet, std::size_t length) {
    std::string s;
    while (s.size() < length) s += alphabet[Pick(alphabet.size())];
    return s;
  }
  // Texts of 0 to 4 bytes (empty ones rare), some repeated.
  std::vector<std::string> RandomTexts(std::size_t count, std::size_t emptyPercent) {
    std::vector<std::string> texts;
    while (texts.size() < count)
      texts.push_back(!texts.empty() && Chance(10)
                          ? texts[Pick(texts.size())]
                          : Random(kNarrow, Chance(emptyPercent) ? 0 : 1 + Pick(4)));
    return texts;
  }

  std::mt19937 rng_{20240611};
};

TEST_F(MatcherDifferential, ListsAgreeWithThePlainWalks) {
  // Long texts are cut into pieces scanned side by side: phrases go across every cut and at
  // the very start and end of a text, over a background that holds none of their letters.
  for (int round = 0; round < 300; ++round) {
    const std::vector<std::string> phrases = RandomTexts(Pick(50), 3);
    const std::size_t rows = Pick(phrases.size() + 1);  // the library's; the rest are words
    std::vector<PhraseEntry> library, user;
    for (std::size_t i = 0; i < phrases.size(); ++i)
      (i < rows ? library : user).push_back({phrases[i], i < rows, i < rows || Chance(60)});
    PhraseList list;
    list.ReplaceLibrary(std::move(library));
    list.ReplaceUser(std::move(user));
    SiteList sites;
    for (std::string& text : RandomTexts(Pick(30), 5))
      sites.Append(std::move(text), static_cast<int>(Pick(2)), 0);

    const bool longTexts = round % 8 == 0;
    for (int t = 0; t < 30; ++t) {
      const std::size_t size = longTexts ? 4096 + Pick(20000) : Pick(40);
      std::string text =
          longTexts ? Random("cdefghijklmnopqrstuvwxyz\xE9\xC9", size) : Random(kNarrow, size);
      if (!phrases.empty() && Chance(80)) {
        std::string phrase = phrases[Pick(phrases.size())];
        if (Chance(50))
          for (char& c : phrase) c ^= Chance(50) ? 0x20 : 0;
        const long at = static_cast<long>(size * Pick(5) / 4 + Pick(13)) - 6;
        text.insert(static_cast<std::size_t>(std::clamp(at, 0L, static_cast<long>(size))), phrase);
      }
      ASSERT_EQ(list.Match(text), PlainMatchPhrase(list.First(), text))
          << "phrases in a text of " << text.size() << " bytes";
      // The sites the guardian visits, up to the one that ends its walk.
      const std::size_t stopAfter = 1 + Pick(4);
      std::vector<const SiteEntry*> fast, plain;
      sites.ForEachMatch(
          text, [&](const SiteEntry& e) { return fast.push_back(&e), fast.size() < stopAfter; });
      PlainForEachSiteMatch(sites.First(), text, [&](const SiteEntry& e) {
        return plain.push_back(&e), plain.size() < stopAfter;
      });
      ASSERT_EQ(fast, plain) << "sites in a text of " << text.size() << " bytes";
    }
  }
}

// Small lists and lists too large for the automaton alike.
TEST(SiteListMatch, StopsWhenTheVisitChangesTheList) {
  for (const int others : {0, 20'000}) {
    SiteList sites;
    sites.Append("http://a", 1, 0);
    sites.Append("http://a", 0, 0);
    for (int i = 0; i < others; ++i)
      sites.Append("http://www.sitio-" + std::to_string(i * 7919) + ".example/", 1, 0);
    int visits = 0;
    sites.ForEachMatch("http://a/",
                       [&](const SiteEntry&) { return ++visits, sites.Clear(), true; });
    EXPECT_EQ(visits, 1) << others;
  }
}

}  // namespace
}  // namespace tevanor
