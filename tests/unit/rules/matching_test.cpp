// The phrase and site lists find every candidate in one pass over a text; the plain walks copy
// and search entry by entry. Random lists and texts must get the same answer from both.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "fakes/plain_match.h"
#include "rules/phrase_list.h"
#include "rules/site_list.h"
#include "text/cp1252.h"
#include "text/normal_form.h"

namespace tevanor {
namespace {

class MatcherDifferential : public ::testing::Test {
 protected:
  // Letters whose case the upper-casing changes or keeps (á Á ÿ Ÿ ß), a space, a NUL.
  static constexpr std::string_view kNarrow{"aAbB\xE1\xC1\xFF\x9F\xDF \0", 11};
  // A background of letters that the narrow patterns lack.
  static constexpr std::string_view kBackground{"cdefghijklmnopqrstuvwxyz\xE9\xC9"};

  std::size_t Pick(std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_);
  }
  bool Chance(std::size_t percent) { return Pick(100) < percent; }
  std::string Random(std::string_view alphabet, std::size_t length) {
    std::string s;
    while (s.size() < length) s += alphabet[Pick(alphabet.size())];
    return s;
  }
  // Texts of `shortest` to `longest` bytes, or empty (rarely), some repeated.
  std::vector<std::string> RandomTexts(std::size_t count, std::size_t emptyPercent,
                                       std::string_view alphabet = kNarrow,
                                       std::size_t shortest = 1, std::size_t longest = 4) {
    std::vector<std::string> texts;
    while (texts.size() < count)
      texts.push_back(!texts.empty() && Chance(10)
                          ? texts[Pick(texts.size())]
                          : Random(alphabet, Chance(emptyPercent)
                                                 ? 0
                                                 : Pick(longest - shortest + 1) + shortest));
    return texts;
  }
  // A short text, or one long enough to be cut into pieces scanned side by side; mostly with
  // one of `phrases` in it, its case flipped or not, across a cut or at either end.
  std::string TextWith(const std::vector<std::string>& phrases, bool longText,
                       std::string_view alphabet, std::string_view background) {
    const std::size_t size = longText ? 4096 + Pick(20000) : Pick(40);
    std::string text = Random(longText ? background : alphabet, size);
    if (!phrases.empty() && Chance(80)) {
      std::string phrase = phrases[Pick(phrases.size())];
      if (Chance(50))
        for (char& c : phrase) c ^= Chance(50) ? 0x20 : 0;
      const long at = static_cast<long>(size * Pick(5) / 4 + Pick(13)) - 6;
      text.insert(static_cast<std::size_t>(std::clamp(at, 0L, static_cast<long>(size))), phrase);
    }
    return text;
  }

