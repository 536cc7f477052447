#include "platform/win32/process_control.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "helper_process.h"

namespace tevanor::win32 {
namespace {

TEST(Win32ProcessControl, EndsAProgramWithExitCodeZero) {
  HelperProcess helper({L"window", L"terminar"});
  ASSERT_TRUE(helper.WaitForWindow(L"terminar"));
  Win32ProcessControl processes;
  auto process = processes.Open(helper.id());
  ASSERT_TRUE(process);
  EXPECT_TRUE(process->Terminate());
  process.reset();
  EXPECT_EQ(helper.WaitForExit(), 0u);
}

TEST(Win32ProcessControl, ProcessesThatCannotBeOpened) {
  Win32ProcessControl processes;
  EXPECT_FALSE(processes.Open(0));
  HelperProcess locked({L"--locked", L"window", L"bloqueado"});
  ASSERT_TRUE(locked.WaitForWindow(L"bloqueado"));
  EXPECT_FALSE(processes.Open(locked.id()));
}

}  // namespace
}  // namespace tevanor::win32
