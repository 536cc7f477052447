#pragma once

// The conversion of other programs' texts to Windows-1252 for the phrase search. Characters of
// the code page stay as they are, so the byte-for-byte search sees what it saw before; every
// other character becomes what it stands for (kFoldTable): "ｐｏｒｎｏ", "𝐩𝐨𝐫𝐧𝐨" and the
// Cyrillic "рогно" all become "porno", an invisible one the soft hyphen that the normal form
// removes. A character without a reading becomes '?'.

#include <optional>
#include <string>
#include <string_view>

namespace tevanor {

// The bytes that stand for `cp` when the code page lacks it, or empty when it has no reading.
std::string_view LookAlikeReading(char32_t cp);

// UTF-16 → Windows-1252 as above; an unpaired surrogate becomes '?'.
std::string Utf16ToCp1252Folded(std::u16string_view utf16);
// UTF-8 → Windows-1252 as above; nullopt for malformed UTF-8.
std::optional<std::string> Utf8ToCp1252Folded(std::string_view utf8);

}  // namespace tevanor
