#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "rules/builtin_sites.h"

namespace tevanor {
namespace {

// The generated table is the data file, row for row, and ends in its empty sentinel.
TEST(BuiltInSiteTable, IsTheDataFileRowForRow) {
  std::ifstream data(TEVANOR_DATA_DIR "/builtin-sites.txt");
  std::vector<std::string> lines;
  for (std::string line; std::getline(data, line);) lines.push_back(line);
  EXPECT_EQ(std::vector<std::string>(kBuiltInSiteTable.begin(), kBuiltInSiteTable.end() - 1),
            lines);
  EXPECT_EQ(kBuiltInSiteTable.back(), "");
}

}  // namespace
}  // namespace tevanor
