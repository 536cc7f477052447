#include "fakes/fake_ports.h"

namespace tevanor::testing {

namespace {

class FakeUninstallKey final : public UninstallKey {
 public:
  explicit FakeUninstallKey(FakeUninstallRegistry& registry) : registry_(registry) {}
  std::optional<std::string> ReadText(std::string_view name, std::size_t capacity) override {
    const auto it = registry_.values.find(name);
    if (it == registry_.values.end() || it->second.size() + 1 > capacity) return std::nullopt;
    return it->second;
  }
  bool WriteText(std::string_view name, std::string_view data) override {
    registry_.values[std::string(name)] = std::string(data);
    return true;
  }

 private:
  FakeUninstallRegistry& registry_;
};

}  // namespace

std::unique_ptr<UninstallKey> FakeUninstallRegistry::OpenEntry() {
  if (!keyExists) return nullptr;
  return std::make_unique<FakeUninstallKey>(*this);
}

}  // namespace tevanor::testing
