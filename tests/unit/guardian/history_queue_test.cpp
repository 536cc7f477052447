#include "guardian/history_queue.h"

#include <gtest/gtest.h>

#include "fakes/fake_data_directory.h"
#include "fakes/fake_ports.h"
#include "fakes/fake_profile.h"

namespace tevanor {
namespace {

class HistoryQueueTest : public ::testing::Test {
 protected:
  void Record(const char* site) { queue.RecordBlock({site, "09:05-01/02/2003", "CASINO"}); }
  // The history file's stamp in the profile, as two signed 32-bit halves.
  std::pair<int, int> Stamp() {
    return {profile.GetInt("Tevanor.hisL", 0), profile.GetInt("Tevanor.hisH", 0)};
  }

  GuardState state;
  testing::FakeGuardHost host;
  testing::FakeDataDirectory files;
  testing::FakeProfile profile;
  HistoryQueue queue{state, {host, files, profile}};
};

TEST_F(HistoryQueueTest, CountsAppendsStampsAndAsksAnOpenHistoryToReload) {
  Record("mIRC");
  Record("http://a.example/");

  EXPECT_EQ(host.captions.back(), WatchingCaption(2));
  const FileTime time = *files.LastWriteTime("Tevanor.his");
  EXPECT_EQ(Stamp(), std::make_pair(static_cast<int>(static_cast<std::uint32_t>(time)),
                                    static_cast<int>(static_cast<std::uint32_t>(time >> 32))));
  EXPECT_EQ(host.historyReloads, 2);
  EXPECT_FALSE(files.IsOpen("Tevanor.his"));
}

// A history held by another program, or whose writes fail, loses no block: the records wait
// and go in, in order, once the file can be written again.
TEST_F(HistoryQueueTest, AHistoryThatCannotBeWrittenKeepsItsRecordsUntilItCan) {
  for (const bool locked : {true, false}) {
    SCOPED_TRACE(locked ? "locked by another program" : "write error");
    files = testing::FakeDataDirectory();
    profile = testing::FakeProfile();
    if (locked) files.HoldOpen("Tevanor.his");
    files.writeBudget = locked ? -1 : 3;
    Record("uno");
    Record("dos");
    EXPECT_EQ(host.captions.back(), WatchingCaption(state.m_nBlocked));
    EXPECT_EQ(Stamp(), std::make_pair(0, 0));
    EXPECT_EQ(host.historyReloads, 0);

    files.Release("Tevanor.his");
    files.writeBudget = -1;
    queue.AppendUnwrittenBlocks();
    queue.AppendUnwrittenBlocks();  // the records went in once
    EXPECT_EQ(files.Content("Tevanor.his"),
              "uno\b09:05-01/02/2003\bCASINO\bdos\b09:05-01/02/2003\bCASINO\b");
    EXPECT_NE(Stamp(), std::make_pair(0, 0));
    EXPECT_EQ(host.historyReloads, 1);
    host.historyReloads = 0;
  }
  EXPECT_EQ(state.m_nBlocked, 4);
}

}  // namespace
}  // namespace tevanor
