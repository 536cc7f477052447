// Tevanor.exe itself on a Wine virtual desktop: the pieces joined. It starts hidden and guards,
// comes back behind the password and ends on Ctrl+S and Yes (the run scripts/run.sh shows),
// runs one copy at a time, starts the uninstaller after the password and welcomes a first run.
// Each test waits for what it checks, never for a cause.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "platform/win32/cng_key_derivation.h"
#include "screen.h"
#include "tevanor_run.h"

namespace tevanor::e2e {
namespace {

HWND PasswordPrompt() {
  return WaitForVisible([] { return FindDialog(kPromptCaption, true); });
}

void Capture(HWND window, const std::string& name) {
  testing::BringForward(window);
  ::Sleep(500);  // Wine paints once the program's loop has run
  testing::Capture(window, name);
}

class ProgramE2E : public ::testing::Test {
 protected:
  void SetUp() override { ResetProfile(Profile::kPasswordStored); }
};

TEST_F(ProgramE2E, GuardsHiddenOpensBehindThePasswordAndEndsOnCtrlS) {
  EXPECT_EQ(WalkThrough([](const std::string&) {}, Capture), "");
}

TEST_F(ProgramE2E, TheUninstallPathStartsTheUninstallerAfterThePassword) {
  const std::wstring directory = ProgramDirectory() + L"desinstalar";
  ::CreateDirectoryW(directory.c_str(), nullptr);
  const std::wstring record = directory + L"\\uninstaller-ran.txt";
  ::DeleteFileW(record.c_str());
  ::CopyFileW((win32::Win32DataDirectory::ProgramDirectory() + L"uninstaller_stand_in.exe").c_str(),
              (directory + L"\\lsb_un20.exe").c_str(), FALSE);
  const TevanorRun running;  // removal works while a copy runs
  ASSERT_NE(StartedPanel(), nullptr);

  const Program uninstall(TevanorRun::Command() + L" /" + directory + L"/u");
  HWND prompt = PasswordPrompt();
  ASSERT_NE(prompt, nullptr);
  EnterPassword(prompt, kPassword);
  ASSERT_EQ(uninstall.WaitForExit(kDeadline), 0u);
  ASSERT_TRUE(WaitUntil(
      [&] { return ::GetFileAttributesW(record.c_str()) != INVALID_FILE_ATTRIBUTES; }, kDeadline));
  std::string joined;
  for (const std::string& part : ReadFields(record, '\0'))
    joined += part;  // UTF-16 of ASCII: every other byte
  EXPECT_THAT(joined, ::testing::HasSubstr("lsb_un20.exe"));
  EXPECT_THAT(joined, ::testing::EndsWith("/C=UC /N=Tevanor"));
}

TEST_F(ProgramE2E, FiftyStartsAtOnceLeaveOneRunningCopy) {
  std::vector<std::unique_ptr<Program>> starts;
  for (int i = 0; i < 50; ++i) starts.push_back(std::make_unique<Program>(TevanorRun::Command()));
  const auto running = [&] {
    return std::count_if(starts.begin(), starts.end(), [](const auto& s) { return s->Running(); });
  };
  EXPECT_TRUE(WaitUntil([&] { return running() == 1; }, 120'000));
  ::Sleep(2'000);
  EXPECT_EQ(running(), 1);
  EXPECT_NE(Panel(), nullptr);
}

TEST_F(ProgramE2E, AFirstRunWelcomesTheParentAndAsksForAPassword) {
  ResetProfile(Profile::kFirstRun);
  const TevanorRun run;
  HWND welcome = WaitForVisible([] { return FindDialog(L"¡¡Bienvenido!!", true); });
  ASSERT_NE(welcome, nullptr);
  Capture(welcome, "first_run_welcome");
  Click(welcome, IDOK);
  HWND prompt = WaitForVisible([] { return FindDialog(kNewPasswordCaption, true); });
  ASSERT_NE(prompt, nullptr);
  ::SetDlgItemTextW(prompt, 1015, kPassword);
  ::SetDlgItemTextW(prompt, 1018, kPassword);
  Capture(prompt, "first_run_new_password");
  Click(prompt, IDOK);
  ASSERT_NE(StartedPanel(), nullptr);
  win32::RegistryProfile profile;
  EXPECT_EQ(profile.GetInt(profile::kFirstRun, -1), 0);
  win32::CngKeyDerivation keys;
  EXPECT_TRUE(
      PasswordMatches(keys, win32::Narrow(kPassword), profile.GetString(profile::kPassword, "")));
}

}  // namespace
}  // namespace tevanor::e2e
