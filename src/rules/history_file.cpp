#include "rules/history_file.h"

#include <algorithm>
#include <cstdio>

namespace tevanor {

namespace {

constexpr char kFieldEnd = '\x08';

std::string Field(std::string_view text) {
  std::string field(text);
  std::replace(field.begin(), field.end(), kFieldEnd, ' ');
  field += kFieldEnd;
  return field;
}

}  // namespace

std::string FormatBlockTime(const LocalTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%02d:%02d-%02d/%02d/%04d", t.hour, t.minute, t.day, t.month,
                t.year);
  return text;
}

bool AppendBlockRecord(DataDirectory& files, const BlockRecord& record, int& historyOpen) {
  auto file = files.Open(kHistoryFileName, OpenMode::kReadWriteCreate);
  if (!file) return false;
  historyOpen = 1;
  const bool written = file->SeekToEnd() &&
                       file->Write(Field(record.siteText) + Field(record.time) +
                                   Field(record.cause)) &&
                       file->Close();
  historyOpen = 0;
  return written;
}

}  // namespace tevanor
