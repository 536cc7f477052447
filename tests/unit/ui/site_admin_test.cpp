// The site administration and site entry dialogs on the fake host, as a parent uses them, with
// the panel's site batch going to a real site store.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/fake_data_directory.h"
#include "fakes/fake_profile.h"
#include "fakes/fake_scan_timer.h"
#include "fakes/fake_shell.h"
#include "fakes/framework/fake_dialog_host.h"
#include "resource.h"
#include "rules/builtin_sites.h"
#include "rules/profile_values.h"
#include "ui/site_admin_dlg.h"
#include "unit/ui/stand_in_panel.h"

namespace tevanor::testing {
namespace {

using ::testing::ElementsAre;

constexpr std::string_view kSiteFile = "Tevanor.asw";
const std::string kStoredSites =
    "http://malo.example\bhttp://bueno.example\thttp://peor.example/x\b";

class SiteAdmin : public ::testing::Test, public SiteAdminRequests {
 public:
  void SetUp() override {
    files.Put(kSiteFile, kStoredSites);
    state.m_bBuiltInSites = 0;
    store.LoadSiteList(false);
    panel = OpenModeless<StandInPanel>(host, nullptr, store);
    Open();
  }
  // The panel's side of the site batch: open or raise the dialog, then add and accept.
  void AddSiteAndSave(std::string_view address, bool prohibited) override {
    Open();
    if (dialog != nullptr) dialog->AddSiteAndAccept(address, prohibited);
  }
  void PostRefill() override {
    if (dialog != nullptr) dialog->Post(PrivateMessage{WM_REFILLSITES, 0, std::nullopt});
  }
  void Open() {
    OpenSingleFrom(dialog, host, panel, [&] {
      return std::make_unique<CSiteAdminDlg>(host, *panel,
                                             SiteAdminData{state, store, profile, shell});
    });
  }
  FakeWindow& Window() const { return host.WindowOf(*dialog); }
  std::vector<std::string> Rows(int list) const {
    std::vector<std::string> rows;
    for (int row = 0; row < Window().ListCount(list); ++row)
      rows.push_back(Window().ListText(list, row, 0));
    return rows;
  }
  // Accepts, and gives the site file, which the sites in memory must equal.
  std::string Accept() {
    host.Click(IDC_SITES_ACCEPT, dialog);
    host.Run();
    EXPECT_EQ(dialog, nullptr);
    std::string sites;
    for (const SiteEntry* e = state.sites.First(); e != nullptr; e = e->next)
      if (!e->builtIn) sites += e->text + (e->prohibited ? '\b' : '\t');
    EXPECT_EQ(sites, files.Content(kSiteFile));
    return files.Content(kSiteFile).value_or("?");
  }
  bool Shown(int id) const { return Window().IsControlVisible(id); }
  void Select(int list, std::initializer_list<int> chosen) {
    host.Then([this, list, rows = std::vector<int>(chosen)] {
      for (int row : rows) Window().ListSelect(list, row, true);
      dialog->Send(ListNotification{list, ListNotification::Kind::kClick, -1});
    });
  }
  // Reloads the site file into the store and the open dialog.
  void Reload(const std::string& bytes, bool builtIn = false) {
    files.Put(kSiteFile, bytes);
    state.m_bBuiltInSites = builtIn ? 1 : 0;
    store.FreeSiteList();
    store.LoadSiteList(builtIn);
    dialog->Send(PrivateMessage{WM_REFILLSITES, 0, std::nullopt});
  }
  void PressRevealKeys() {
    for (int i = 0; i < CSiteAdminDlg::kRevealPresses; ++i)
      dialog->Send(ListNotification{IDC_SITES_PROHIBITED, ListNotification::Kind::kKeyDown, 0,
                                    CSiteAdminDlg::kRevealKey});
    host.Run();
  }
  void Enter(const std::string& address, int button) {
    host.Click(IDC_SITES_ADD, dialog).Type(IDC_SITE_EDIT, address).Click(button);
  }

