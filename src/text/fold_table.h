#pragma once

#include <span>

namespace tevanor {

// A character that Windows-1252 lacks and the Windows-1252 bytes it stands for (see
// tools/fold_table_gen): its compatibility form, a look-alike letter, the letter without its
// marks, or the soft hyphen for an invisible character.
struct FoldRow {
  char32_t cp;
  const char* bytes;
};

// Sorted by code point. Generated from ICU's data by scripts/gen-fold-table.sh.
extern const std::span<const FoldRow> kFoldTable;

}  // namespace tevanor
