#include "platform/posix/file_profile.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "temp_dir.h"
#include "text/cp1252.h"

namespace tevanor::posix {
namespace {

class FileProfileTest : public ::testing::Test {
 protected:
  testing::TempDir dir;
  std::string path = dir.file("sub/profile");
};

TEST_F(FileProfileTest, ValuesKeepTheirTypeAndEveryByte) {
  std::string allBytes;
  for (int b = 1; b < 256; ++b) allBytes += static_cast<char>(b);
  {
    FileProfile profile(path);
    EXPECT_TRUE(profile.WriteInt("NivelProt", -1));
    EXPECT_TRUE(profile.WriteString("contraseña"_ansi, allBytes));
    EXPECT_TRUE(profile.WriteString("empty", ""));
    EXPECT_TRUE(profile.WriteInt("SINST", 1));
    EXPECT_TRUE(profile.WriteInt("SINST", 0));
  }
  FileProfile profile(path);  // a fresh reader sees what the file holds
  EXPECT_EQ(profile.GetInt("NivelProt", 7), -1);
  EXPECT_EQ(profile.GetString("contraseña"_ansi, "x"), allBytes);
  EXPECT_EQ(profile.GetString("empty", "x"), "");
  EXPECT_EQ(profile.GetInt("SINST", 7), 0);
  EXPECT_EQ(profile.GetInt("absent", 42), 42);
  EXPECT_EQ(profile.GetString("absent", "dflt"), "dflt");
  EXPECT_EQ(profile.GetInt("contraseña"_ansi, 9), 9);  // a text does not read as a number
  EXPECT_EQ(profile.GetString("NivelProt", "t"), "t");
}

// A second program raises the second-start signal while the first reads and writes its own
// values: no value of either may be lost or damaged.
TEST_F(FileProfileTest, TwoProcessesWritingAtOnceLoseNothing) {
  constexpr int kRounds = 200;
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    FileProfile second(path);
    bool ok = true;
    for (int i = 0; i < kRounds; ++i) ok = second.WriteInt("SINST", 1 + i % 2) && ok;
    ok = second.WriteInt("SINST", 1) && ok;
    ::_exit(ok ? 0 : 1);
  }
  FileProfile first(path);
  for (int i = 0; i < kRounds; ++i) {
    const std::string name = "v" + std::to_string(i);
    ASSERT_TRUE(first.WriteString(name, "value " + std::to_string(i)));
    ASSERT_EQ(first.GetString(name, ""), "value " + std::to_string(i));
    const int signal = first.GetInt("SINST", 0);
    ASSERT_TRUE(signal >= 0 && signal <= 2) << signal;
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  for (int i = 0; i < kRounds; ++i)
    EXPECT_EQ(first.GetString("v" + std::to_string(i), ""), "value " + std::to_string(i));
  EXPECT_EQ(first.GetInt("SINST", 0), 1);
}

}  // namespace
}  // namespace tevanor::posix
