#pragma once

#include "guardian/network.h"

namespace tevanor::win32 {

// The local host's addresses through Windows Sockets: WSAStartup 2.0, gethostname,
// gethostbyname, inet_ntoa; every successful start is matched by one WSACleanup.
class WinsockNetwork final : public Network {
 public:
  std::optional<std::vector<std::string>> LocalHostAddresses() override;
};

}  // namespace tevanor::win32
