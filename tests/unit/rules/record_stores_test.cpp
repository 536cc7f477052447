// The word file and the site file are both sequences of records, read and written alike by their
// stores, which copy each file's time into the profile: each shared behaviour is checked on both.
#include <gtest/gtest.h>

#include "fakes/fake_data_directory.h"
#include "fakes/fake_profile.h"
#include "fakes/fake_scan_timer.h"
#include "fakes/fake_site_admin.h"
#include "rules/builtin_phrases.h"
#include "rules/builtin_sites.h"
#include "rules/file_stamp.h"
#include "rules/phrase_store.h"
#include "rules/record_reader.h"
#include "rules/site_store.h"

namespace tevanor {
namespace {

using Values = std::map<std::string, testing::FakeProfile::Value>;

// The file's time goes in as two signed halves; a missing file resets only a stamp whose both
// halves are set.
TEST(RecordFileStamp, CopiesTheFileTimeOrResetsAStampThatIsSet) {
  const std::tuple<bool, Values, Values> cases[] = {
      {true, {{"fL", 5}, {"fH", 7}}, {{"fL", static_cast<int>(0x89AB'CDEFu)}, {"fH", 0x1D2'3456}}},
      {false, {{"fL", 5}, {"fH", 7}}, {{"fL", 0}, {"fH", 0}}},
      {false, {{"fL", 0}, {"fH", 7}}, {{"fL", 0}, {"fH", 7}}},
      {false, {{"fL", 5}}, {{"fL", 5}}},
  };
  for (const auto& [exists, before, after] : cases) {
    testing::FakeProfile profile;
    testing::FakeDataDirectory files;
    profile.values = before;
    files.now = 0x1D2'3456'89AB'CDEFULL - 10'000'000;  // the next change lands on this time
    if (exists) files.Put("f", "");
    RecordFileStamp(profile, files, "f");
    EXPECT_EQ(profile.values, after) << exists;
  }
}

// Records as the lists hold them: the text, and whether 0x08 ended it (an ignore-case word, a
// prohibited site) rather than 0x09.
using Records = std::vector<std::pair<std::string, bool>>;

class RecordStoresTest : public ::testing::Test {
 protected:
  Records Words() const {
    Records records;
    for (const PhraseEntry* e = phrases.FirstUser(); e; e = e->next)
      records.emplace_back(e->text, e->ignoreCase);
    return records;
  }
  Records Sites() const {
    Records records;
    for (const SiteEntry* e = sites.First(); e; e = e->next)
      if (!e->builtIn) records.emplace_back(e->text, e->prohibited == 1);
    return records;
  }
  void Put(const std::string& bytes) {
    files.Put(kWordFileName, bytes);
    files.Put(kSiteFileName, bytes);
  }
  // Whether each file was read to its end.
  std::pair<bool, bool> Load(bool builtInSites = false) {
    siteStore.FreeSiteList();
    return {phraseStore.LoadUserWords(), siteStore.LoadSiteList(builtInSites)};
  }
  void Retry() {
    phraseStore.RetryHeldLoad();
    siteStore.RetryHeldLoad();
  }
  // As the filter dialog saves its words.
  bool SaveWords(const Records& records) {
    bool written = phraseStore.OpenWordFile(OpenMode::kCreateWrite);
    for (const auto& [text, ignoreCase] : records)
      written = phraseStore.WriteWordRecord(text, ignoreCase) && written;
    return phraseStore.CloseWordFile() && written;
  }
  // As the site administration dialog sends a batch: one message per record, then the end.
  int SaveSites(const Records& records) {
    for (const auto& [text, prohibited] : records) siteStore.OnSiteEdit(text, prohibited);
    return siteStore.OnSiteEdit("", 0);
  }
  bool Stamped(std::string_view name) {
    return profile.GetInt(std::string(name) + "L", 0) ==
           static_cast<int>(files.LastWriteTime(name).value_or(0));
  }

  PhraseList phrases;
  SiteList sites;
  testing::FakeDataDirectory files;
  testing::FakeProfile profile;
  testing::FakeScanTimer timer;
  testing::FakeSiteAdmin admin;
  PhraseStore phraseStore{phrases, files, profile, timer};
  SiteStore siteStore{sites, files, profile, timer, admin};
};

TEST_F(RecordStoresTest, ReadEveryTerminatedRecordAndDropTheRest) {
  const std::pair<std::string, Records> cases[] = {
      {"ab\b\bc", {{"ab", true}, {"", true}}},
      {"  Casino \bXXX\t", {{"  Casino ", true}, {"XXX", false}}},  // never trimmed
      {"\t\t", {{"", false}, {"", false}}},
      {"no terminator", {}},
      // An over-long record keeps its first bytes; the rest is skipped.
      {std::string(kRecordLengthLimit + 9, 'x') + "\tok\b",
       {{std::string(kRecordLengthLimit, 'x'), false}, {"ok", true}}},
  };
  for (const auto& [bytes, records] : cases) {
    Put(bytes);
    EXPECT_EQ(Load(), std::make_pair(true, true));
    EXPECT_EQ(Words(), records) << bytes.substr(0, 20);
    EXPECT_EQ(Sites(), records) << bytes.substr(0, 20);
    EXPECT_TRUE(Stamped(kWordFileName) && Stamped(kSiteFileName));
    EXPECT_FALSE(files.IsOpen(kWordFileName) || files.IsOpen(kSiteFileName));
  }
}

// A file another program holds is no error at the load, which keeps the words loaded before,
// and is loaded once it is free, even read-only; a read error keeps the records read so far.
TEST_F(RecordStoresTest, AHeldFileIsLoadedOnceItIsFreeAndAReadErrorKeepsWhatWasRead) {
  EXPECT_EQ(Load(), std::make_pair(true, true)) << "no file is no error";
  Put("a\b");
  Load();
  Put("b\b");
  profile.writes.clear();
  for (const std::string_view name : {kWordFileName, kSiteFileName}) files.HoldOpen(name);
  EXPECT_EQ(Load(true), std::make_pair(false, false));
  EXPECT_TRUE(profile.writes.empty()) << "no stamp without an open file";
  Retry();
  EXPECT_EQ(Words(), (Records{{"a", true}}));
  EXPECT_EQ(Sites(), Records{});
  for (const std::string_view name : {kWordFileName, kSiteFileName}) {
    files.Release(name);
    files.At(name).readOnly = true;
  }
  Retry();
  EXPECT_EQ(Words(), (Records{{"b", true}}));
  EXPECT_EQ(Sites(), Words());
  std::size_t builtIn = 0;
  for (const SiteEntry* e = sites.First(); e; e = e->next) builtIn += e->builtIn;
  EXPECT_EQ(builtIn, kBuiltInSiteRows) << "built anew, with the built-in sites";
  Put("c\b");  // a file that was free at its last load waits for the next one
  Retry();
  EXPECT_EQ(Words(), (Records{{"b", true}}));
  EXPECT_EQ(Sites(), Words());

  ASSERT_TRUE(phraseStore.OpenWordFile(OpenMode::kCreateWrite));
  EXPECT_FALSE(phraseStore.LoadUserWords()) << "nothing to read while the words are saved";
  EXPECT_EQ(Words(), Records{});
  phraseStore.CloseWordFile();

  Put("a\bb\b");
  files.failReadAt = 3;  // 'a', 0x08, then an error in the word file
  EXPECT_FALSE(phraseStore.LoadUserWords());
  files.failReadAt = 6;  // and in the site file
  siteStore.FreeSiteList();
  EXPECT_FALSE(siteStore.LoadSiteList(false));
  EXPECT_EQ(Words(), (Records{{"a", true}}));
  EXPECT_EQ(Sites(), Words());
}

// Each step that reads, writes or frees a list stops the scan, and re-arms it only while the
// guardian is on.
TEST_F(RecordStoresTest, LoadsAndSavesStopTheScanAndReArmItOnlyWhileTheGuardianIsOn) {
  using Self = std::remove_reference_t<decltype(*this)>;
  void (*const steps[])(Self&) = {
      [](Self& t) { t.phraseStore.LoadBuiltInPhrases(0); },
      [](Self& t) { t.Load(); },
      [](Self& t) {
        t.SaveWords({{"x", true}});
      },
      [](Self& t) {
        t.SaveSites({{"x", true}});
      },
  };
  for (const bool active : {true, false}) {
    for (const auto step : steps) {
      timer.guardActive = active;
      timer.armed = true;
      step(*this);
      EXPECT_EQ(timer.armed, active);
    }
  }
}

TEST_F(RecordStoresTest, ASaveReplacesTheFileWithOneRecordPerText) {
  Put("old\b");
  const Records records{{"C", true}, {"b", false}, {"", true}, {"t\tb\bx", true}};
  ASSERT_TRUE(SaveWords(records));
  for (const auto& [text, prohibited] : records) siteStore.OnSiteEdit(text, prohibited);
  EXPECT_EQ(files.Content(kSiteFileName), "old\b") << "untouched until the batch ends";
  EXPECT_EQ(siteStore.OnSiteEdit("", 0), kSiteEditSaved);
  for (const std::string_view name : {kWordFileName, kSiteFileName}) {
    EXPECT_EQ(files.Content(name), "C\bb\t\bt b x\b") << "0x08 and 0x09 inside a text are spaces";
    EXPECT_FALSE(files.Exists(SideFileName(name))) << "the side file this save made goes";
    EXPECT_TRUE(Stamped(name));
  }
  EXPECT_EQ(admin.refills, 1);
  ASSERT_TRUE(SaveWords({}));
  EXPECT_EQ(SaveSites({}), kSiteEditSaved);
  for (const std::string_view name : {kWordFileName, kSiteFileName})
    EXPECT_EQ(files.Content(name), "") << "no entries are an empty file";
}

// A save that stops at any byte, the disk failing or the program dying, leaves the old content
// or the new one once the file is next loaded: never a mix, never nothing. The side file is the
// save's own, or one an earlier cut left behind.
TEST_F(RecordStoresTest, ASaveCutOffAtAnyByteIsTheOldOrTheNewContentAtTheNextLoad) {
  const Records before{{"old", true}, {"words", false}}, after{{"new", true}};
  for (const bool words : {true, false}) {
    for (const bool leftBehind : {false, true}) {
      const std::string name(words ? kWordFileName : kSiteFileName);
      bool saved = false;
      for (long budget = 0; !saved; ++budget) {
        ASSERT_LT(budget, 200);
        Put("old\bwords\t");
        if (!leftBehind) files.Remove(SideFileName(name));
        files.writeBudget = budget;
        files.diesAtBudget = true;
        saved = words ? SaveWords(after) : SaveSites(after) == kSiteEditSaved;
        files.writeBudget = -1;
        Load();
        const Records loaded = words ? Words() : Sites();
        EXPECT_TRUE(loaded == before || loaded == after) << budget << " " << leftBehind;
        EXPECT_TRUE(!saved || loaded == after) << budget << " " << leftBehind;
        EXPECT_EQ(files.Content(SideFileName(name)).value_or(""), "") << "finished at the load";
      }
    }
  }
}

// The side file the installer made is kept, empty, for an account that may write the data
// files but not add files beside them; one nobody may write is replaced, and goes after the save.
TEST_F(RecordStoresTest, ASaveGoesInPlaceWhateverSideFileItFinds) {
  for (const bool installed : {true, false}) {
    for (const std::string_view name : {kWordFileName, kSiteFileName}) {
      files.Put(name, "");
      files.Put(SideFileName(name), installed ? "" : "stale\b");
      files.At(SideFileName(name)).readOnly = !installed;
    }
    files.canCreate = !installed;
    EXPECT_EQ(SaveSites({}), kSiteEditSaved);
    EXPECT_EQ(SaveSites({{"http://x", true}}), kSiteEditSaved);
    EXPECT_TRUE(SaveWords({{"w", true}}));
    for (const std::string_view name : {kWordFileName, kSiteFileName})
      EXPECT_EQ(files.Content(SideFileName(name)),
                installed ? std::optional<std::string>("") : std::nullopt)
          << name;
    EXPECT_EQ(Load(), std::make_pair(true, true));
    EXPECT_EQ(Words(), (Records{{"w", true}}));
    EXPECT_EQ(Sites(), (Records{{"http://x", true}}));
  }
}

// A cut save is the test above; here the new content cannot go in, or cannot be created.
TEST_F(RecordStoresTest, AFailedSaveKeepsTheOldFile) {
  Put("keep\bme\t");
  files.HoldOpen(kWordFileName);
  EXPECT_FALSE(SaveWords({{"new", true}}));
  files.Release(kWordFileName);
  files.HoldOpen(SideFileName(kWordFileName));
  files.HoldOpen(SideFileName(kSiteFileName));
  EXPECT_FALSE(SaveWords({{"new", true}}));
  EXPECT_EQ(SaveSites({{"new", true}, {"new2", false}}), kSiteEditNotSaved);
  EXPECT_EQ(admin.refills, 0) << "a failed batch leaves the dialog's entries";
  for (const std::string_view name : {kWordFileName, kSiteFileName})
    EXPECT_EQ(files.Content(name), "keep\bme\t") << name;
  files.Release(SideFileName(kSiteFileName));
  EXPECT_EQ(SaveSites({{"next", true}}), kSiteEditSaved);
  EXPECT_EQ(files.Content(kSiteFileName), "next\b") << "the next batch starts afresh";
}

// The level's low byte selects the library rows: 1 none, 0 the first 30, any other all. The
// words follow them in the walk. Sites from elsewhere go to the administration dialog.
TEST_F(RecordStoresTest, ARebuildWalksTheLevelsLibraryRowsThenTheWords) {
  files.Put(kWordFileName, "casino\b");
  const std::pair<std::uint8_t, std::size_t> cases[] = {{1, 0}, {0, 30}, {255, 538}, {128, 538}};
  for (const auto& [level, rows] : cases) {
    phraseStore.RebuildPhraseList(level);
    Records expected, walk;
    for (std::size_t i = 0; i < rows; ++i) expected.emplace_back(kBuiltInPhraseTable[i], true);
    expected.emplace_back("casino", false);
    for (const PhraseEntry* e = phrases.First(); e; e = e->next)
      walk.emplace_back(e->text, e->builtIn);
    EXPECT_EQ(walk, expected) << "level " << int{level};
  }
  EXPECT_EQ(siteStore.OnSiteEdit("http://from-history", kSiteEditAddProhibited), 1);
  EXPECT_EQ(siteStore.OnSiteEdit("http://allowed", kSiteEditAddAllowed), 1);
  EXPECT_EQ(siteStore.OnSiteEdit("http://x", 7), 0) << "an unknown code does nothing";
  EXPECT_EQ(admin.added, (std::vector<std::pair<std::string, bool>>{{"http://from-history", true},
                                                                    {"http://allowed", false}}));
}

}  // namespace
}  // namespace tevanor
