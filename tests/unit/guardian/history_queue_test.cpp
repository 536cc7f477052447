#include "guardian/history_queue.h"

#include <gtest/gtest.h>

#include "fakes/fake_data_directory.h"
#include "fakes/fake_ports.h"
#include "fakes/fake_profile.h"

namespace tevanor {
namespace {

// Every block counts in the caption at once. A history held by another program, or whose writes
// fail, loses no block: the records wait and go in, in order, once the file can be written again;
// only then is the file's stamp kept and an open history asked to reload.
TEST(HistoryQueue, KeepsTheRecordsThatCannotBeWrittenUntilTheyCanBe) {
  for (const bool locked : {true, false}) {
    SCOPED_TRACE(locked ? "locked by another program" : "write error");
    GuardState state;
    testing::FakeGuardHost host;
    testing::FakeDataDirectory files;
    testing::FakeProfile profile;
    HistoryQueue queue{state, {host, files, profile}};
    const auto stamped = [&profile] {
      return profile.GetInt("Tevanor.hisL", 0) != 0 || profile.GetInt("Tevanor.hisH", 0) != 0;
    };
    if (locked) files.HoldOpen("Tevanor.his");
    files.writeBudget = locked ? -1 : 3;
    for (const char* site : {"uno", "dos"}) queue.RecordBlock({site, "09:05-01/02/2003", "CASINO"});
    EXPECT_EQ(host.captions.back(), WatchingCaption(2));
    EXPECT_FALSE(stamped() || host.historyReloads != 0);

    files.Release("Tevanor.his");
    files.writeBudget = -1;
    queue.AppendUnwrittenBlocks();
    queue.AppendUnwrittenBlocks();  // the records went in once
    EXPECT_EQ(files.Content("Tevanor.his"),
              "uno\b09:05-01/02/2003\bCASINO\bdos\b09:05-01/02/2003\bCASINO\b");
    EXPECT_TRUE(stamped());
    EXPECT_EQ(host.historyReloads, 1);
  }
}

}  // namespace
}  // namespace tevanor
