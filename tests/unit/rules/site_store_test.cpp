#include "rules/site_store.h"

#include <gtest/gtest.h>

#include "fakes/fake_data_directory.h"
#include "fakes/fake_profile.h"
#include "fakes/fake_scan_timer.h"
#include "fakes/fake_site_admin.h"
#include "rules/builtin_sites.h"

namespace tevanor {
namespace {

using testing::FakeDataDirectory;
using testing::FakeProfile;
using testing::FakeScanTimer;
using testing::FakeSiteAdmin;

struct Site {
  std::string text;
  int prohibited;
  int builtIn;
  bool operator==(const Site&) const = default;
};

class SiteStoreTest : public ::testing::Test {
 protected:
  std::vector<Site> Sites() const {
    std::vector<Site> sites;
    for (const SiteEntry* e = list.First(); e; e = e->next)
      sites.push_back({e->text, e->prohibited, e->builtIn});
    return sites;
  }
  std::vector<Site> Reload(bool builtIn = false) {
    store.FreeSiteList();
    store.LoadSiteList(builtIn);
    return Sites();
  }
  // A save batch as the site administration dialog sends it: prohibited, allowed, end marker.
  int SaveBatch(std::initializer_list<std::string_view> prohibited,
                std::initializer_list<std::string_view> allowed) {
    for (const std::string_view text : prohibited)
      EXPECT_EQ(store.OnSiteEdit(std::string(text), 1), 0);
    for (const std::string_view text : allowed)
      EXPECT_EQ(store.OnSiteEdit(std::string(text), 0), 0);
    return store.OnSiteEdit("", 0);
  }
  int Stamp() { return profile.GetInt("Tevanor.aswL", 0); }

