#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "rules/profile_store.h"
#include "ui/key_derivation.h"

namespace tevanor {

// The stored password, as the text "pbkdf2-sha256:ITERATIONS:SALT:KEY" (salt and key in
// lower-case hex) that cannot be turned back into the password.
inline constexpr std::uint32_t kPasswordIterations = 100'000;

// Where the password is kept: the account's own profile, and the computer's, which the
// installer writes and which an account without a password of its own uses.
struct PasswordStores {
  ProfileStore& account;
  ProfileStore& machine;
  KeyDerivation& keys;
};

// The stored form that opens the panel: the account's own, else the computer's.
std::string StoredPassword(const PasswordStores& stores);

// Stores `password` for the whole computer (the installer's step); false when it is shorter
// than `minimumLength` bytes or cannot be derived or written.
bool StoreMachinePassword(const PasswordStores& stores, std::string_view password,
                          std::size_t minimumLength);

// The stored form of a new password with a fresh salt; nothing when the system cannot make it.
std::optional<std::string> HashPassword(KeyDerivation& keys, std::string_view password);

// Whether `typed` is the password `stored` holds, in either stored form, compared in constant
// time. An empty or unreadable stored form matches nothing.
bool PasswordMatches(KeyDerivation& keys, std::string_view typed, std::string_view stored);

// The form earlier versions stored, which the program replaces once the password is typed:
// each byte b becomes (kPasswordKey - b) mod 256. The key is a control character, which cannot
// be typed into the prompt, so the form ends before the byte equal to the key.
inline constexpr unsigned char kPasswordKey = 0x1F;
bool IsLegacyPasswordForm(std::string_view stored);
std::string EncodePassword(std::string_view password);

}  // namespace tevanor
