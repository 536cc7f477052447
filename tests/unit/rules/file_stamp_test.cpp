#include "rules/file_stamp.h"

#include <gtest/gtest.h>

#include "fakes/fake_data_directory.h"
#include "fakes/fake_profile.h"

namespace tevanor {
namespace {

using testing::FakeDataDirectory;
using testing::FakeProfile;

class RecordFileStampTest : public ::testing::Test {
 protected:
  FakeProfile profile;
  FakeDataDirectory files;
};

TEST_F(RecordFileStampTest, StoresBothHalvesAsSignedIntegersLowFirst) {
  files.Put("Tevanor.his", "x");
  files.now = 0x01D2'3456'89AB'CDEFULL - 10'000'000;  // the next change lands on this time
  files.Put("Tevanor.his", "y");
  RecordFileStamp(profile, files, "Tevanor.his");
  ASSERT_EQ(profile.writes.size(), 2u);
  EXPECT_EQ(profile.writes[0].first, "Tevanor.hisL");
  EXPECT_EQ(profile.writes[1].first, "Tevanor.hisH");
  EXPECT_EQ(profile.GetInt("Tevanor.hisL", 0), static_cast<int>(0x89AB'CDEFu));
  EXPECT_LT(profile.GetInt("Tevanor.hisL", 0), 0);
  EXPECT_EQ(profile.GetInt("Tevanor.hisH", 0), 0x01D2'3456);
}

TEST_F(RecordFileStampTest, AFailedFirstWriteSkipsTheSecond) {
  files.Put("Tevanor.fil", "");
  profile.failWrites = true;
  EXPECT_FALSE(RecordFileStamp(profile, files, "Tevanor.fil"));
  EXPECT_EQ(profile.writes.size(), 1u);
}

TEST_F(RecordFileStampTest, AMissingFileResetsOnlyAStampWithBothHalvesSet) {
  struct Case {
    std::optional<int> low, high;
    bool reset;
  };
  for (const Case c : {Case{5, 7, true}, Case{0, 7, false}, Case{5, std::nullopt, false},
                       Case{std::nullopt, std::nullopt, false}}) {
    FakeProfile p;
    if (c.low) p.values["Tevanor.aswL"] = *c.low;
    if (c.high) p.values["Tevanor.aswH"] = *c.high;
    RecordFileStamp(p, files, "Tevanor.asw");
    if (c.reset) {
      EXPECT_EQ(p.GetInt("Tevanor.aswL", -1), 0);
      EXPECT_EQ(p.GetInt("Tevanor.aswH", -1), 0);
    } else {
      EXPECT_TRUE(p.writes.empty());
    }
  }
}

}  // namespace
}  // namespace tevanor
