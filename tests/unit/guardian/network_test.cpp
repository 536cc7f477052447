#include "guardian/network.h"

#include <gtest/gtest.h>

#include "fakes/fake_ports.h"
#include "guardian/program_version.h"

namespace tevanor {
namespace {

TEST(IsOnline, NeedsAnAddressBesidesLoopbackAndNone) {
  using Addresses = std::optional<std::vector<std::string>>;
  const std::pair<Addresses, bool> cases[] = {
      {std::nullopt, false},
      {std::vector<std::string>{}, false},
      {std::vector<std::string>{"127.0.0.1"}, false},
      {std::vector<std::string>{"0.0.0.0", "", "127.0.0.1"}, false},
      {std::vector<std::string>{"127.0.0.1", "192.168.1.5"}, true},
      {std::vector<std::string>{"10.0.0.2"}, true},
  };
  for (const auto& [addresses, online] : cases) {
    testing::FakeNetwork network;
    network.addresses = addresses;
    EXPECT_EQ(IsOnline(network), online);
  }
}

TEST(VersionText, FormatsTheFourParts) {
  EXPECT_EQ(VersionText(ProductVersion{0xFFFF'0002, 0x0003'FFFF}), "65535,2,3,65535");
  EXPECT_EQ(VersionText(std::nullopt), "?,?,?,?");
}

}  // namespace
}  // namespace tevanor
