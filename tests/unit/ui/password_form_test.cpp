#include "ui/password_form.h"

#include <gtest/gtest.h>

#include <set>

#include "text/cp1252.h"

namespace tevanor {
namespace {

TEST(PasswordForm, EachByteBecomesTheKeyMinusTheByte) {
  EXPECT_EQ(EncodePassword("abc"), "\xBE\xBD\xBC");
  EXPECT_EQ(EncodePassword(""), "");
}

TEST(PasswordForm, TypedTextKeepsItsLengthHasNoZeroByteAndComparesExactly) {
  // Every byte that can be typed (not a control character) has its own non-zero form, so
  // stored passwords keep their length and "Clave" never matches "clave".
  std::set<std::string> forms;
  for (int b = 0x20; b <= 0xFF; ++b) {
    const std::string form = EncodePassword(std::string(1, static_cast<char>(b)));
    ASSERT_EQ(form.size(), 1u) << b;
    EXPECT_NE(form[0], '\0') << b;
    forms.insert(form);
  }
  EXPECT_EQ(forms.size(), 0xE0u);
  EXPECT_EQ(EncodePassword("Clave secreta ñ"_ansi).size(), 15u);
}

TEST(PasswordForm, EndsBeforeTheKeyByte) {
  EXPECT_EQ(EncodePassword(std::string("ab") + char(kPasswordKey) + "cd"), EncodePassword("ab"));
}

}  // namespace
}  // namespace tevanor
