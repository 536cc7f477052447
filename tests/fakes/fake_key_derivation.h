#pragma once

#include <cstdint>

#include "ui/key_derivation.h"

namespace tevanor::testing {

// A cheap stand-in for the password's key derivation: deterministic, different for every
// password, salt and count, and failing on request. Salts count up.
class FakeKeyDerivation final : public KeyDerivation {
 public:
  bool Pbkdf2Sha256(std::string_view password, std::span<const std::uint8_t> salt,
                    std::uint32_t iterations, std::span<std::uint8_t> key) override {
    std::uint64_t h = 1469598103934665603ull ^ iterations;
    const auto mix = [&h](std::uint8_t b) { h = (h ^ b) * 1099511628211ull; };
    for (const char c : password) mix(static_cast<std::uint8_t>(c));
    mix(0);
    for (const std::uint8_t b : salt) mix(b);
    for (std::uint8_t& k : key) {
      mix(0x5A);
      k = static_cast<std::uint8_t>(h >> 56);
    }
    return works;
  }
  bool Random(std::span<std::uint8_t> bytes) override {
    for (std::uint8_t& b : bytes) b = ++next_;
    return works;
  }

  bool works = true;

 private:
  std::uint8_t next_ = 0;
};

}  // namespace tevanor::testing
