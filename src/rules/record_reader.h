#pragma once

#include <string>

#include "base/function_ref.h"
#include "rules/data_files.h"

namespace tevanor {

// Reads a data file from where it stands to its end, one byte at a time, as records: the bytes
// before each terminator byte (0x08, or 0x09 too when `tabEnds` is set) form one record, which
// `record` receives with its terminator. Bytes after the last terminator are dropped. A record
// keeps at most kRecordLengthLimit bytes, more than any real word, address or field needs: the
// rest of a longer one is skipped, so that a huge file cannot exhaust memory. False when a read
// failed; the records before the failure have been delivered.
bool ReadRecords(DataFile& file, bool tabEnds,
                 FunctionRef<void(std::string&& text, char terminator)> record);

inline constexpr std::size_t kRecordLengthLimit = 64 * 1024;
inline constexpr char kRecordEnd = '\x08';  // prohibited site, ignore-case word, history field
inline constexpr char kTabEnd = '\x09';     // allowed site, case-sensitive word

// `text` with the two terminator bytes replaced by spaces, so that it is stored as one record.
std::string RecordText(std::string_view text);

}  // namespace tevanor
