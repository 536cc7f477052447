// The data files of the native tools on a real directory.
#include "platform/posix/data_directory.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "rules/file_rewrite.h"

namespace tevanor::posix {
namespace {

std::string Read(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// A side file left in place as a link to another file: a save never writes through it. A
// directory in a data file's place is not a file that can be read.
TEST(PosixDataDirectory, OnlyARegularFileIsADataFileAndALinkIsNeverFollowed) {
  std::string path = (std::filesystem::temp_directory_path() / "tevanor-XXXXXX").string();
  const std::filesystem::path dir = ::mkdtemp(path.data());
  std::ofstream(dir / "outside") << "keep";
  std::filesystem::create_symlink(dir / "outside", dir / SideFileName("Tevanor.fil"));
  std::filesystem::create_directory(dir / "Tevanor.his");
  PosixDataDirectory files(dir.string());
  FileRewrite rewrite(files, "Tevanor.fil");
  ASSERT_TRUE(rewrite.Write("new\b"));
  ASSERT_TRUE(rewrite.Commit());
  EXPECT_EQ(Read(dir / "Tevanor.fil"), "new\b");
  EXPECT_EQ(Read(dir / "outside"), "keep");
  EXPECT_FALSE(std::filesystem::is_symlink(dir / "Tevanor.fil"));
  EXPECT_TRUE(files.Exists("Tevanor.his"));
  EXPECT_EQ(files.Open("Tevanor.his", OpenMode::kRead), nullptr);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tevanor::posix
