// The lists find every candidate in one pass over a text; the plain walks copy and search entry
// by entry. Random lists and texts must get the same answer from both.
#include <gtest/gtest.h>

#include <random>

#include "rules/phrase_list.h"
#include "rules/plain_match.h"
#include "rules/site_list.h"

namespace tevanor {
namespace {

class MatcherDifferential : public ::testing::Test {
 protected:
  // Letters whose case the upper-casing changes or keeps (á Á ÿ Ÿ ß), a space, a NUL.
  static constexpr std::string_view kNarrow{"aAbB\xE1\xC1\xFF\x9F\xDF \0", 11};

  std::string Random(std::string_view alphabet, std::size_t length) {
    std::string s;
    for (std::size_t i = 0; i < length; ++i) s += alphabet[Pick(alphabet.size())];
    return s;
  }
  std::size_t Pick(std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_);
  }
  bool Chance(int percent) { return static_cast<int>(Pick(100)) < percent; }

  // Phrases of 0 to 4 bytes (empty ones rare), some repeated.
  std::vector<PhraseEntry> RandomPhrases(std::size_t count, bool library) {
    std::vector<PhraseEntry> entries;
    for (std::size_t i = 0; i < count; ++i) {
      std::string text = !entries.empty() && Chance(10)
                             ? entries[Pick(entries.size())].text
                             : Random(kNarrow, Chance(3) ? 0 : 1 + Pick(4));
      entries.push_back({std::move(text), library, library || Chance(60)});
    }
    return entries;
  }

  void ExpectSameMatch(const PhraseList& list, std::string_view text) {
    const PhraseEntry* expected = PlainMatchPhrase(list.First(), text);
    ASSERT_EQ(list.Match(text), expected)
        << "text of " << text.size() << " bytes; expected "
        << (expected ? "'" + expected->text + "'" : std::string("no match"));
  }

  std::mt19937 rng_{20240611};
};

TEST_F(MatcherDifferential, PhraseListsAgreeWithThePlainWalk) {
  for (int round = 0; round < 300; ++round) {
    PhraseList list;
    list.ReplaceLibrary(RandomPhrases(Pick(25), true));
    list.ReplaceUser(RandomPhrases(Pick(25), false));
    for (int t = 0; t < 30; ++t) {
      std::string text = Random(kNarrow, Pick(40));
      if (!text.empty() && list.First() && Chance(50)) {  // a phrase at the very start or end
        const std::string& phrase = list.First()->text;
        text = Chance(50) ? phrase + text : text + phrase;
      }
      ExpectSameMatch(list, text);
    }
  }
}

TEST_F(MatcherDifferential, LongTextsAgreeWhereverThePhraseStands) {
  // Long texts are cut into pieces scanned side by side: plant phrases across every cut.
  for (int round = 0; round < 40; ++round) {
    PhraseList list;
    list.ReplaceLibrary(RandomPhrases(1 + Pick(20), true));
    list.ReplaceUser(RandomPhrases(Pick(20), false));
    const std::size_t size = 4096 + Pick(20000);
    const std::string background = Random("cdefghijklmnopqrstuvwxyz\xE9\xC9", size);
    ExpectSameMatch(list, background);
    std::vector<const PhraseEntry*> walk;
    for (const PhraseEntry* e = list.First(); e; e = e->next) walk.push_back(e);
    for (int quarter = 0; quarter <= 4; ++quarter) {
      for (int offset = -6; offset <= 6; ++offset) {
        const PhraseEntry* entry = walk[Pick(walk.size())];
        std::string phrase = entry->text;
        if (entry->ignoreCase && Chance(50))
          for (char& c : phrase) c = static_cast<char>(c ^ (Chance(50) ? 0x20 : 0));
        const long at = static_cast<long>(size) * quarter / 4 + offset;
        if (at < 0 || at + static_cast<long>(phrase.size()) > static_cast<long>(size)) continue;
        std::string text = background;
        text.replace(static_cast<std::size_t>(at), phrase.size(), phrase);
        ExpectSameMatch(list, text);
      }
    }
  }
}

TEST_F(MatcherDifferential, ListsTooLargeForTheTableStillAgree) {
  PhraseList list;
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  std::vector<PhraseEntry> words;
  for (int i = 0; i < 8; ++i) words.push_back({Random(all, 20000), false, Chance(50)});
  words.push_back({"needle", false, true});
  list.ReplaceUser(std::move(words));
  ExpectSameMatch(list, "a NEEDLE in the haystack");
  ExpectSameMatch(list, list.FirstUser()->next->text + "tail");
  ExpectSameMatch(list, Random(all, 5000));
}

TEST_F(MatcherDifferential, SiteListsVisitTheSameEntriesInTheSameOrder) {
  for (int round = 0; round < 300; ++round) {
    SiteList sites;
    std::vector<std::string> texts;
    for (std::size_t i = Pick(30); i > 0; --i) {
      texts.push_back(!texts.empty() && Chance(10) ? texts[Pick(texts.size())]
                                                   : Random(kNarrow, Chance(5) ? 0 : 1 + Pick(3)));
      sites.Append(texts.back(), static_cast<int>(Pick(2)), 0);
    }
    for (int t = 0; t < 20; ++t) {
      const std::string address = Random(kNarrow, Pick(30));
      const std::size_t stopAfter = 1 + Pick(4);
      std::vector<const SiteEntry*> fast, plain;
      sites.ForEachMatch(address, [&](const SiteEntry& e) {
        fast.push_back(&e);
        return fast.size() < stopAfter;
      });
      PlainForEachSiteMatch(sites.First(), address, [&](const SiteEntry& e) {
        plain.push_back(&e);
        return plain.size() < stopAfter;
      });
      ASSERT_EQ(fast, plain) << "address '" << address << "'";
    }
  }
}

TEST(SiteListMatch, StopsWhenTheVisitChangesTheList) {
  SiteList sites;
  sites.Append("http://a", 1, 0);
  sites.Append("http://a", 0, 0);
  int visits = 0;
  sites.ForEachMatch("http://a/", [&](const SiteEntry&) {
    ++visits;
    sites.Clear();
    return true;
  });
  EXPECT_EQ(visits, 1);
}

}  // namespace
}  // namespace tevanor
