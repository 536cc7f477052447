#include "ui/password_form.h"

namespace tevanor {

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
