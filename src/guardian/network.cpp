#include "guardian/network.h"

namespace tevanor {

bool IsOnline(Network& network) {
  const auto addresses = network.LocalHostAddresses();
  if (!addresses) return false;
  for (const std::string& address : *addresses)
    if (!address.empty() && address != "0.0.0.0" && address != "127.0.0.1") return true;
  return false;
}

}  // namespace tevanor
