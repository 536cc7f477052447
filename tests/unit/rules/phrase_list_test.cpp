#include "rules/phrase_list.h"

#include <gtest/gtest.h>

#include "text/cp1252.h"

namespace tevanor {
namespace {

std::vector<PhraseEntry> Words(std::initializer_list<std::pair<std::string_view, bool>> words) {
  std::vector<PhraseEntry> entries;
  for (const auto& [text, ignoreCase] : words)
    entries.push_back({std::string(text), false, ignoreCase});
  return entries;
}

int Position(const PhraseList& list, const PhraseEntry* entry) {
  int n = 0;
  for (const PhraseEntry* e = list.First(); e; e = e->next, ++n)
    if (e == entry) return n;
  return -1;
}

TEST(PhraseListWalk, RunsThroughTheLibraryIntoTheUserWords) {
  PhraseList list;
  EXPECT_EQ(list.First(), nullptr);
  EXPECT_EQ(list.Match("anything"), nullptr);

  list.ReplaceUser(Words({{"u1", true}, {"u2", false}}));
  EXPECT_EQ(list.First(), list.FirstUser()) << "no library: the walk starts with the words";
  list.ReplaceLibrary({{"LIB", true, true}});
  ASSERT_NE(list.First(), nullptr);
  EXPECT_EQ(list.First(), list.FirstLibrary());
  EXPECT_EQ(list.First()->next, list.FirstUser());
  EXPECT_EQ(list.FirstUser()->next->text, "u2");
  EXPECT_EQ(list.FirstUser()->next->next, nullptr);

  list.ReleaseUser();
  EXPECT_EQ(list.First()->next, nullptr);
  EXPECT_EQ(list.Match("u1"), nullptr) << "released words no longer match";
}

TEST(PhraseListMatch, FollowsTheCaseRuleOfEachEntry) {
  struct Case {
    std::string_view phrase;
    bool ignoreCase;
    std::string_view text;
    bool matches;
  };
  const Case cases[] = {
      {"Casino", false, "CASINO", false},
      {"Casino", false, "el Casino real", true},
      {"Casino", true, "casino", true},
      {"Casino", true, "CASINO", true},
      {"Casino", true, "CaSiNo", true},
      {"ñandú"_ansi, true, "ÑANDÚ"_ansi, true},
      {"ñandú"_ansi, false, "ÑANDÚ"_ansi, false},
      {"straße"_ansi, true, "STRASSE", false},  // ß has no capital in the code page
      {"ÿ"_ansi, true, "Ÿ"_ansi, true},
      {"", true, "", true},  // an empty phrase occurs in every text
      {"", false, "whatever", true},
      {"x", true, "", false},
  };
  for (const Case& c : cases) {
    PhraseList list;
    list.ReplaceUser(Words({{c.phrase, c.ignoreCase}}));
    EXPECT_EQ(list.Match(c.text) != nullptr, c.matches)
        << "'" << c.phrase << "' " << c.ignoreCase << " in '" << c.text << "'";
  }
}

TEST(PhraseListMatch, TheFirstEntryOfTheWalkDecides) {
  PhraseList list;
  list.ReplaceLibrary({{"XXX", true, true}, {"CASINO", true, true}});
  list.ReplaceUser(Words({{"casino", true}, {"", true}, {"xxx", false}}));
  // Position in the walk decides, not position in the text.
  EXPECT_EQ(Position(list, list.Match("casino and xxx")), 0);
  EXPECT_EQ(Position(list, list.Match("a casino")), 1) << "a duplicate reports its first entry";
  EXPECT_EQ(Position(list, list.Match("nothing here")), 3) << "the empty word";
  EXPECT_EQ(PhraseAsCompared(*list.FirstUser()), "CASINO");
  EXPECT_EQ(PhraseAsCompared(*list.FirstUser()->next->next), "xxx");
}

}  // namespace
}  // namespace tevanor
