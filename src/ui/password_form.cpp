#include "ui/password_form.h"

#include <array>
#include <charconv>
#include <vector>

#include "rules/profile_values.h"

namespace tevanor {

namespace {

constexpr std::string_view kScheme = "pbkdf2-sha256:";
constexpr std::size_t kSaltBytes = 16;
constexpr std::size_t kKeyBytes = 32;
// A stored count above this is not ours: it would stall the prompt for minutes.
constexpr std::uint32_t kMostIterations = 10'000'000;

std::string Hex(std::span<const std::uint8_t> bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  for (const std::uint8_t b : bytes) {
    text.push_back(kDigits[b >> 4]);
    text.push_back(kDigits[b & 15]);
  }
  return text;
}

std::optional<std::vector<std::uint8_t>> FromHex(std::string_view text) {
  if (text.empty() || text.size() % 2 != 0) return std::nullopt;
  std::vector<std::uint8_t> bytes(text.size() / 2);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char* first = text.data() + 2 * i;
    const auto [end, error] = std::from_chars(first, first + 2, bytes[i], 16);
    if (error != std::errc() || end != first + 2) return std::nullopt;
  }
  return bytes;
}

bool ConstantTimeEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  unsigned char difference = 0;
  for (std::size_t i = 0; i < a.size(); ++i) difference |= static_cast<unsigned char>(a[i] ^ b[i]);
  return difference == 0;
}

std::string Stored(std::uint32_t iterations, std::span<const std::uint8_t> salt,
                   std::span<const std::uint8_t> key) {
  return std::string(kScheme) + std::to_string(iterations) + ":" + Hex(salt) + ":" + Hex(key);
}

}  // namespace

std::optional<std::string> HashPassword(KeyDerivation& keys, std::string_view password) {
  std::array<std::uint8_t, kSaltBytes> salt{};
  std::array<std::uint8_t, kKeyBytes> key{};
  if (!keys.Random(salt) || !keys.Pbkdf2Sha256(password, salt, kPasswordIterations, key))
    return std::nullopt;
  return Stored(kPasswordIterations, salt, key);
}

bool PasswordMatches(KeyDerivation& keys, std::string_view typed, std::string_view stored) {
  if (stored.empty()) return false;
  if (IsLegacyPasswordForm(stored)) return ConstantTimeEqual(EncodePassword(typed), stored);
  std::string_view rest = stored.substr(kScheme.size());
  const std::size_t colon = rest.find(':');
  const std::size_t second = colon == std::string_view::npos ? colon : rest.find(':', colon + 1);
  if (second == std::string_view::npos) return false;
  std::uint32_t iterations = 0;
  const auto [end, error] = std::from_chars(rest.data(), rest.data() + colon, iterations);
  if (error != std::errc() || end != rest.data() + colon || iterations == 0 ||
      iterations > kMostIterations)
    return false;
  const auto salt = FromHex(rest.substr(colon + 1, second - colon - 1));
  const auto key = FromHex(rest.substr(second + 1));
  if (!salt || !key) return false;
  std::vector<std::uint8_t> derived(key->size());
  if (!keys.Pbkdf2Sha256(typed, *salt, iterations, derived)) return false;
  return ConstantTimeEqual(Stored(iterations, *salt, derived), stored);
}

std::string StoredPassword(const PasswordStores& stores) {
  std::string own = stores.account.GetString(profile::kPassword, "");
  return !own.empty() ? own : stores.machine.GetString(profile::kPassword, "");
}

bool StoreMachinePassword(const PasswordStores& stores, std::string_view password,
                          std::size_t minimumLength) {
  if (password.size() < minimumLength) return false;
  const auto stored = HashPassword(stores.keys, password);
  return stored && stores.machine.WriteString(profile::kPassword, *stored);
}

bool IsLegacyPasswordForm(std::string_view stored) {
  return !stored.empty() && !stored.starts_with(kScheme);
}

std::string EncodePassword(std::string_view password) {
  std::string stored;
  stored.reserve(password.size());
  for (const char c : password) {
    const auto b = static_cast<unsigned char>(kPasswordKey - static_cast<unsigned char>(c));
    if (b == 0) break;
    stored.push_back(static_cast<char>(b));
  }
  return stored;
}

}  // namespace tevanor
