#include "rules/phrase_store.h"

#include <gtest/gtest.h>

#include "fakes/fake_data_directory.h"
#include "fakes/fake_profile.h"
#include "fakes/fake_scan_timer.h"
#include "rules/builtin_phrases.h"

namespace tevanor {
namespace {

using testing::FakeDataDirectory;
using testing::FakeProfile;
using testing::FakeScanTimer;

struct Word {
  std::string text;
  bool builtIn;
  bool ignoreCase;
  bool operator==(const Word&) const = default;
};

class PhraseStoreTest : public ::testing::Test {
 protected:
  std::vector<Word> Walk(const PhraseEntry* from) const {
    std::vector<Word> words;
    for (const PhraseEntry* e = from; e; e = e->next)
      words.push_back({e->text, e->builtIn, e->ignoreCase});
    return words;
  }
  std::vector<Word> UserWords() const { return Walk(list.FirstUser()); }
  bool Save(std::initializer_list<std::pair<std::string_view, bool>> words) {
    if (!store.OpenWordFile(true, OpenMode::kCreateWrite)) return false;
    bool written = true;
    for (const auto& [text, ignoreCase] : words)
      written = store.WriteWordRecord(text, ignoreCase) && written;
    return store.OpenWordFile(false) && written;
  }

  PhraseList list;
  FakeDataDirectory files;
  FakeProfile profile;
  FakeScanTimer timer;
  PhraseStore store{list, files, profile, timer};
};

TEST_F(PhraseStoreTest, TheLevelSelectsTheLibraryRows) {
  struct Case {
    std::uint8_t level;
    std::size_t rows;
  };
  for (const Case c : {Case{1, 0}, Case{0, 30}, Case{255, 538}, Case{2, 538}, Case{128, 538}}) {
    store.LoadBuiltInPhrases(true, c.level);
    const std::vector<Word> walk = Walk(list.First());
    ASSERT_EQ(walk.size(), c.rows) << "level " << int{c.level};
    for (std::size_t i = 0; i < walk.size(); ++i)
      EXPECT_EQ(walk[i], (Word{std::string(kBuiltInPhraseTable[i]), true, true}));
  }
  store.LoadBuiltInPhrases(false, 0);
  EXPECT_EQ(list.First(), nullptr);
}

TEST_F(PhraseStoreTest, ReadsEveryTerminatedRecordAndDropsTheRest) {
  struct Case {
    std::string bytes;
    std::vector<Word> words;
  };
  const Case cases[] = {
      {std::string("ab\x08\x08"
                   "c",
                   5),
       {{"ab", false, true}, {"", false, true}}},
      {"casino\x08XXX\x09", {{"casino", false, true}, {"XXX", false, false}}},
      {"  Casino \x09", {{"  Casino ", false, false}}},  // never trimmed
      {"no terminator", {}},
      {"", {}},
  };
  for (const Case& c : cases) {
    files.Put(kWordFileName, c.bytes);
    EXPECT_TRUE(store.LoadUserWords(true));
    EXPECT_EQ(UserWords(), c.words) << c.bytes;
    EXPECT_FALSE(files.IsOpen(kWordFileName));
  }
}

TEST_F(PhraseStoreTest, AWordFileThatCannotBeReadLeavesWhatWasRead) {
  EXPECT_TRUE(store.LoadUserWords(true)) << "no file is no error";
  EXPECT_TRUE(UserWords().empty());

  files.Put(kWordFileName,
            "a\x08"
            "b\x08");
  files.HoldOpen(kWordFileName);  // another program has it
  EXPECT_FALSE(store.LoadUserWords(true));
  EXPECT_TRUE(UserWords().empty());
  EXPECT_TRUE(profile.writes.empty()) << "no stamp without an open file";
  files.Release(kWordFileName);

  files.failReadAt = 3;  // 'a', 0x08, then an error
  EXPECT_FALSE(store.LoadUserWords(true));
  EXPECT_EQ(UserWords(), (std::vector<Word>{{"a", false, true}}));
}

TEST_F(PhraseStoreTest, RebuildKeepsTheWalkInOrderAndTheScanOutOfIt) {
  files.Put(kWordFileName, "casino\x08");
  for (const bool active : {true, false}) {
    timer.guardActive = active;
    timer.armed = true;
    const int stops = timer.stops;
    store.RebuildPhraseList(true, true, true, 0);
    EXPECT_GT(timer.stops, stops);
    EXPECT_EQ(timer.armed, active) << "re-armed only while the guardian is on";
  }
  const std::vector<Word> walk = Walk(list.First());
  ASSERT_EQ(walk.size(), 31u);
  EXPECT_EQ(walk.back(), (Word{"casino", false, true}));
  EXPECT_EQ(profile.GetInt("Tevanor.filL", 0),
            static_cast<int>(*files.LastWriteTime(kWordFileName)));

  store.RebuildPhraseList(true, false, false, 0);  // what the filter dialog does before reloading
  EXPECT_EQ(list.First(), list.FirstUser());
}

TEST_F(PhraseStoreTest, ASaveReplacesTheFileAndLoadsBackTheSameWords) {
  files.Put(kWordFileName, "old\x08");
  ASSERT_TRUE(
      Save({{"C", true}, {"b", false}, {"", true}, {"tab\there", true}, {"bs\x08here", false}}));
  EXPECT_EQ(files.Content(kWordFileName), std::string("C\x08"
                                                      "b\x09\x08"
                                                      "tab here\x08"
                                                      "bs here\x09"));
  EXPECT_FALSE(files.Exists(SideFileName(kWordFileName)));
  EXPECT_EQ(profile.GetInt("Tevanor.filL", 0),
            static_cast<int>(*files.LastWriteTime(kWordFileName)));
  store.LoadUserWords(true);
  EXPECT_EQ(UserWords(), (std::vector<Word>{{"C", false, true},
                                            {"b", false, false},
                                            {"", false, true},
                                            {"tab here", false, true},
                                            {"bs here", false, false}}));
  ASSERT_TRUE(Save({}));
  EXPECT_EQ(files.Content(kWordFileName), "") << "an empty list is saved as an empty file";
}

TEST_F(PhraseStoreTest, AFailedSaveKeepsTheOldWords) {
  files.Put(kWordFileName, "keep\x08me\x09");
  files.writeBudget = 3;  // the disk fills up part-way
  EXPECT_FALSE(Save({{"new", true}, {"words", true}}));
  EXPECT_EQ(files.Content(kWordFileName), "keep\x08me\x09");
  EXPECT_FALSE(files.Exists(SideFileName(kWordFileName)));

  files.writeBudget = -1;
  files.failReplace = true;
  EXPECT_FALSE(Save({{"new", true}}));
  EXPECT_EQ(files.Content(kWordFileName), "keep\x08me\x09");

  files.failReplace = false;
  files.HoldOpen(SideFileName(kWordFileName));
  EXPECT_FALSE(store.OpenWordFile(true, OpenMode::kCreateWrite));
  EXPECT_FALSE(store.WriteWordRecord("x", true)) << "nothing is open to write to";
}

}  // namespace
}  // namespace tevanor
