#include "rules/uninstall_entry.h"

#include <gtest/gtest.h>

#include "fakes/fake_ports.h"

namespace tevanor {
namespace {

using testing::FakeUninstallRegistry;

TEST(RepairUninstallEntry, CopiesTheTemporaryValueOntoTheUninstallString) {
  FakeUninstallRegistry registry;
  registry.keyExists = true;
  registry.values["UninstallTemp"] = "C:\\Tevanor\\lsb_un20.exe /x";
  RepairUninstallEntry(registry);
  EXPECT_EQ(registry.values["UninstallString"], "C:\\Tevanor\\lsb_un20.exe /x");
}

TEST(RepairUninstallEntry, LeavesEverythingAloneWhenItCannotCopy) {
  FakeUninstallRegistry noKey;
  noKey.values["UninstallTemp"] = "x";
  RepairUninstallEntry(noKey);
  EXPECT_EQ(noKey.values.count("UninstallString"), 0u);

  FakeUninstallRegistry noValue;
  noValue.keyExists = true;
  RepairUninstallEntry(noValue);
  EXPECT_TRUE(noValue.values.empty());

  FakeUninstallRegistry tooLong;  // 255 characters need 256 with the terminator
  tooLong.keyExists = true;
  tooLong.values["UninstallTemp"] = std::string(255, 'a');
  RepairUninstallEntry(tooLong);
  EXPECT_EQ(tooLong.values.count("UninstallString"), 0u);

  FakeUninstallRegistry failing;  // a failed write is silent
  failing.keyExists = true;
  failing.failWrites = true;
  failing.values["UninstallTemp"] = "x";
  RepairUninstallEntry(failing);
  EXPECT_EQ(failing.values.count("UninstallString"), 0u);
}

}  // namespace
}  // namespace tevanor