  FakeDataDirectory files;
  FakeProfile profile;
  FakeScanTimer scan;
  FakeShellOpen shell;
  GuardState state;
  SiteStore store{state.sites, files, profile, scan, *this};
  FakeDialogHost host;
  StandInPanel* panel = nullptr;
  CSiteAdminDlg* dialog = nullptr;
};

// The entry box: "Agrega" allows, "Bloquea" prohibits, Esc and "Cancela" add nothing; a site
// already in either list, in any letter case, moves; an empty text adds nothing.
TEST_F(SiteAdmin, SiteEntryAddsMovesAndEscAddsNothing) {
  host.Click(IDC_SITES_ADD, dialog).PressEscape();
  host.Click(IDC_SITES_ADD, dialog).Type(IDC_SITE_EDIT, "http://x").Click(IDC_SITE_CANCEL);
  host.Click(IDC_SITES_ADD, dialog).Type(IDC_SITE_EDIT, "").PressEnter();
  host.Run();
  EXPECT_EQ(Rows(IDC_SITES_PROHIBITED).size() + Rows(IDC_SITES_ALLOWED).size(), 3u);
  Enter("HTTP://MALO.example", IDC_SITE_ALLOW);
  Enter("http://nuevo.example", IDC_SITE_BLOCK);
  Enter("http://Bueno.example", IDC_SITE_BLOCK);
  host.Run();
  EXPECT_THAT(Rows(IDC_SITES_ALLOWED), ElementsAre("HTTP://MALO.example"));
  EXPECT_EQ(Accept(),
            "http://Bueno.example\bhttp://nuevo.example\b"
            "http://peor.example/x\bHTTP://MALO.example\t");
}

// Move, delete and empty edit the lists and the row buttons follow.
TEST_F(SiteAdmin, DeleteMoveAndEmptyEditTheLists) {
  Select(IDC_SITES_PROHIBITED, {0});
  host.Click(IDC_SITES_MOVE, dialog);
  host.Run();
  EXPECT_THAT(Rows(IDC_SITES_ALLOWED), ElementsAre("http://bueno.example", "http://malo.example"));
  Select(IDC_SITES_ALLOWED, {0, 1});
  host.Click(IDC_SITES_DELETE, dialog);
  host.Run();
  EXPECT_TRUE(Rows(IDC_SITES_ALLOWED).empty());
  EXPECT_FALSE(Shown(IDC_SITES_DELETE) || Shown(IDC_SITES_EMPTY_ALLOWED));
  host.Click(IDC_SITES_EMPTY_PROHIBITED, dialog);
  EXPECT_EQ(Accept(), "");
}

// Optimisation cuts prohibited and allowed addresses to their host and drops a repeat only
// next to its equal, and every empty entry.
TEST_F(SiteAdmin, OptimiseShortensAndDropsNeighbourRepeats) {
  Reload(std::string("\bhttp://a.example\bhttp://a.example/uno\bhttp://a.example/dos\b") +
         "sin-barras/x\bhttp://b.example\bhttp://b.example-x\bhttp://b.example/q\b" +
         "http://c.example/p\t");
  host.Click(IDC_SITES_OPTIMISE, dialog);
  host.Run();
  EXPECT_THAT(Rows(IDC_SITES_PROHIBITED),
              ElementsAre("http://a.example", "http://b.example", "http://b.example-x",
                          "http://b.example", "sin-barras/x"));
  EXPECT_THAT(Rows(IDC_SITES_ALLOWED), ElementsAre("http://c.example"));
}

// The switch of the built-in list is stored and rebuilds the list; the built-in rows the
// hidden view shows are never written to the site file.
TEST_F(SiteAdmin, BuiltInSitesAreSwitchedButNeverSaved) {
  PressRevealKeys();
  EXPECT_EQ(Rows(IDC_SITES_PROHIBITED).size(), 2u) << "the switch is off: none are listed";
  host.Click(IDC_SITES_BUILTIN, dialog);
  Accept();
  EXPECT_EQ(profile.GetInt(profile::kBuiltInSites, -1), 1);
  Open();
  PressRevealKeys();
  EXPECT_EQ(Rows(IDC_SITES_PROHIBITED).size(), kBuiltInSiteRows + 2);
  Enter("http://otro.example", IDC_SITE_BLOCK);
  EXPECT_EQ(Accept(),
            "http://malo.example\bhttp://otro.example\b"
            "http://peor.example/x\bhttp://bueno.example\t");
}

// A parent's entry that shortens to a built-in one the hidden view shows, right after it, is
// the one optimisation keeps.
TEST_F(SiteAdmin, OptimiseKeepsTheParentsEntryBesideAnEqualBuiltInOne) {
  const std::string builtIn(kBuiltInSiteTable[0]);
  Reload(builtIn + "/videos\b", true);
  PressRevealKeys();
  ASSERT_EQ(Rows(IDC_SITES_PROHIBITED).size(), kBuiltInSiteRows + 1);
  host.Click(IDC_SITES_OPTIMISE, dialog);
  EXPECT_EQ(Accept(), builtIn + "\b");
}

// An empty allowed entry of the file would end the batch at once: it is never sent, and every
// other entry is saved.
TEST_F(SiteAdmin, AnEmptyAllowedEntryNeverEndsTheBatchEarly) {
  Reload("\t" + kStoredSites);
  host.Click(IDC_SITES_BUILTIN, dialog).Click(IDC_SITES_BUILTIN, dialog);
  EXPECT_EQ(Accept(), "http://malo.example\bhttp://peor.example/x\bhttp://bueno.example\t");
}

// A save that fails keeps the file and the switch, says so and leaves the dialog open with its
// lists; the next "Acepta" saves.
TEST_F(SiteAdmin, FailedSaveIsReportedAndKeepsTheDialogOpen) {
  files.HoldOpen(kSiteFile);
  Enter("http://nuevo.example", IDC_SITE_BLOCK);
  host.Click(IDC_SITES_BUILTIN, dialog).Click(IDC_SITES_ACCEPT, dialog).Answer(kIdOk);
  host.Run();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(files.Content(kSiteFile), kStoredSites);
  EXPECT_EQ(profile.GetInt(profile::kBuiltInSites, -1), -1);
  EXPECT_EQ(Rows(IDC_SITES_PROHIBITED).size(), 3u);
  files.Release(kSiteFile);
  Accept();
}

}  // namespace
}  // namespace tevanor::testing
