#include "platform/win32/cng_key_derivation.h"

// clang-format off
#include <windows.h>
#include <bcrypt.h>
// clang-format on

#include <vector>

namespace tevanor::win32 {

namespace {

// An HMAC-SHA-256 provider, closed with the object.
class HmacSha256 {
 public:
  HmacSha256() {
    if (::BCryptOpenAlgorithmProvider(&handle_, BCRYPT_SHA256_ALGORITHM, nullptr,
                                      BCRYPT_ALG_HANDLE_HMAC_FLAG) < 0)
      handle_ = nullptr;
  }
  ~HmacSha256() {
    if (handle_ != nullptr) ::BCryptCloseAlgorithmProvider(handle_, 0);
  }
  HmacSha256(const HmacSha256&) = delete;
  HmacSha256& operator=(const HmacSha256&) = delete;
  BCRYPT_ALG_HANDLE get() const { return handle_; }

 private:
  BCRYPT_ALG_HANDLE handle_ = nullptr;
};

}  // namespace

bool CngKeyDerivation::Pbkdf2Sha256(std::string_view password, std::span<const std::uint8_t> salt,
                                    std::uint32_t iterations, std::span<std::uint8_t> key) {
  const HmacSha256 hmac;
  if (hmac.get() == nullptr) return false;
  // The call takes its inputs as writable pointers but does not change them.
  std::vector<UCHAR> secret(password.begin(), password.end());
  std::vector<UCHAR> saltCopy(salt.begin(), salt.end());
  return ::BCryptDeriveKeyPBKDF2(hmac.get(), secret.data(), static_cast<ULONG>(secret.size()),
                                 saltCopy.data(), static_cast<ULONG>(saltCopy.size()), iterations,
                                 key.data(), static_cast<ULONG>(key.size()), 0) >= 0;
}

bool CngKeyDerivation::Random(std::span<std::uint8_t> bytes) {
  return ::BCryptGenRandom(nullptr, bytes.data(), static_cast<ULONG>(bytes.size()),
                           BCRYPT_USE_SYSTEM_PREFERRED_RNG) >= 0;
}

}  // namespace tevanor::win32
