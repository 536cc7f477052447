#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tevanor {

class Network {
 public:
  virtual ~Network() = default;
  // The local host's addresses in dotted decimal, in the order the resolver lists them, or
  // nullopt when sockets, the host name or its lookup fail.
  virtual std::optional<std::vector<std::string>> LocalHostAddresses() = 0;
};

// True when the computer has an address other than "0.0.0.0", "127.0.0.1" or none.
bool IsOnline(Network& network);

}  // namespace tevanor
