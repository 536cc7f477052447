// The profile file of the native tools, against a real file shared by two processes.
#include "platform/posix/file_profile.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "text/cp1252.h"

namespace tevanor::posix {
namespace {

class FileProfileTest : public ::testing::Test {
 protected:
  ~FileProfileTest() override { std::filesystem::remove_all(dir); }
  std::string dir = [] {
    std::string path = (std::filesystem::temp_directory_path() / "tevanor-XXXXXX").string();
    return std::string(::mkdtemp(path.data()));
  }();
};

TEST_F(FileProfileTest, KeepsTypesAndEveryByteWhileASecondProcessWrites) {
  const std::string path = dir + "/sub/profile";
  constexpr int kRounds = 200;
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {  // a second start raises its signal while the first writes its own values
    FileProfile second(path);
    bool ok = true;
    for (int i = 0; i <= kRounds; ++i)
      ok = second.WriteInt("SINST", i == kRounds ? 1 : 1 + i % 2) && ok;
    ::_exit(ok ? 0 : 1);
  }
  std::string allBytes;
  for (int b = 1; b < 256; ++b) allBytes += static_cast<char>(b);
  FileProfile first(path);
  for (int i = 0; i < kRounds; ++i) {
    const std::string name = "v" + std::to_string(i);
    ASSERT_TRUE(first.WriteString(name, name) && first.GetString(name, "") == name);
    const int signal = first.GetInt("SINST", 0);
    ASSERT_TRUE(signal >= 0 && signal <= 2) << signal;
  }
  ASSERT_TRUE(first.WriteInt("NivelProt", -1) && first.WriteString("contraseña"_ansi, allBytes) &&
              first.WriteString("empty", ""));
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  FileProfile reader(path);  // a fresh reader sees what the file holds
  for (int i = 0; i < kRounds; ++i)
    EXPECT_EQ(reader.GetString("v" + std::to_string(i), ""), "v" + std::to_string(i));
  // A text does not read as a number, nor a number as a text.
  EXPECT_EQ(std::make_tuple(reader.GetInt("SINST", 0), reader.GetInt("NivelProt", 7),
                            reader.GetString("contraseña"_ansi, "x"),
                            reader.GetString("empty", "x"), reader.GetInt("contraseña"_ansi, 9),
                            reader.GetString("NivelProt", "t"), reader.GetInt("absent", 42)),
            std::make_tuple(1, -1, allBytes, "", 9, "t", 42));
}

}  // namespace
}  // namespace tevanor::posix
