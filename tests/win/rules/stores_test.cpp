// The word file and the site file saved and loaded through the real files of Windows: the new
// content replaces the old file in one step, also while it exists, and nothing stays beside it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "fakes/fake_profile.h"
#include "fakes/fake_scan_timer.h"
#include "fakes/fake_site_admin.h"
#include "platform/win32/data_directory.h"
#include "rules/phrase_store.h"
#include "rules/site_store.h"

namespace tevanor::win32 {
namespace {

class StoresOnWindows : public ::testing::Test {
 protected:
  StoresOnWindows() {
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    dir_ =
        std::wstring(temp) + L"tevanor-stores-" + std::to_wstring(::GetCurrentProcessId()) + L"\\";
    ::CreateDirectoryW(dir_.c_str(), nullptr);
  }
  ~StoresOnWindows() override {
    for (const wchar_t* name :
         {L"Tevanor.fil", L"Tevanor.asw", L"Tevanor.fil.new", L"Tevanor.asw.new"})
      ::DeleteFileW((dir_ + name).c_str());
    ::RemoveDirectoryW(dir_.c_str());
  }
  std::string Content(std::string_view name) {
    auto file = files.Open(name, OpenMode::kRead);
    std::string bytes;
    for (int b; file && (b = file->ReadByte()) >= 0;) bytes += static_cast<char>(b);
    return bytes;
  }

  std::wstring dir_;
  Win32DataDirectory files{dir_};
  testing::FakeProfile profile;
  testing::FakeScanTimer timer;
  testing::FakeSiteAdmin admin;
};

TEST_F(StoresOnWindows, AWordFileSaveReplacesTheOldFile) {
  PhraseList list;
  PhraseStore store(list, files, profile, timer);
  for (const std::string_view word : {"primera", "segunda"}) {
    ASSERT_TRUE(store.OpenWordFile(true, OpenMode::kCreateWrite));
    ASSERT_TRUE(store.WriteWordRecord(word, false));
    ASSERT_TRUE(store.OpenWordFile(false));
    EXPECT_EQ(Content(kWordFileName), std::string(word) + "\x09");
  }
  EXPECT_FALSE(files.Exists(SideFileName(kWordFileName)));
  EXPECT_EQ(profile.GetInt("Tevanor.filL", 0),
            static_cast<int>(*files.LastWriteTime(kWordFileName)));
  ASSERT_TRUE(store.LoadUserWords(true));
  ASSERT_NE(list.FirstUser(), nullptr);
  EXPECT_EQ(list.FirstUser()->text, "segunda");
}

TEST_F(StoresOnWindows, SiteBatchesReplaceOrDeleteTheFile) {
  SiteList list;
  SiteStore store(list, files, profile, timer, admin);
  for (const std::string_view site : {"http://uno.example", "http://dos.example"}) {
    store.OnSiteEdit(std::string(site), 1);
    ASSERT_EQ(store.OnSiteEdit("", 0), 1);
    EXPECT_EQ(Content(kSiteFileName), std::string(site) + "\x08");
  }
  ASSERT_TRUE(store.LoadSiteList(false));
  ASSERT_NE(list.First(), nullptr);
  EXPECT_EQ(list.First()->text, "http://dos.example");
  ASSERT_EQ(store.OnSiteEdit("", 0), 1);
  EXPECT_FALSE(files.Exists(kSiteFileName));
  EXPECT_FALSE(files.Exists(SideFileName(kSiteFileName)));
}

}  // namespace
}  // namespace tevanor::win32