  SiteList list;
  FakeDataDirectory files;
  FakeProfile profile;
  FakeScanTimer timer;
  FakeSiteAdmin admin;
  SiteStore store{list, files, profile, timer, admin};
};

TEST_F(SiteStoreTest, BuiltInSitesHeadTheListWhileTheSwitchIsOn) {
  store.LoadSiteList(true);
  const std::vector<Site> sites = Sites();
  ASSERT_EQ(sites.size(), kBuiltInSiteRows);
  for (std::size_t i = 0; i < sites.size(); ++i)
    EXPECT_EQ(sites[i], (Site{std::string(kBuiltInSiteTable[i]), 1, 1}));
  EXPECT_EQ(list.First()->next->prev, list.First());
  EXPECT_TRUE(Reload(false).empty()) << "switch off, no file";
}

TEST_F(SiteStoreTest, ReadsEveryTerminatedRecordAndDropsTheRest) {
  struct Case {
    std::string bytes;
    std::vector<Site> sites;
  };
  const Case cases[] = {
      {"http://a.com\x09http://b.com\x08xyz", {{"http://a.com", 0, 0}, {"http://b.com", 1, 0}}},
      {"\x08", {{"", 1, 0}}},
      {"\x09\x09", {{"", 0, 0}, {"", 0, 0}}},
      {"unterminated", {}},
  };
  for (const Case& c : cases) {
    files.Put(kSiteFileName, c.bytes);
    EXPECT_EQ(Reload(), c.sites) << c.bytes;
    EXPECT_EQ(Stamp(), static_cast<int>(*files.LastWriteTime(kSiteFileName)));
  }
  files.Put(kSiteFileName, "http://a\x08http://b\x08");
  store.FreeSiteList();
  EXPECT_TRUE(store.LoadSiteList(true));
  EXPECT_EQ(Sites().size(), kBuiltInSiteRows + 2) << "the file's sites follow the built-in ones";
}

TEST_F(SiteStoreTest, ASiteFileThatCannotBeReadLeavesWhatWasRead) {
  files.Put(kSiteFileName, "http://a\x08http://b\x08");
  files.HoldOpen(kSiteFileName);
  store.FreeSiteList();
  EXPECT_FALSE(store.LoadSiteList(false));
  EXPECT_TRUE(Sites().empty());
  files.Release(kSiteFileName);
  files.failReadAt = 12;  // inside the second record
  store.FreeSiteList();
  EXPECT_FALSE(store.LoadSiteList(false));
  EXPECT_EQ(Sites(), (std::vector<Site>{{"http://a", 1, 0}}));
  EXPECT_FALSE(files.IsOpen(kSiteFileName));
}

TEST_F(SiteStoreTest, LoadsAndFreesKeepTheScanOut) {
  for (const bool active : {true, false}) {
    timer.guardActive = active;
    timer.armed = true;
    const int stops = timer.stops;
    store.FreeSiteList();
    store.LoadSiteList(true);
    SaveBatch({"http://x"}, {});
    EXPECT_GE(timer.stops, stops + 3);
    EXPECT_EQ(timer.armed, active);
  }
}

TEST_F(SiteStoreTest, ABatchReplacesTheFileAtItsEnd) {
  files.Put(kSiteFileName, "http://old\x08");
  EXPECT_EQ(store.OnSiteEdit("http://p1", 1), 0);
  EXPECT_TRUE(store.IsSiteFileOpen());
  EXPECT_EQ(files.Content(kSiteFileName), "http://old\x08") << "untouched until the batch ends";
  EXPECT_EQ(store.OnSiteEdit("", 1), 0) << "code 1 with an empty text is a record";
  EXPECT_EQ(store.OnSiteEdit("http://a\tb", 0), 0);
  EXPECT_EQ(store.OnSiteEdit("", 0), 1);
  EXPECT_FALSE(store.IsSiteFileOpen());
  EXPECT_EQ(files.Content(kSiteFileName), "http://p1\x08\x08http://a b\x09");
  EXPECT_FALSE(files.Exists(SideFileName(kSiteFileName)));
  EXPECT_EQ(Stamp(), static_cast<int>(*files.LastWriteTime(kSiteFileName)));
  EXPECT_EQ(admin.refills, 1);
  EXPECT_EQ(Reload(), (std::vector<Site>{{"http://p1", 1, 0}, {"", 1, 0}, {"http://a b", 0, 0}}));
}

TEST_F(SiteStoreTest, AnEmptyBatchDeletesTheFileAndResetsTheStamp) {
  files.Put(kSiteFileName, "http://old\x08");
  Reload();
  ASSERT_NE(Stamp(), 0);
  EXPECT_EQ(SaveBatch({}, {}), 1);
  EXPECT_FALSE(files.Exists(kSiteFileName));
  EXPECT_EQ(Stamp(), 0);
  EXPECT_EQ(profile.GetInt("Tevanor.aswH", -1), 0);
  EXPECT_TRUE(Reload().empty());
}

TEST_F(SiteStoreTest, ABatchThatLostARecordKeepsTheOldFile) {
  files.Put(kSiteFileName, "http://old\x08");
  files.HoldOpen(SideFileName(kSiteFileName));  // the new content cannot be created
  EXPECT_EQ(SaveBatch({"http://new"}, {"http://ok"}), 1);
  EXPECT_EQ(files.Content(kSiteFileName), "http://old\x08");
  files.Release(SideFileName(kSiteFileName));

  store.OnSiteEdit("http://new1", 1);
  files.writeBudget = 3;  // the second record fails part-way; the third could be written
  store.OnSiteEdit("http://new2", 1);
  files.writeBudget = -1;
  store.OnSiteEdit("http://new3", 1);
  EXPECT_EQ(store.OnSiteEdit("", 0), 1);
  EXPECT_EQ(files.Content(kSiteFileName), "http://old\x08");
  EXPECT_FALSE(files.Exists(SideFileName(kSiteFileName)));

  EXPECT_EQ(SaveBatch({"http://next"}, {}), 1) << "the next batch starts afresh";
  EXPECT_EQ(files.Content(kSiteFileName), "http://next\x08");
}

TEST_F(SiteStoreTest, SitesFromElsewhereGoThroughTheAdministrationDialog) {
  // The dialog adds the site and saves all its entries through a batch nested in this call.
  admin.onAdd = [this](std::string_view address, bool prohibited) {
    SaveBatch({}, {});
    store.OnSiteEdit(std::string(address), prohibited ? 1 : 0);
    store.OnSiteEdit("", 0);
  };
  EXPECT_EQ(store.OnSiteEdit("http://from-history", 3), 1);
  EXPECT_EQ(store.OnSiteEdit("http://allowed", 2), 1);
  EXPECT_EQ(admin.added, (std::vector<std::pair<std::string, bool>>{{"http://from-history", true},
                                                                    {"http://allowed", false}}));
  EXPECT_EQ(files.Content(kSiteFileName), "http://allowed\x09");
  EXPECT_EQ(store.OnSiteEdit("http://x", 7), 0) << "an unknown code does nothing";
  EXPECT_EQ(files.Content(kSiteFileName), "http://allowed\x09");
}

}  // namespace
}  // namespace tevanor
