#include "rules/history_file.h"

#include <gtest/gtest.h>

#include "fakes/fake_data_directory.h"

namespace tevanor {
namespace {

using testing::FakeDataDirectory;

class HistoryFileTest : public ::testing::Test {
 protected:
  bool Append(std::string site, std::string time, std::string cause) {
    return AppendBlockRecord(files, {std::move(site), std::move(time), std::move(cause)},
                             historyOpen);
  }
  std::optional<std::vector<BlockRecord>> Load() { return LoadHistoryList(files, historyOpen); }

  FakeDataDirectory files;
  int historyOpen = 0;
};

TEST_F(HistoryFileTest, FormatsTheBlockTimeZeroPadded) {
  EXPECT_EQ(FormatBlockTime({2002, 12, 5, 21, 7, 0}), "21:07-05/12/2002");
  EXPECT_EQ(FormatBlockTime({2003, 2, 1, 9, 5, 59}), "09:05-01/02/2003");
  EXPECT_EQ(FormatBlockTime({2010, 10, 31, 0, 0, 0}), "00:00-31/10/2010");
}

TEST_F(HistoryFileTest, AppendsThreeFieldsEachEndedBy0x08) {
  ASSERT_TRUE(Append("mIRC", "21:07-05/12/2002", "@Bloqueado Mirc@"));
  EXPECT_EQ(files.Content(kHistoryFileName),
            "mIRC\x08"
            "21:07-05/12/2002\x08@Bloqueado Mirc@\x08");
  ASSERT_TRUE(Append("back\x08space\ttab", "t", "c"));
  const auto rows = Load();
  ASSERT_TRUE(rows);
  ASSERT_EQ(rows->size(), 2u);
  EXPECT_EQ(rows->front(), (BlockRecord{"back space\ttab", "t", "c"}))
      << "0x08 is written as a space, a tab is kept";
  EXPECT_EQ(historyOpen, 0);
  EXPECT_FALSE(files.IsOpen(kHistoryFileName));
}

TEST_F(HistoryFileTest, LoadsTheNewestBlockFirst) {
  struct Case {
    std::string bytes;
    std::vector<BlockRecord> rows;
  };
  const Case cases[] = {
      {"a\x08"
       "1\x08"
       "x\x08"
       "b\x08"
       "2\x08"
       "y\x08"
       "c\x08"
       "3\x08"
       "z\x08",
       {{"c", "3", "z"}, {"b", "2", "y"}, {"a", "1", "x"}}},
      {"a\x08"
       "1\x08"
       "x\x08"
       "b\x08"
       "2\x08",
       {{"b", "2", ""}, {"a", "1", "x"}}},
      {"a\x08"
       "1\x08"
       "x\x08"
       "b\x08"
       "2\x08"
       "trailing",
       {{"b", "2", ""}, {"a", "1", "x"}}},
      {"only bytes", {}},
      {"\x08\x08\x08", {{"", "", ""}}},
  };
  for (const Case& c : cases) {
    files.Put(kHistoryFileName, c.bytes);
    EXPECT_EQ(Load(), c.rows) << c.bytes;
  }
}

TEST_F(HistoryFileTest, ANothingToShowKeepsTheDialogsRows) {
  EXPECT_EQ(Load(), std::nullopt) << "no file";
  files.Put(kHistoryFileName, "");
  EXPECT_EQ(Load(), std::nullopt) << "an empty file";
  files.Put(kHistoryFileName,
            "a\x08"
            "1\x08"
            "x\x08");
  files.HoldOpen(kHistoryFileName);
  EXPECT_EQ(Load(), std::nullopt) << "a file in use";
  files.Release(kHistoryFileName);
  files.failReadAt = 7;  // inside the second record: the first one stays
  files.Put(kHistoryFileName,
            "a\x08"
            "1\x08"
            "x\x08"
            "b\x08"
            "2\x08");
  EXPECT_EQ(Load(), (std::vector<BlockRecord>{{"a", "1", "x"}}));
  EXPECT_EQ(historyOpen, 0);
}

TEST_F(HistoryFileTest, AClearedHistoryStartsAgainWithOneRecord) {
  ASSERT_TRUE(Append("a", "1", "x"));
  ASSERT_TRUE(Append("b", "2", "y"));
  files.HoldOpen(kHistoryFileName);
  EXPECT_FALSE(ClearHistory(files));
  files.Release(kHistoryFileName);
  EXPECT_TRUE(ClearHistory(files));
  EXPECT_FALSE(files.Exists(kHistoryFileName));
  EXPECT_FALSE(ClearHistory(files));
  ASSERT_TRUE(Append("c", "3", "z"));
  EXPECT_EQ(Load(), (std::vector<BlockRecord>{{"c", "3", "z"}}));
}

}  // namespace
}  // namespace tevanor
