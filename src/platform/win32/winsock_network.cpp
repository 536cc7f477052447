#include "platform/win32/winsock_network.h"

#include <winsock2.h>

#include <cstring>

namespace tevanor::win32 {

namespace {

class WinsockSession {
 public:
  WinsockSession() {
    WSADATA data;
    started_ = ::WSAStartup(MAKEWORD(2, 0), &data) == 0;
  }
  ~WinsockSession() {
    if (started_) ::WSACleanup();
  }
  WinsockSession(const WinsockSession&) = delete;
  WinsockSession& operator=(const WinsockSession&) = delete;
  bool started() const { return started_; }

 private:
  bool started_ = false;
};

}  // namespace

std::optional<std::vector<std::string>> WinsockNetwork::LocalHostAddresses() {
  const WinsockSession session;
  if (!session.started()) return std::nullopt;
  char name[255] = {};
  if (::gethostname(name, sizeof name) != 0) return std::nullopt;
  const hostent* host = ::gethostbyname(name);
  if (!host || host->h_addrtype != AF_INET) return std::nullopt;
  std::vector<std::string> addresses;
  for (char** entry = host->h_addr_list; *entry; ++entry) {
    in_addr address;
    std::memcpy(&address, *entry, sizeof address);
    const char* text = ::inet_ntoa(address);
    addresses.emplace_back(text ? text : "");
  }
  return addresses;
}

}  // namespace tevanor::win32
