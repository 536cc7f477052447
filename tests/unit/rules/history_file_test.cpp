#include "rules/history_file.h"

#include <gtest/gtest.h>

#include "fakes/fake_data_directory.h"

namespace tevanor {
namespace {

using Rows = std::vector<BlockRecord>;

class HistoryFileTest : public ::testing::Test {
 protected:
  std::optional<Rows> Load() {
    const auto loaded = LoadHistoryList(files);
    return loaded ? std::optional(loaded->ToRecords()) : std::nullopt;
  }

  testing::FakeDataDirectory files;
};

// Cleared, the file stays, for an account that may write it but not make it again. A full disk
// part-way through an append cuts the file back, so later records stay whole.
TEST_F(HistoryFileTest, AppendsWholeRecordsWhoseFieldsEachEndWith0x08) {
  files.Put(kHistoryFileName, "old\b1\bx\b");
  files.canCreate = false;
  ASSERT_TRUE(ClearHistory(files));
  for (const BlockRecord& record : Rows{{"mIRC", FormatBlockTime({2003, 2, 1, 9, 5, 59}), "@M@"},
                                        {"back\bspace\ttab", "t", "c"}})
    ASSERT_TRUE(AppendBlockRecords(files, {record}));
  files.writeBudget = 5;
  EXPECT_FALSE(AppendBlockRecords(files, {{"b", "2", "y"}, {"c", "3", "z"}}));
  // A 0x08 inside a field would end it early and shift every later record.
  EXPECT_EQ(files.Content(kHistoryFileName),
            "mIRC\b09:05-01/02/2003\b@M@\bback space\ttab\bt\bc\b");
  EXPECT_FALSE(files.IsOpen(kHistoryFileName));
}

// Newest first, a short last record with its missing fields empty. Nothing to show (no file,
// an empty one, one in use) keeps the dialog's rows; a read error keeps the records read so far.
TEST_F(HistoryFileTest, LoadsTheNewestBlockFirst) {
  EXPECT_EQ(Load(), std::nullopt) << "no file";
  const std::pair<std::string, std::optional<Rows>> cases[] = {
      {"a\tA\b1\bx\bb\b2\by\bc\b3\bz\b",
       Rows{{"c", "3", "z"}, {"b", "2", "y"}, {"a\tA", "1", "x"}}},
      {"a\b1\bx\bb\b2\btrailing", Rows{{"b", "2", ""}, {"a", "1", "x"}}},
      {"only bytes", Rows{}},
      {"\b\b\b", Rows{{"", "", ""}}},
      {std::string("nul\0byte\b1\bx\b", 13), Rows{{std::string("nul\0byte", 8), "1", "x"}}},
      {"", std::nullopt},
  };
  for (const auto& [bytes, rows] : cases) {
    files.Put(kHistoryFileName, bytes);
    EXPECT_EQ(Load(), rows) << bytes;
  }
  // Records of long fields fill the loader's blocks unevenly; each record stays whole.
  Rows longRows;
  std::string longBytes;
  for (int i = 0; i < 60; ++i) {
    const BlockRecord row{std::string(40000 + i, 's'), std::to_string(i), std::string(9000, 'c')};
    longBytes.insert(0, row.siteText + '\b' + row.time + '\b' + row.cause + '\b');
    longRows.push_back(row);
  }
  files.Put(kHistoryFileName, longBytes);
  EXPECT_EQ(Load(), longRows);
  // A sparse file claims far more than it holds: the list grows with what is read.
  files.Put(kHistoryFileName, "\b\b\b");
  files.At(kHistoryFileName).sparseLength = std::uint64_t{1} << 40;
  EXPECT_EQ(Load(), (Rows{{"", "", ""}}));
  files.HoldOpen(kHistoryFileName);
  EXPECT_EQ(Load(), std::nullopt) << "a file in use";
  files.Put(kHistoryFileName, "a\b1\bx\bb\b2\b");
  files.failReadAt = 7;  // inside the second record
  EXPECT_EQ(Load(), (Rows{{"a", "1", "x"}}));
  EXPECT_FALSE(files.IsOpen(kHistoryFileName));
}

}  // namespace
}  // namespace tevanor