  // Random lists and texts, each list as the walk's phrases and as sites: both lists answer as
  // the plain walks do.
  void CheckListsAgree(int rounds, std::size_t maxPhrases, std::string_view alphabet,
                       std::size_t shortest, std::size_t longest) {
    for (int round = 0; round < rounds; ++round) {
      const std::vector<std::string> phrases =
          RandomTexts(Pick(maxPhrases), 3, alphabet, shortest, longest);
      const std::size_t rows = Pick(phrases.size() + 1);  // the library's; the rest are words
      std::vector<PhraseEntry> library, user;
      for (std::size_t i = 0; i < phrases.size(); ++i)
        (i < rows ? library : user).push_back({phrases[i], i < rows, i < rows || Chance(60)});
      PhraseList list;
      list.ReplaceLibrary(std::move(library));
      list.ReplaceUser(std::move(user));
      SiteList sites;
      for (const std::string& text : phrases) sites.Append(text, Pick(2) != 0);

      for (int t = 0; t < 30; ++t) {
        const std::string text = TextWith(phrases, round % 8 == 0, alphabet, kBackground);
        // The plain look answers as the plain walk; when it finds nothing, the second look
        // answers as a walk over the ignore-case entries' normal forms in the text's.
        const PhraseList::Hit hit = list.Find(text);
        const PhraseEntry* expected = PlainMatchPhrase(list.First(), text);
        const bool byPlain = expected != nullptr;
        // (or, for several words, in a word joined from spelled-out letters without spaces).
        std::vector<SpelledWord> joined;
        const std::string form = NormalForm(text, &joined);
        for (const PhraseEntry* e = list.First(); e && !expected; e = e->next) {
          std::string phrase = NormalForm(e->text);
          if (!e->ignoreCase || phrase.find_first_not_of(' ') == phrase.npos) continue;
          if (form.find(phrase) != form.npos) expected = e;
          if (phrase.find_first_not_of(' ', phrase.find(' ', 1)) == phrase.npos) continue;
          std::erase(phrase, ' ');
          for (const SpelledWord& w : joined)
            if (form.substr(w.at, w.size).find(phrase) != std::string::npos) expected = e;
        }
        ASSERT_EQ(std::make_pair(hit.entry, hit.look == PhraseList::Look::kPlain),
                  std::make_pair(expected, byPlain || !expected))
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

  std::mt19937 rng_{20240611};
};

// Lists of up to 50 entries over a few letters, so that phrases overlap and repeat.
TEST_F(MatcherDifferential, ListsAgreeWithThePlainWalks) {
  CheckListsAgree(300, 50, kNarrow, 1, 4);
}

// Thousands of entries over all the code page's bytes: more states than the dense table holds,
// and phrases long enough that a text holds mostly the one put in it.
TEST_F(MatcherDifferential, LargeListsAgreeWithThePlainWalks) {
  std::string wide;
  for (int b = 1; b < 256; ++b) wide += static_cast<char>(b);
  CheckListsAgree(4, 6000, wide, 3, 10);
}

// An entry matches the addresses that contain it, and those that differ from it in the scheme,
// in a leading "www." on either side or by a subdomain, with its rest at the start of theirs.
TEST(SiteRule, SchemesWwwAndSubdomainsOfAWebAddressEntry) {
  const std::pair<const char*, std::vector<std::pair<const char*, bool>>> cases[] = {
      {"http://www.xvideos.com",
       {{"http://www.xvideos.com/", true},
        {"https://www.xvideos.com/videos", true},
        {"https://xvideos.com", true},
        {"HTTPS://ES.XVIDEOS.COM/", true},
        {"https://www.es.xvideos.com/", true},
        {"https://xvideos.com:443/", true},
        {"http://www.xvideos.com.evil.example/", true},  // contains the entry, as before
        {"https://xvideos.com.evil.example/", false},
        {"https://notxvideos.com/", false},
        {"ftp://xvideos.com/", false},
        {"https://evil.example/?u=xvideos.com", false}}},
      {"http://sitio.example/fotos",
       {{"https://www.sitio.example/fotos/1", true},
        {"https://a.sitio.example/fotos", true},
        {"https://sitio.example/", false},
        {"https://sitio.example/FOTOS", false}}},  // the rest keeps its letter case
      {"https://escuela.example", {{"http://escuela.example/", true}}},
      {"xvideos", {{"https://www.xvideos.com/", true}, {"https://www.XVIDEOS.com/", false}}},
      {"http://", {{"http://a.example/", true}, {"https://a.example/", false}}},
      {"", {{"", true}, {"https://a.example/", true}}},
  };
  for (const auto& [entry, addresses] : cases) {
    for (const auto& [address, matches] : addresses) {
      EXPECT_EQ(SiteTextMatches(entry, address), matches) << entry << " / " << address;
      // The list's look-up of hosts finds the same, for a prohibited and for an allowed entry
      // among others.
      for (const int prohibited : {0, 1}) {
        SiteList sites;
        sites.AppendBuiltIn("http://www.otro.example");
        sites.Append(entry, prohibited);
        const SiteEntry* decided = sites.Deciding(address, true);
        EXPECT_EQ(decided == sites.First()->next, matches) << entry << " / " << address;
      }
    }
  }
}

// The walk ends at the visit that empties or lengthens the list, small or large, before it
// reads an entry that may be gone.
TEST(SiteListMatch, StopsWhenTheVisitChangesTheList) {
  const std::pair<const char*, void (*)(SiteList&)> changes[] = {
      {"clear", [](SiteList& s) { s.Clear(); }},
      {"append", [](SiteList& s) { s.Append("http://a", true); }},
  };
  for (const auto& [name, change] : changes) {
    for (const int others : {0, 20'000}) {
      SiteList sites;
      sites.Append("http://a", true);
      sites.Append("http://a", false);
      for (int i = 0; i < others; ++i)
        sites.Append("http://www.sitio-" + std::to_string(i * 7919) + ".example/", true);
      int visits = 0;
      sites.ForEachMatch("http://a/",
                         [&](const SiteEntry&) { return ++visits, change(sites), true; });
      EXPECT_EQ(visits, 1) << name << " among " << others;
    }
  }
}

}  // namespace
}  // namespace tevanor
