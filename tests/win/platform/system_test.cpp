#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <regex>

#include "platform/win32/system_clock.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/version_resource.h"
#include "platform/win32/window_timers.h"
#include "platform/win32/winsock_network.h"

namespace tevanor::win32 {
namespace {

TEST(VersionResource, ReadsTheProductVersionOfTheRunningProgram) {
  VersionResource source;
  EXPECT_EQ(VersionText(source.ReadProductVersion()), "1,0,0,1");
}

TEST(WinsockNetwork, ListsTheHostsAddressesInDottedDecimal) {
  WinsockNetwork network;
  const auto addresses = network.LocalHostAddresses();
  ASSERT_TRUE(addresses.has_value());
  ASSERT_FALSE(addresses->empty());
  const std::regex dotted(R"(\d{1,3}\.\d{1,3}\.\d{1,3}\.\d{1,3})");
  for (const std::string& a : *addresses) EXPECT_TRUE(std::regex_match(a, dotted)) << a;
  // Sockets are released after each look-up, so a second one works the same.
  EXPECT_EQ(network.LocalHostAddresses(), addresses);
}

TEST(SystemClock, GivesTheLocalTime) {
  SYSTEMTIME before;
  ::GetLocalTime(&before);
  const LocalTime now = SystemClock().Now();
  EXPECT_EQ(now.year, before.wYear);
  EXPECT_EQ(now.month, before.wMonth);
  EXPECT_GE(now.hour * 60 + now.minute, before.wHour * 60 + before.wMinute);
}

std::map<UINT_PTR, int> ticks;

LRESULT CALLBACK CountTimers(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER) ++ticks[wParam];
  return ::DefWindowProcW(window, message, wParam, lParam);
}

void Pump(DWORD milliseconds) {
  const DWORD end = ::GetTickCount() + milliseconds;
  MSG msg;
  while (static_cast<LONG>(end - ::GetTickCount()) > 0) {
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    ::Sleep(1);
  }
}

TEST(WindowTimers, TicksByIdUntilKilled) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = CountTimers;
  windowClass.lpszClassName = L"TevanorTimerTest";
  ::RegisterClassW(&windowClass);
  const UniqueWindow window(::CreateWindowExW(0, L"TevanorTimerTest", L"", 0, 0, 0, 0, 0,
                                              HWND_MESSAGE, nullptr, nullptr, nullptr));
  ASSERT_TRUE(window);
  WindowTimers timers(window.get());
  timers.SetTimer(1, 20);
  timers.SetTimer(10, 5000);
  Pump(300);
  EXPECT_GE(ticks[1], 3);
  EXPECT_EQ(ticks[10], 0);
  timers.KillTimer(1);
  Pump(50);  // a tick already queued may still arrive
  const int afterKill = ticks[1];
  Pump(200);
  EXPECT_EQ(ticks[1], afterKill);
}

}  // namespace
}  // namespace tevanor::win32
