#include "guardian/record_block.h"

#include <gtest/gtest.h>

#include "fakes/fake_data_directory.h"
#include "fakes/fake_ports.h"
#include "fakes/fake_profile.h"

namespace tevanor {
namespace {

class RecordBlockTest : public ::testing::Test {
 protected:
  void Record(const char* site) {
    RecordBlock(state, {host, files, profile}, {site, "09:05-01/02/2003", "CASINO"});
  }
  // The history file's stamp in the profile, as two signed 32-bit halves.
  std::pair<int, int> Stamp() {
    return {profile.GetInt("Tevanor.hisL", 0), profile.GetInt("Tevanor.hisH", 0)};
  }

  GuardState state;
  testing::FakeGuardHost host;
  testing::FakeDataDirectory files;
  testing::FakeProfile profile;
};

TEST_F(RecordBlockTest, CountsAppendsStampsAndAsksAnOpenHistoryToReload) {
  Record("mIRC");
  Record("http://a.example/");

  EXPECT_EQ(host.captions, (std::vector<std::string>{"Tevanor - vigilando (1 sitios bloqueados)",
                                                     "Tevanor - vigilando (2 sitios bloqueados)"}));
  EXPECT_EQ(state.m_strCaption, host.captions.back());
  const FileTime time = *files.LastWriteTime("Tevanor.his");
  EXPECT_EQ(Stamp(), std::make_pair(static_cast<int>(static_cast<std::uint32_t>(time)),
                                    static_cast<int>(static_cast<std::uint32_t>(time >> 32))));
  EXPECT_EQ(host.historyReloads, 2);
  EXPECT_EQ(state.m_bHistoryOpen, 0);
  EXPECT_FALSE(files.IsOpen("Tevanor.his"));
}

TEST_F(RecordBlockTest, AHistoryThatCannotBeWrittenLosesOnlyTheRecord) {
  for (const bool locked : {true, false}) {
    SCOPED_TRACE(locked ? "locked by another program" : "write error");
    files = testing::FakeDataDirectory();
    if (locked) files.HoldOpen("Tevanor.his");
    files.writeBudget = locked ? -1 : 3;
    Record("mIRC");
    EXPECT_EQ(host.captions.back(), WatchingCaption(state.m_nBlocked));
    EXPECT_EQ(Stamp(), std::make_pair(0, 0));
    EXPECT_EQ(host.historyReloads, 0);
    EXPECT_EQ(state.m_bHistoryOpen, 0);
  }
  EXPECT_EQ(state.m_nBlocked, 2);
}

}  // namespace
}  // namespace tevanor
