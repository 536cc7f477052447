#pragma once

#include <map>
#include <string>
#include <variant>
#include <vector>

#include "rules/profile_store.h"

namespace tevanor::testing {

// The profile in memory. Values keep their type; every write is logged in order.
class FakeProfile final : public ProfileStore {
 public:
  using Value = std::variant<int, std::string>;

  int GetInt(std::string_view name, int defaultValue) override {
    const auto it = values.find(std::string(name));
    return it != values.end() && std::holds_alternative<int>(it->second) ? std::get<int>(it->second)
                                                                         : defaultValue;
  }
  bool WriteInt(std::string_view name, int value) override { return Write(name, value); }
  std::string GetString(std::string_view name, std::string_view defaultValue) override {
    const auto it = values.find(std::string(name));
    return it != values.end() && std::holds_alternative<std::string>(it->second)
               ? std::get<std::string>(it->second)
               : std::string(defaultValue);
  }
  bool WriteString(std::string_view name, std::string_view value) override {
    return Write(name, std::string(value));
  }

  std::map<std::string, Value> values;
  std::vector<std::pair<std::string, Value>> writes;
  bool failWrites = false;

 private:
  bool Write(std::string_view name, Value value) {
    writes.emplace_back(std::string(name), value);
    if (failWrites) return false;
    values[std::string(name)] = std::move(value);
    return true;
  }
};

}  // namespace tevanor::testing
