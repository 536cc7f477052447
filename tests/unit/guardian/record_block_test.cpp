#include "guardian/record_block.h"

#include <gtest/gtest.h>

#include "fakes/fake_data_directory.h"
#include "fakes/fake_ports.h"
#include "fakes/fake_profile.h"

namespace tevanor {
namespace {

class RecordBlockTest : public ::testing::Test {
 protected:
  void Record(const char* site, const char* cause) {
    RecordBlock(state, {host, files, profile}, {site, "09:05-01/02/2003", cause});
  }
  std::pair<int, int> Stamp() {
    return {profile.GetInt("Tevanor.hisL", 0), profile.GetInt("Tevanor.hisH", 0)};
  }
  static std::pair<int, int> Halves(FileTime time) {
    return {static_cast<int>(static_cast<std::uint32_t>(time)),
            static_cast<int>(static_cast<std::uint32_t>(time >> 32))};
  }

  GuardState state;
  testing::FakeGuardHost host;
  testing::FakeDataDirectory files;
  testing::FakeProfile profile;
};

TEST_F(RecordBlockTest, CountsAppendsStampsAndAsksAnOpenHistoryToReload) {
  Record("mIRC", "@Bloqueado Mirc@");
  EXPECT_EQ(host.historyReloads, 0);                             // no history dialog open
  state.m_pHistoryDlg = reinterpret_cast<CHistoryDlg*>(&state);  // only its presence matters
  Record("http://a.example/", "CASINO");

  EXPECT_EQ(state.m_nBlocked, 2);
  EXPECT_EQ(host.captions, (std::vector<std::string>{"Tevanor - vigilando (1 sitios bloqueados)",
                                                     "Tevanor - vigilando (2 sitios bloqueados)"}));
  EXPECT_EQ(state.m_strCaption, host.captions.back());
  EXPECT_EQ(files.Content("Tevanor.his"),
            "mIRC\x08"
            "09:05-01/02/2003\x08@Bloqueado Mirc@\x08"
            "http://a.example/\x08"
            "09:05-01/02/2003\x08"
            "CASINO\x08");
  EXPECT_EQ(Stamp(), Halves(*files.LastWriteTime("Tevanor.his")));
  EXPECT_EQ(host.historyReloads, 1);
  EXPECT_EQ(state.m_bHistoryOpen, 0);
  EXPECT_FALSE(files.IsOpen("Tevanor.his"));
}

TEST_F(RecordBlockTest, AHistoryThatCannotBeWrittenLosesOnlyTheRecord) {
  state.m_pHistoryDlg = reinterpret_cast<CHistoryDlg*>(&state);
  for (const bool locked : {true, false}) {
    SCOPED_TRACE(locked ? "locked by another program" : "write error");
    files = testing::FakeDataDirectory();
    if (locked)
      files.HoldOpen("Tevanor.his");
    else
      files.writeBudget = 3;
    const int before = state.m_nBlocked;
    Record("mIRC", "@Bloqueado Mirc@");
    EXPECT_EQ(state.m_nBlocked, before + 1);
    EXPECT_EQ(host.captions.back(), WatchingCaption(before + 1));
    EXPECT_EQ(Stamp(), std::make_pair(0, 0));
    EXPECT_EQ(host.historyReloads, 0);
    EXPECT_EQ(state.m_bHistoryOpen, 0);
  }
}

}  // namespace
}  // namespace tevanor
