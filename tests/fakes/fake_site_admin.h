#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "rules/site_store.h"

namespace tevanor::testing {

// The site administration dialog as the site-file writer sees it: a log of its requests, and
// what it does for an added site (by default nothing; a test may run a nested batch).
class FakeSiteAdmin final : public SiteAdminRequests {
 public:
  void AddSiteAndSave(std::string_view address, bool prohibited) override {
    added.emplace_back(std::string(address), prohibited);
    if (onAdd) onAdd(address, prohibited);
  }
  void PostRefill() override { ++refills; }

  std::vector<std::pair<std::string, bool>> added;
  int refills = 0;
  std::function<void(std::string_view, bool)> onAdd;
};

}  // namespace tevanor::testing
