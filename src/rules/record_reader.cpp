#include "rules/record_reader.h"

#include <algorithm>

namespace tevanor {

bool ReadRecords(DataFile& file, bool tabEnds,
                 FunctionRef<void(std::string&& text, char terminator)> record) {
  std::string text;
  for (;;) {
    const int byte = file.ReadByte();
    if (byte == DataFile::kEnd) return true;
    if (byte == DataFile::kError) return false;
    const char c = static_cast<char>(byte);
    if (c == kRecordEnd || (tabEnds && c == kTabEnd)) {
      record(std::move(text), c);
      text.clear();
    } else if (text.size() < kRecordLengthLimit) {
      text += c;
    }
  }
}

std::string RecordText(std::string_view text) {
  std::string clean(text);
  std::replace_if(
      clean.begin(), clean.end(), [](char c) { return c == kRecordEnd || c == kTabEnd; }, ' ');
  return clean;
}

}  // namespace tevanor
