// Writes, on standard output, src/text/fold_table.cpp: for every character that Windows-1252
// lacks, the Windows-1252 bytes it stands for, taken from ICU's data rather than typed by hand.
//   - Invisible characters (default-ignorable, format characters, combining marks) become the
//     soft hyphen, which the normal form removes; the byte-for-byte search sees a character
//     that no phrase holds, as it saw '?' before.
//   - Otherwise the character's compatibility form (NFKC: full-width, mathematical, circled
//     letters, ligatures, superscripts), character by character: a character of the code page
//     stays; one with the confusable skeleton of a letter or digit of the code page (Cyrillic
//     and Greek look-alikes) becomes that letter; one whose decomposition less its marks is in
//     the code page becomes that ("ā" → "a").
// A character with no such reading has no row; the conversion writes '?' for it.
#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/uspoof.h>
#include <unicode/ustring.h>

#include <cstdio>
#include <map>
#include <optional>
#include <string>

#include "text/cp1252.h"

namespace {

using icu::UnicodeString;

struct Icu {
  const icu::Normalizer2* nfkc;
  const icu::Normalizer2* nfd;
  USpoofChecker* spoof;
};

UnicodeString Skeleton(const Icu& icu, const UnicodeString& text) {
  UErrorCode status = U_ZERO_ERROR;
  UnicodeString out;
  uspoof_getSkeletonUnicodeString(icu.spoof, 0, text, out, &status);
  return U_SUCCESS(status) ? out : UnicodeString();
}

std::string Key(const UnicodeString& text) {
  std::string utf8;
  text.toUTF8String(utf8);
  return utf8;
}

bool Invisible(UChar32 cp) {
  const auto type = u_charType(cp);
  return u_hasBinaryProperty(cp, UCHAR_DEFAULT_IGNORABLE_CODE_POINT) || type == U_FORMAT_CHAR ||
         type == U_NON_SPACING_MARK || type == U_ENCLOSING_MARK;
}

// Skeleton → the Windows-1252 letter or digit with that skeleton, one per case. Among several,
// a letter before a digit, ASCII before the rest, then the lowest byte.
struct LookAlikes {
  std::map<std::string, unsigned char> upper, lower;

  LookAlikes(const Icu& icu) {
    auto rank = [](unsigned char b) { return (b >= '0' && b <= '9' ? 512 : 0) + b; };
    for (int b = 0x21; b < 0x100; ++b) {
      const UChar32 cp =
          static_cast<UChar32>(tevanor::cp1252::Decode(static_cast<unsigned char>(b)));
      if (!u_isalnum(cp)) continue;
      const std::string key = Key(Skeleton(icu, UnicodeString(cp)));
      for (auto* side : {&upper, &lower}) {
        const bool fits = side == &upper ? !u_islower(cp) : !u_isupper(cp);
        if (!fits) continue;
        auto [it, fresh] = side->emplace(key, static_cast<unsigned char>(b));
        if (!fresh && rank(static_cast<unsigned char>(b)) < rank(it->second))
          it->second = static_cast<unsigned char>(b);
      }
    }
  }
  std::optional<unsigned char> Find(const Icu& icu, UChar32 cp) const {
    const auto& side = u_islower(cp) ? lower : upper;
    const auto& other = u_islower(cp) ? upper : lower;
    const std::string key = Key(Skeleton(icu, UnicodeString(cp)));
    if (auto it = side.find(key); it != side.end()) return it->second;
    if (auto it = other.find(key); it != other.end()) return it->second;
    return std::nullopt;
  }
};

std::optional<std::string> Reading(const Icu& icu, const LookAlikes& lookAlikes, UChar32 cp) {
  if (Invisible(cp)) return std::string("\xAD");
  UErrorCode status = U_ZERO_ERROR;
  const UnicodeString compatible = icu.nfkc->normalize(UnicodeString(cp), status);
  if (U_FAILURE(status)) return std::nullopt;
  std::string bytes;
  for (int32_t i = 0; i < compatible.length();) {
    const UChar32 c = compatible.char32At(i);
    i += U16_LENGTH(c);
    if (const int b = tevanor::cp1252::Encode(static_cast<char32_t>(c)); b >= 0) {
      bytes += static_cast<char>(b);
    } else if (const auto letter = lookAlikes.Find(icu, c)) {
      bytes += static_cast<char>(*letter);
    } else {
      const UnicodeString parts = icu.nfd->normalize(UnicodeString(c), status);
      std::string base;
      for (int32_t j = 0; j < parts.length();) {
        const UChar32 p = parts.char32At(j);
        j += U16_LENGTH(p);
        if (Invisible(p)) continue;
        const int pb = tevanor::cp1252::Encode(static_cast<char32_t>(p));
        if (pb < 0) return std::nullopt;
        base += static_cast<char>(pb);
      }
      if (base.empty() || U_FAILURE(status)) return std::nullopt;
      bytes += base;
    }
  }
  if (bytes.empty()) return std::nullopt;
  return bytes;
}

std::string Literal(const std::string& bytes) {
  std::string out = "\"";
  for (const char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    if (b >= 0x20 && b < 0x7F && b != '"' && b != '\\' && b != '?') {
      out += ch;
    } else {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\%03o", b);
      out += escape;
    }
  }
  return out + "\"";
}

}  // namespace

int main() {
  UErrorCode status = U_ZERO_ERROR;
  Icu icu{icu::Normalizer2::getNFKCInstance(status), icu::Normalizer2::getNFDInstance(status),
          uspoof_open(&status)};
  if (U_FAILURE(status)) {
    std::fprintf(stderr, "fold_table_gen: ICU: %s\n", u_errorName(status));
    return 1;
  }
  const LookAlikes lookAlikes(icu);
  std::string rows;
  int count = 0;
  for (UChar32 cp = 0x80; cp <= 0x10FFFF; ++cp) {
    if (U_IS_SURROGATE(cp) || u_charType(cp) == U_UNASSIGNED ||
        u_charType(cp) == U_PRIVATE_USE_CHAR ||
        tevanor::cp1252::Encode(static_cast<char32_t>(cp)) >= 0)
      continue;
    const auto bytes = Reading(icu, lookAlikes, cp);
    if (!bytes) continue;
    char head[24];
    std::snprintf(head, sizeof head, "    {0x%05X, ", static_cast<unsigned>(cp));
    rows += head + Literal(*bytes) + "},\n";
    ++count;
  }
  uspoof_close(icu.spoof);
  std::printf(
      "// Generated by scripts/gen-fold-table.sh (tools/fold_table_gen, ICU %s): do not edit by "
      "hand.\n"
      "#include \"text/fold_table.h\"\n\n"
      "namespace tevanor {\n\n"
      "// %d rows, by code point.\n"
      "// clang-format off\n"
      "constexpr FoldRow kRows[] = {\n%s};\n"
      "// clang-format on\n\n"
      "const std::span<const FoldRow> kFoldTable = kRows;\n\n"
      "}  // namespace tevanor\n",
      U_ICU_VERSION, count, rows.c_str());
  return 0;
}
