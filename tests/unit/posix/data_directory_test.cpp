#include "platform/posix/data_directory.h"

#include <gtest/gtest.h>

#include <fstream>

#include "temp_dir.h"

namespace tevanor::posix {
namespace {

class PosixDataDirectoryTest : public ::testing::Test {
 protected:
  std::string ReadAll(std::string_view name) {
    auto file = dir.Open(name, OpenMode::kRead);
    std::string bytes;
    for (int b; file && (b = file->ReadByte()) >= 0;) bytes += static_cast<char>(b);
    return bytes;
  }
  testing::TempDir temp;
  PosixDataDirectory dir{temp.path()};
};

TEST_F(PosixDataDirectoryTest, ASecondOpenerIsRefusedWhileTheFileIsOpen) {
  auto first = dir.Open("Tevanor.his", OpenMode::kReadWriteCreate);
  ASSERT_TRUE(first);
  EXPECT_FALSE(dir.Open("Tevanor.his", OpenMode::kRead));
  EXPECT_FALSE(dir.Open("Tevanor.his", OpenMode::kCreateWrite));
  first.reset();
  EXPECT_TRUE(dir.Open("Tevanor.his", OpenMode::kRead));
}

TEST_F(PosixDataDirectoryTest, ModesCreateTruncateAndAppendAsNamed) {
  EXPECT_FALSE(dir.Open("Tevanor.fil", OpenMode::kRead));
  EXPECT_FALSE(dir.Open("Tevanor.fil", OpenMode::kReadWrite));
  EXPECT_FALSE(dir.Exists("Tevanor.fil"));
  {
    auto file = dir.Open("Tevanor.fil", OpenMode::kCreateWrite);
    ASSERT_TRUE(file && file->Write("abc\x08"));
    EXPECT_TRUE(file->Close());
  }
  {
    auto file = dir.Open("Tevanor.fil", OpenMode::kReadWriteCreate);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->Length(), 4u);
    EXPECT_EQ(file->ReadByte(), 'a');
    ASSERT_TRUE(file->SeekToEnd() && file->Write("d\x09"));
  }
  EXPECT_EQ(ReadAll("Tevanor.fil"),
            "abc\x08"
            "d\x09");
  ASSERT_TRUE(dir.Open("Tevanor.fil", OpenMode::kCreateWrite));
  EXPECT_EQ(ReadAll("Tevanor.fil"), "");
}

TEST_F(PosixDataDirectoryTest, TimesRemoveAndReplace) {
  ASSERT_TRUE(dir.Open("a", OpenMode::kCreateWrite)->Write("new"));
  ASSERT_TRUE(dir.Open("b", OpenMode::kCreateWrite)->Write("old"));
  const auto time = dir.LastWriteTime("a");
  ASSERT_TRUE(time.has_value());
  EXPECT_GT(*time, 132'000'000'000'000'000ULL);  // after 2019, in 100 ns since 1601
  EXPECT_TRUE(dir.Replace("a", "b"));
  EXPECT_FALSE(dir.Exists("a"));
  EXPECT_EQ(ReadAll("b"), "new");
  EXPECT_TRUE(dir.Remove("b"));
  EXPECT_FALSE(dir.Remove("b"));
  EXPECT_FALSE(dir.LastWriteTime("b").has_value());
}

}  // namespace
}  // namespace tevanor::posix
