#pragma once

#include <string>
#include <utility>
#include <vector>

#include "rules/site_store.h"

namespace tevanor::testing {

// The site administration dialog as the site-file writer sees it: a log of its requests.
class FakeSiteAdmin final : public SiteAdminRequests {
 public:
  void AddSiteAndSave(std::string_view address, bool prohibited) override {
    added.emplace_back(std::string(address), prohibited);
  }
  void PostRefill() override { ++refills; }

  std::vector<std::pair<std::string, bool>> added;
  int refills = 0;
};

}  // namespace tevanor::testing
