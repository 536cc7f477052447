// The system's key derivation against the published PBKDF2-HMAC-SHA-256 vectors, and the
// stored password form made with it. The same file runs natively and under Wine.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ui/password_form.h"

#ifdef _WIN32
#include "platform/win32/cng_key_derivation.h"
using SystemKeyDerivation = tevanor::win32::CngKeyDerivation;
#else
#include "platform/posix/openssl_key_derivation.h"
using SystemKeyDerivation = tevanor::OpenSslKeyDerivation;
#endif

namespace tevanor::testing {
namespace {

std::string Hex(const std::vector<std::uint8_t>& bytes) {
  std::string text;
  for (const std::uint8_t b : bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    text += kDigits[b >> 4];
    text += kDigits[b & 15];
  }
  return text;
}

TEST(SystemKeyDerivation, GivesThePublishedPbkdf2Sha256Vectors) {
  struct Vector {
    std::string password;
    std::string salt;
    std::uint32_t iterations;
    std::string key;
  };
  const Vector kVectors[] = {
      // RFC 7914, section 11
      {"passwd", "salt", 1,
       "55ac046e56e3089fec1691c22544b605f94185216dde0465e68b9d57c20dacbc"
       "49ca9cccf179b645991664b39d77ef317c71b845b1e30bd509112041d3a19783"},
      // The RFC 6070 inputs with SHA-256
      {"passwordPASSWORDpassword", "saltSALTsaltSALTsaltSALTsaltSALTsalt", 4096,
       "348c89dbcbd32b2f32d814b8116e84cf2b17347ebc1800181c4e2a1fb8dd53e1c635518c7dac47e9"},
  };
  SystemKeyDerivation keys;
  for (const Vector& v : kVectors) {
    std::vector<std::uint8_t> key(v.key.size() / 2);
    const std::vector<std::uint8_t> salt(v.salt.begin(), v.salt.end());
    ASSERT_TRUE(keys.Pbkdf2Sha256(v.password, salt, v.iterations, key)) << v.password;
    EXPECT_EQ(Hex(key), v.key) << v.password << " " << v.iterations;
  }
}

// Two new passwords never share a salt, and the stored form opens with its own password only.
TEST(SystemKeyDerivation, StoresAPasswordThatOnlyItselfOpens) {
  SystemKeyDerivation keys;
  const auto first = HashPassword(keys, "Contraseña");
  const auto second = HashPassword(keys, "Contraseña");
  ASSERT_TRUE(first && second);
  EXPECT_NE(*first, *second);
  EXPECT_FALSE(IsLegacyPasswordForm(*first));
  EXPECT_TRUE(PasswordMatches(keys, "Contraseña", *second));
  EXPECT_FALSE(PasswordMatches(keys, "contraseña", *first));
  EXPECT_FALSE(PasswordMatches(keys, "Contraseñ", *first));
}

}  // namespace
}  // namespace tevanor::testing
