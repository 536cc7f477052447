#include "rules/history_file.h"

#include <algorithm>
#include <cstdio>

#include "rules/record_reader.h"

namespace tevanor {

namespace {

std::string Field(std::string_view text) {
  std::string field(text);
  std::replace(field.begin(), field.end(), kRecordEnd, ' ');
  field += kRecordEnd;
  return field;
}

}  // namespace

std::string FormatBlockTime(const LocalTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%02d:%02d-%02d/%02d/%04d", t.hour, t.minute, t.day, t.month,
                t.year);
  return text;
}

bool AppendBlockRecords(DataDirectory& files, const std::vector<BlockRecord>& records,
                        int& historyOpen) {
  auto file = files.Open(kHistoryFileName, OpenMode::kReadWriteCreate);
  if (!file) return false;
  historyOpen = 1;
  std::string bytes;
  for (const BlockRecord& record : records)
    bytes += Field(record.siteText) + Field(record.time) + Field(record.cause);
  const auto length = file->Length();
  bool written = length && file->SeekToEnd() && file->Write(bytes);
  if (!written && length) file->Truncate(*length);
  written = file->Close() && written;
  historyOpen = 0;
  return written;
}

std::optional<std::vector<BlockRecord>> LoadHistoryList(DataDirectory& files, int& historyOpen) {
  auto file = files.Open(kHistoryFileName, OpenMode::kRead);
  if (!file) return std::nullopt;
  historyOpen = 1;
  std::optional<std::vector<BlockRecord>> rows;
  if (file->SeekToStart() && file->Length().value_or(0) != 0) {
    // The list grows with what is read, never with what the file claims to hold (a sparse
    // file can claim a terabyte), and gives back what it did not use.
    rows.emplace();
    int field = 0;
    ReadRecords(*file, false, [&rows, &field](std::string&& text, char) {
      if (field == 0) rows->emplace_back();
      BlockRecord& row = rows->back();
      (field == 0 ? row.siteText : field == 1 ? row.time : row.cause) = std::move(text);
      field = (field + 1) % 3;
    });
    std::reverse(rows->begin(), rows->end());
    rows->shrink_to_fit();
  }
  file.reset();
  historyOpen = 0;
  return rows;
}

bool ClearHistory(DataDirectory& files) {
  return files.Remove(kHistoryFileName);
}

}  // namespace tevanor
