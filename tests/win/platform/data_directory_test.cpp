#include "platform/win32/data_directory.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/win32/unique_handle.h"

namespace tevanor::win32 {
namespace {

std::wstring FreshDirectory() {
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  std::wstring path =
      std::wstring(temp) + L"tevanor-test-" + std::to_wstring(::GetCurrentProcessId()) + L"\\";
  ::CreateDirectoryW(path.c_str(), nullptr);
  return path;
}

class Win32DataDirectoryTest : public ::testing::Test {
 protected:
  ~Win32DataDirectoryTest() override {
    for (const wchar_t* name : {L"Tevanor.his", L"Tevanor.fil", L"a", L"b"})
      ::DeleteFileW((path_ + name).c_str());
    ::RemoveDirectoryW(path_.c_str());
  }
  std::string ReadAll(std::string_view name) {
    auto file = files.Open(name, OpenMode::kRead);
    std::string bytes;
    for (int b; file && (b = file->ReadByte()) >= 0;) bytes += static_cast<char>(b);
    return bytes;
  }

  std::wstring path_ = FreshDirectory();
  Win32DataDirectory files{path_};
};

TEST_F(Win32DataDirectoryTest, AFileHeldOpenByOneHandleIsRefusedToASecondOpener) {
  auto first = files.Open("Tevanor.his", OpenMode::kReadWriteCreate);
  ASSERT_TRUE(first);
  EXPECT_FALSE(files.Open("Tevanor.his", OpenMode::kRead));
  const UniqueFile other(::CreateFileW((path_ + L"Tevanor.his").c_str(), GENERIC_READ,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                       0, nullptr));
  EXPECT_FALSE(other) << "another program could open the file";
  EXPECT_EQ(::GetLastError(), DWORD{ERROR_SHARING_VIOLATION});
  first.reset();
  EXPECT_TRUE(files.Open("Tevanor.his", OpenMode::kRead));
}

TEST_F(Win32DataDirectoryTest, ModesReadsAndAppends) {
  EXPECT_FALSE(files.Open("Tevanor.fil", OpenMode::kRead));
  EXPECT_FALSE(files.Open("Tevanor.fil", OpenMode::kReadWrite));
  {
    auto file = files.Open("Tevanor.fil", OpenMode::kCreateWrite);
    ASSERT_TRUE(file && file->Write(std::string("casino\x08XXX\x09", 11)));
    EXPECT_TRUE(file->Flush());
    EXPECT_TRUE(file->Close());
  }
  {
    auto file = files.Open("Tevanor.fil", OpenMode::kReadWriteCreate);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->Length(), 11u);
    EXPECT_EQ(file->ReadByte(), 'c');
    EXPECT_TRUE(file->Write("K"));  // where the reader stands, despite the read-ahead
    ASSERT_TRUE(file->SeekToEnd() && file->Write("z\x08"));
    ASSERT_TRUE(file->SeekToStart());
    EXPECT_EQ(file->ReadByte(), 'c');
    EXPECT_EQ(file->ReadByte(), 'K');
  }
  EXPECT_EQ(ReadAll("Tevanor.fil"), std::string("cKsino\x08XXX\x09z\x08", 13));
  ASSERT_TRUE(files.Open("Tevanor.fil", OpenMode::kCreateWrite));
  EXPECT_EQ(ReadAll("Tevanor.fil"), "");
}

TEST_F(Win32DataDirectoryTest, LastWriteTimeRemoveAndReplace) {
  ASSERT_TRUE(files.Open("a", OpenMode::kCreateWrite)->Write("new"));
  ASSERT_TRUE(files.Open("b", OpenMode::kCreateWrite)->Write("old"));
  FILETIME now;
  ::GetSystemTimeAsFileTime(&now);
  const FileTime nowTime = (FileTime{now.dwHighDateTime} << 32) | now.dwLowDateTime;
  const auto time = files.LastWriteTime("a");
  ASSERT_TRUE(time.has_value());
  EXPECT_LE(*time, nowTime);
  EXPECT_GT(*time, nowTime - 600'000'000ULL);  // within the last minute

  EXPECT_TRUE(files.Replace("a", "b"));
  EXPECT_FALSE(files.Exists("a"));
  EXPECT_EQ(ReadAll("b"), "new");
  EXPECT_TRUE(files.Remove("b"));
  EXPECT_FALSE(files.Remove("b"));
  EXPECT_FALSE(files.LastWriteTime("b").has_value());
}

TEST(Win32DataDirectoryProgram, TheProgramDirectoryHoldsTheExecutable) {
  const std::wstring dir = Win32DataDirectory::ProgramDirectory();
  ASSERT_FALSE(dir.empty());
  EXPECT_EQ(dir.back(), L'\\');
  wchar_t self[MAX_PATH];
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  EXPECT_EQ(std::wstring(self).rfind(dir, 0), 0u);
}

}  // namespace
}  // namespace tevanor::win32
