// How long the editing dialogs take on large lists on the real system: prints one line per
// measure. A measuring program, not a test: it asserts nothing and no test runs it.
//   editing_dialogs_timing.exe [ENTRIES]
// clang-format off
#include <windows.h>
#include <psapi.h>
// clang-format on

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "no_op_ports.h"
#include "platform/win32/data_directory.h"
#include "platform/win32/framework/win32_dialog_host.h"
#include "platform/win32/registry_profile.h"
#include "resource.h"
#include "ui/about_dlg.h"
#include "ui/dialog_messages.h"
#include "ui/filter_config_dlg.h"
#include "ui/history_dlg.h"
#include "ui/site_admin_dlg.h"
#include "unit/ui/stand_in_panel.h"

namespace tevanor {
namespace {

using namespace testing;

double Seconds(const std::function<void()>& work) {
  LARGE_INTEGER frequency, start, end;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&start);
  work();
  ::QueryPerformanceCounter(&end);
  return double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

double PeakMegabytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
  return counters.PeakWorkingSetSize / 1e6;
}

int Run(int entries) {
  const std::wstring directory =
      std::filesystem::temp_directory_path().wstring() + L"tevanor-timing\\";
  std::filesystem::remove_all(directory);
  std::filesystem::create_directory(directory);
  const auto put = [&](const wchar_t* name, const std::string& bytes) {
    std::ofstream(std::filesystem::path(directory + name), std::ios::binary) << bytes;
  };
  win32::Win32DataDirectory files(directory);
  win32::RegistryProfile profile(L"Software\\Tevanor\\TevanorTiming");
  NoScanTimer scan;
  NoShell shell;
  NoSiteAdmin admin;
  GuardState state;
  PhraseStore words(state.phrases, files, profile, scan);
  SiteStore sites(state.sites, files, profile, scan, admin);
  win32::Win32DialogHost host;
  StandInPanel* panel = OpenModeless<StandInPanel>(host, nullptr, sites);

  std::string text;
  for (int i = 0; i < entries; ++i) text += "palabra prohibida " + std::to_string(i) + "\b";
  put(L"Tevanor.fil", text);
  words.RebuildPhraseList(0);
  CFilterConfigDlg* filter = nullptr;
  std::printf("filter, %d words: open %.3f s\n", entries, Seconds([&] {
                OpenSingle(filter, host, panel, *panel, FilterConfigData{state, words, profile});
              }));
  std::printf(
      "filter, %d words: accept and rebuild %.3f s\n", entries, Seconds([&] {
        ::SendMessageW(::GetDlgItem(win32::Win32DialogHost::WindowOf(*filter), IDC_LEVEL_TOTAL),
                       BM_CLICK, 0, 0);
        ::SendMessageW(::GetDlgItem(win32::Win32DialogHost::WindowOf(*filter), IDC_FILTER_ACCEPT),
                       BM_CLICK, 0, 0);
      }));

  text.clear();
  for (int i = 0; i < entries; ++i)
    text += "http://prohibido" + std::to_string(i) + ".example\bhttp://libre" + std::to_string(i) +
            ".example\t";
  put(L"Tevanor.asw", text);
  state.m_bBuiltInSites = 0;
  sites.LoadSiteList(false);
  CSiteAdminDlg* siteAdmin = nullptr;
  std::printf(
      "sites, %d per list: open %.3f s\n", entries, Seconds([&] {
        OpenSingle(siteAdmin, host, panel, *panel, SiteAdminData{state, sites, profile, shell});
      }));
  std::printf("sites, %d per list: accept and reload %.3f s\n", entries,
              Seconds([&] { siteAdmin->AddSiteAndAccept("http://otro.example", true); }));

  text = std::string();
  for (const int megabytes : {10, 100}) {
    // Written record by record, so that the peak below is the dialog's.
    const std::string record =
        "http://www.sitio-prohibido.example/pagina\b21:07-05/12/2026\bSitio prohibido\b";
    {
      std::ofstream out(std::filesystem::path(directory + L"Tevanor.his"), std::ios::binary);
      for (std::size_t size = 0; size < std::size_t(megabytes) * 1'000'000; size += record.size())
        out << record;
    }
    CHistoryDlg* history = nullptr;
    const double before = PeakMegabytes();
    std::printf("history, %d MB (%zu records): open %.3f s", megabytes,
                std::size_t(megabytes) * 1'000'000 / record.size(), Seconds([&] {
                  OpenSingle(history, host, panel, *panel, HistoryData{state, files, shell});
                }));
    std::printf(", peak working set %.0f MB (before %.0f MB)\n", PeakMegabytes(), before);
    ::DestroyWindow(win32::Win32DialogHost::WindowOf(*history));
    host.ProcessPendingMessages();
  }
  ::DestroyWindow(win32::Win32DialogHost::WindowOf(*panel));
  ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tevanor\\TevanorTiming");
  std::filesystem::remove_all(directory);
  return 0;
}

}  // namespace
}  // namespace tevanor

int main(int argc, char** argv) {
  // The number of words, and of sites per list; the histories are 10 and 100 MB.
  return tevanor::Run(argc > 1 ? std::atoi(argv[1]) : 20'000);
}
