// The parent's editing dialogs on the real system: each filled with realistic content,
// captured, and driven through its window messages to the file it saves.
#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "no_op_ports.h"
#include "platform/win32/data_directory.h"
#include "platform/win32/framework/win32_dialog_host.h"
#include "platform/win32/registry_profile.h"
#include "resource.h"
#include "screen.h"
#include "text/cp1252.h"
#include "ui/about_dlg.h"
#include "ui/dialog_messages.h"
#include "ui/filter_config_dlg.h"
#include "ui/history_dlg.h"
#include "ui/site_admin_dlg.h"
#include "unit/ui/stand_in_panel.h"

namespace tevanor::testing {
namespace {

using win32::Win32DialogHost;

class EditingDialogs : public ::testing::Test {
 protected:
  static constexpr const wchar_t* kTestKey = L"Software\\Tevanor\\TevanorEditingTest";
  void SetUp() override {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
    std::filesystem::remove_all(directory);
    std::filesystem::create_directory(directory);
    panel = OpenModeless<StandInPanel>(host, nullptr, sites);
    ASSERT_NE(panel, nullptr);
  }
  void TearDown() override {
    if (panel != nullptr) ::DestroyWindow(Win32DialogHost::WindowOf(*panel));
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
  }
  void Put(const char* name, const std::string& bytes) {
    std::ofstream(std::filesystem::path(directory + std::wstring(name, name + std::strlen(name))),
                  std::ios::binary)
        << bytes;
  }
  std::string Content(const char* name) {
    std::ifstream in(
        std::filesystem::path(directory + std::wstring(name, name + std::strlen(name))),
        std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }
  void Pump(DWORD ms) {
    for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < ms; ::Sleep(10))
      host.ProcessPendingMessages();
  }
  void Shoot(const Dialog& dialog, const std::string& name) {
    HWND window = Win32DialogHost::WindowOf(dialog);
    BringForward(window);
    Pump(400);
    Capture(window, name);
  }
  static void Press(const Dialog& dialog, int id) {
    ::SendMessageW(::GetDlgItem(Win32DialogHost::WindowOf(dialog), id), BM_CLICK, 0, 0);
  }

  std::wstring directory = std::filesystem::temp_directory_path().wstring() + L"tevanor-editing\\";
  win32::Win32DataDirectory files{directory};
  win32::RegistryProfile profile{kTestKey};
  NoScanTimer scan;
  NoShell shell;
  NoSiteAdmin admin;
  GuardState state;
  PhraseStore words{state.phrases, files, profile, scan};
  SiteStore sites{state.sites, files, profile, scan, admin};
  Win32DialogHost host;
  StandInPanel* panel = nullptr;
};

TEST_F(EditingDialogs, FilterConfigurationAccepts) {
  Put("Tevanor.fil", "casino\bapuestas\bPoker\tcontenido adulto\bviolencia\b");
  state.m_nProtLevel = 0;
  words.RebuildPhraseList(0);
  CFilterConfigDlg* filter = nullptr;
  ASSERT_NE(OpenSingle(filter, host, panel, *panel, FilterConfigData{state, words, profile}),
            nullptr);
  HWND list = ::GetDlgItem(Win32DialogHost::WindowOf(*filter), IDC_FILTER_LIST);
  EXPECT_EQ(ListView_GetItemCount(list), 5);
  CWordEntryDlg entry(host, *filter);
  DialogDriver driver(entry, {Type(IDC_WORD_EDIT, L"juegos de azar"), testing::Shoot("word_entry"),
                              Key(VK_RETURN)});
  EXPECT_EQ(entry.DoModal(filter), kIdOk);
  EXPECT_EQ(ListView_GetItemCount(list), 6);
  Shoot(*filter, "filter_config");
  Press(*filter, IDC_LEVEL_TOTAL);
  Press(*filter, IDC_FILTER_ACCEPT);
  Pump(100);
  EXPECT_EQ(filter, nullptr);
  EXPECT_EQ(Content("Tevanor.fil"),
            "violencia\bcontenido adulto\bPoker\tapuestas\bcasino\bjuegos de azar\b");
  EXPECT_EQ(profile.GetInt("NivelProt", 0), -1);
}

TEST_F(EditingDialogs, SiteAdministrationAccepts) {
  Put("Tevanor.asw",
      "http://www.casino-online.example\bhttp://apuestas.example\bhttp://chat.example/sala\b"
      "http://www.escuela.example\thttp://enciclopedia.example\thttp://juegos.example/"
      "educativos\t");
  state.m_bBuiltInSites = 0;
  sites.LoadSiteList(false);
  CSiteAdminDlg* admin = nullptr;
  ASSERT_NE(OpenSingle(admin, host, panel, *panel, SiteAdminData{state, sites, profile, shell}),
            nullptr);
  HWND window = Win32DialogHost::WindowOf(*admin);
  EXPECT_EQ(ListView_GetItemCount(::GetDlgItem(window, IDC_SITES_PROHIBITED)), 3);
  EXPECT_EQ(ListView_GetItemCount(::GetDlgItem(window, IDC_SITES_ALLOWED)), 3);
  CSiteEntryDlg entry(host, *admin);
  DialogDriver driver(entry, {Type(IDC_SITE_EDIT, L"http://www.loteria.example"),
                              testing::Shoot("site_entry"), Click(IDC_SITE_BLOCK)});
  EXPECT_EQ(entry.DoModal(admin), 2);
  // The entry box ran on its own here: the switch, ticked and cleared, marks the dialog changed.
  Press(*admin, IDC_SITES_BUILTIN);
  Press(*admin, IDC_SITES_BUILTIN);
  Shoot(*admin, "site_admin");
  Press(*admin, IDC_SITES_ACCEPT);
  Pump(100);
  EXPECT_EQ(admin, nullptr);
  EXPECT_EQ(Content("Tevanor.asw"),
            "http://apuestas.example\bhttp://chat.example/sala\bhttp://www.casino-online.example\b"
            "http://www.loteria.example\bhttp://enciclopedia.example\t"
            "http://juegos.example/educativos\thttp://www.escuela.example\t");
}

TEST_F(EditingDialogs, HistoryListsTheNewestFirstAndCloses) {
  Put("Tevanor.his",
      "http://www.casino-online.example/\b10:00-07/12/2026\bSitio prohibido\b"
      "Bloc de notas - casino\b11:01-07/12/2026\bCASINO\b"
      "http://chat.example/sala\b12:02-07/12/2026\bChat Java\b");
  CHistoryDlg* dialog = nullptr;
  ASSERT_NE(OpenSingle(dialog, host, panel, *panel, HistoryData{state, files, shell}), nullptr);
  HWND list = ::GetDlgItem(Win32DialogHost::WindowOf(*dialog), IDC_HISTORY_LIST);
  ASSERT_EQ(ListView_GetItemCount(list), 3);
  wchar_t text[128] = {};
  ListView_GetItemText(list, 0, 0, text, 128);
  EXPECT_STREQ(text, L"http://chat.example/sala");
  ListView_SetItemState(list, 0, LVIS_SELECTED, LVIS_SELECTED);
  Shoot(*dialog, "history");
  Press(*dialog, IDC_HISTORY_CLOSE);
  Pump(100);
  EXPECT_EQ(dialog, nullptr);
}

}  // namespace
}  // namespace tevanor::testing
