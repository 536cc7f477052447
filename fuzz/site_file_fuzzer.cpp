// Any site file: loading it never fails badly, a save batch of the loaded sites loads back as
// the same sites, and the loaded list matches the same bytes, taken as an address, as the plain
// walk. An allowed site with an empty text cannot travel in a batch (an empty allowed text ends
// it); the site administration dialog leaves such a site out, and so does this save.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fakes/fake_data_directory.h"
#include "fakes/fake_profile.h"
#include "fakes/fake_scan_timer.h"
#include "fakes/fake_site_admin.h"
#include "fakes/plain_match.h"
#include "rules/site_store.h"

namespace {

using Sites = std::vector<std::pair<std::string, int>>;

Sites Loaded(const tevanor::SiteList& list) {
  Sites sites;
  for (const tevanor::SiteEntry* e = list.First(); e; e = e->next)
    sites.emplace_back(e->text, e->prohibited);
  return sites;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tevanor;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  testing::FakeDataDirectory files;
  testing::FakeProfile profile;
  testing::FakeScanTimer timer;
  testing::FakeSiteAdmin admin;
  SiteList list;
  SiteStore store(list, files, profile, timer, admin);

  files.Put(kSiteFileName, bytes);
  if (!store.LoadSiteList(false)) __builtin_trap();
  std::vector<const SiteEntry*> fast, plain;
  list.ForEachMatch(bytes, [&fast](const SiteEntry& e) { return fast.push_back(&e), true; });
  PlainForEachSiteMatch(list.First(), bytes,
                        [&plain](const SiteEntry& e) { return plain.push_back(&e), true; });
  if (fast != plain) __builtin_trap();

  Sites saved;
  for (const auto& site : Loaded(list)) {
    if (site.first.empty() && site.second == 0) continue;
    saved.push_back(site);
    store.OnSiteEdit(site.first, site.second);
  }
  if (store.OnSiteEdit("", 0) != 1) __builtin_trap();
  store.FreeSiteList();
  store.LoadSiteList(false);
  if (Loaded(list) != saved) __builtin_trap();
  return 0;
}
