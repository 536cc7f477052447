#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace tevanor {

// The slow, salted key derivation behind the stored password, and the random salts it takes.
class KeyDerivation {
 public:
  virtual ~KeyDerivation() = default;
  // PBKDF2-HMAC-SHA-256 of `password` (bytes as given) and `salt`, filling `key`; false when the
  // system cannot compute it.
  virtual bool Pbkdf2Sha256(std::string_view password, std::span<const std::uint8_t> salt,
                            std::uint32_t iterations, std::span<std::uint8_t> key) = 0;
  // Bytes from the system's cryptographic random source; false when it fails.
  virtual bool Random(std::span<std::uint8_t> bytes) = 0;
};

}  // namespace tevanor
