// The program's start: which path a command line and the single-instance lock choose.
#include "app/guard_app.h"

#include <gtest/gtest.h>

#include "app/command_line.h"
#include "fakes/fake_key_derivation.h"
#include "fakes/fake_profile.h"
#include "fakes/fake_shell.h"
#include "fakes/framework/fake_dialog_host.h"
#include "resource.h"
#include "rules/profile_values.h"
#include "ui/password_form.h"

namespace tevanor::testing {
namespace {

struct CommandLineCase {
  const char* line;
  bool uninstall;
  const char* directory;
};

TEST(CommandLine, UninstallsOnATrailingSlashUAndFindsTheDirectoryBetweenTheFirstTwoSlashes) {
  const CommandLineCase cases[] = {
      {R"("C:\Archivos\Tevanor\Tevanor.exe" /C:\Archivos\Tevanor/u)", true,
       R"(C:\Archivos\Tevanor)"},
      {R"(Tevanor.exe /C:\Tevanor/U)", true, R"(C:\Tevanor)"},
      {R"(Tevanor.exe /C:\Tevanor/u )", false, R"(C:\Tevanor)"},    // a blank after it
      {R"("Tevanor.exe" "/C:\Tevanor/u")", true, R"(C:\Tevanor)"},  // quotes go first
      {R"(Tevanor.exe /u)", true, ""},  // one slash: the uninstaller at the drive's root
      {R"(Tevanor.exe)", false, ""},
      {R"(C:\Tevanor.exe /a/b/u)", true, "a"},
  };
  for (const CommandLineCase& c : cases) {
    SCOPED_TRACE(c.line);
    const StartRequest request = ParseCommandLine(c.line);
    EXPECT_EQ(request.uninstall, c.uninstall);
    EXPECT_EQ(request.uninstallerDirectory, c.directory);
  }
  EXPECT_EQ(UninstallerPath(""), "\\lsb_un20.exe");
}

class StartPaths : public ::testing::Test {
 protected:
  StartPaths() { profile.values[std::string(profile::kPassword)] = EncodePassword("Secreto1"); }

  StartPath Start(const char* commandLine) {
    CGuardApp app({host, profile, machine, lock, shell, keys, [this] { return handedOver; },
                   [this] { ++serviceRegistrations; }, [this] { ++panelRuns; },
                   [this] { return dataFilesReady; }});
    return app.InitInstance(commandLine);
  }

  FakeDialogHost host;
  FakeProfile profile;
  FakeProfile machine;
  std::string handedOver;  // the installer's password
  FakeInstanceLock lock;
  FakeShellOpen shell;
  FakeKeyDerivation keys;
  int serviceRegistrations = 0;
  int panelRuns = 0;
  bool dataFilesReady = false;  // what making the data files writable gives
};

TEST_F(StartPaths, TheFirstCopyRunsThePanelAndASecondOnlySignalsIt) {
  EXPECT_EQ(Start("Tevanor.exe"), StartPath::kFirstCopy);
  EXPECT_EQ(panelRuns, 1);
  EXPECT_EQ(profile.GetInt(profile::kSecondStart, 0), 0);
  lock.heldElsewhere = true;
  EXPECT_EQ(Start("Tevanor.exe"), StartPath::kSecondStart);
  EXPECT_EQ(panelRuns, 1);
  EXPECT_EQ(profile.GetInt(profile::kSecondStart, 0), 1);
  EXPECT_EQ(serviceRegistrations, 2);
  EXPECT_TRUE(shell.opened.empty());
}

// The uninstall path asks for the password even while another copy runs, and starts the
// uninstaller only when it was given.
TEST_F(StartPaths, TheUninstallerStartsOnlyAfterThePassword) {
  lock.heldElsewhere = true;
  host.Click(IDC_PASSWORD_CANCEL);
  EXPECT_EQ(Start(R"(Tevanor.exe /C:\Tevanor/u)"), StartPath::kUninstall);
  EXPECT_TRUE(shell.opened.empty());
  host.Type(IDC_PASSWORD_EDIT, "Secreto1").Click(kIdOk);
  EXPECT_EQ(Start(R"(Tevanor.exe /C:\Tevanor/u)"), StartPath::kUninstall);
  EXPECT_EQ(shell.opened, std::vector<std::string>{R"(C:\Tevanor\lsb_un20.exe /C=UC /N=Tevanor)"});
  EXPECT_EQ(panelRuns, 0);
  EXPECT_EQ(profile.GetInt(profile::kSecondStart, 0), 0);
}

}  // namespace
}  // namespace tevanor::testing
