#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/clock.h"
#include "guardian/guard_host.h"
#include "guardian/network.h"
#include "rules/uninstall_entry.h"

// Small fakes of the ports that hold no more than a value or a log.
namespace tevanor::testing {

class FakeNetwork final : public Network {
 public:
  std::optional<std::vector<std::string>> LocalHostAddresses() override { return addresses; }
  std::optional<std::vector<std::string>> addresses;  // nullopt: the lookup fails
};

class FakeClock final : public Clock {
 public:
  LocalTime Now() override { return time; }
  LocalTime time{2002, 12, 5, 21, 7, 0};
};

class FakeGuardHost final : public GuardHost {
 public:
  void PostShowPanel() override { ++showPanelPosts; }
  void PostClosePanel() override { ++closePanelPosts; }
  bool MayAutoHide() override { return !panelBusy; }
  void CreateVersionNotice(const std::string& version, std::string_view address) override {
    notices.push_back({version, std::string(address)});
  }
  void SetCaption(const std::string& caption) override { captions.push_back(caption); }
  void PostHistoryReload() override { ++historyReloads; }
  void OpenBlockNotice(const BlockReport& block) override { blocks.push_back(block); }

  int showPanelPosts = 0;
  int closePanelPosts = 0;
  bool panelBusy = false;  // a prompt or an editing dialog is up
  struct Notice {
    std::string version;
    std::string address;
  };
  std::vector<Notice> notices;
  std::vector<std::string> captions;
  int historyReloads = 0;
  std::vector<BlockReport> blocks;  // one per block notice opened
};

// The machine-wide uninstall entry: absent (no key), or a key with its values.
class FakeUninstallRegistry final : public UninstallRegistry {
 public:
  std::unique_ptr<UninstallKey> OpenEntry() override {
    return keyExists ? std::make_unique<Key>(*this) : nullptr;
  }

  bool keyExists = false;
  std::map<std::string, std::string, std::less<>> values;

 private:
  class Key final : public UninstallKey {
   public:
    explicit Key(FakeUninstallRegistry& registry) : values_(registry.values) {}
    std::optional<std::string> ReadText(std::string_view name, std::size_t capacity) override {
      const auto it = values_.find(name);
      if (it == values_.end() || it->second.size() + 1 > capacity) return std::nullopt;
      return it->second;
    }
    bool WriteText(std::string_view name, std::string_view data) override {
      values_[std::string(name)] = std::string(data);
      return true;
    }

   private:
    std::map<std::string, std::string, std::less<>>& values_;
  };
};

}  // namespace tevanor::testing
