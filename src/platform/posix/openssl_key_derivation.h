#pragma once

#include "ui/key_derivation.h"

namespace tevanor {

// The password's key derivation and salts from libcrypto, for the native build.
class OpenSslKeyDerivation final : public KeyDerivation {
 public:
  bool Pbkdf2Sha256(std::string_view password, std::span<const std::uint8_t> salt,
                    std::uint32_t iterations, std::span<std::uint8_t> key) override;
  bool Random(std::span<std::uint8_t> bytes) override;
};

}  // namespace tevanor
