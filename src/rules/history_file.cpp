#include "rules/history_file.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

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

bool AppendBlockRecords(DataDirectory& files, const std::vector<BlockRecord>& records) {
  auto file = files.Open(kHistoryFileName, OpenMode::kReadWriteCreate);
  if (!file) return false;
  std::string bytes;
  for (const BlockRecord& record : records)
    bytes += Field(record.siteText) + Field(record.time) + Field(record.cause);
  const auto length = file->Length();
  bool written = length && file->SeekToEnd() && file->Write(bytes);
  if (!written && length) file->Truncate(*length);
  written = file->Close() && written;
  return written;
}

std::string_view HistoryRecords::FieldOf(std::size_t row, Field field) const {
  // Every field ends with 0x08 (a field may hold any other byte, 0 included).
  const auto end = [](const char* p) {
    while (*p != kRecordEnd) ++p;
    return p;
  };
  const char* begin = Start(row);
  for (int f = 0; f < field; ++f) begin = end(begin) + 1;
  return {begin, static_cast<std::size_t>(end(begin) - begin)};
}

BlockRecord HistoryRecords::Record(std::size_t row) const {
  return {std::string(FieldOf(row, kSiteText)), std::string(FieldOf(row, kTime)),
          std::string(FieldOf(row, kCause))};
}

std::vector<BlockRecord> HistoryRecords::ToRecords() const {
  std::vector<BlockRecord> records;
  records.reserve(size());
  for (std::size_t row = 0; row < size(); ++row) records.push_back(Record(row));
  return records;
}

void HistoryRecords::Erase(std::size_t row) {
  records_.erase(records_.end() - 1 - static_cast<std::ptrdiff_t>(row));
}

void HistoryRecords::AddField(std::string_view text, bool first) {
  // A record's fields stay together in one block, so that its pointer reaches all three: a
  // field that does not fit moves the record's earlier fields to a new block with it.
  const char* record = first ? nullptr : records_.back();
  const std::size_t earlier =
      first ? 0 : static_cast<std::size_t>(blocks_.back().get() + blockUsed_ - record);
  if (blocks_.empty() || blockUsed_ + text.size() + 1 > blockSize_) {
    blockSize_ = std::max(nextBlockSize_, earlier + text.size() + 1);
    nextBlockSize_ = kBlockSize;
    auto block = std::make_unique_for_overwrite<char[]>(blockSize_);
    if (earlier != 0) std::memcpy(block.get(), record, earlier);
    blocks_.push_back(std::move(block));
    blockUsed_ = earlier;
    if (!first) records_.back() = blocks_.back().get();
  }
  char* at = blocks_.back().get() + blockUsed_;
  if (first) records_.push_back(at);
  if (!text.empty()) std::memcpy(at, text.data(), text.size());  // an empty field may have no data
  at[text.size()] = kRecordEnd;
  blockUsed_ += text.size() + 1;
}

std::optional<HistoryRecords> LoadHistoryList(DataDirectory& files) {
  auto file = files.Open(kHistoryFileName, OpenMode::kRead);
  if (!file) return std::nullopt;
  std::optional<HistoryRecords> rows;
  const std::uint64_t length = file->Length().value_or(0);
  if (file->SeekToStart() && length != 0) {
    rows.emplace();
    // The first block holds a small file whole (its bytes, and the terminators of a last
    // record cut short); a large one, or one that claims more than it holds, grows by blocks.
    rows->nextBlockSize_ =
        static_cast<std::size_t>(std::min<std::uint64_t>(length + 3, HistoryRecords::kBlockSize));
    int field = 0;
    ReadRecords(*file, false, [&rows, &field](std::string&& text, char) {
      rows->AddField(text, field == 0);
      field = (field + 1) % 3;
    });
    // A last record cut short gets its missing fields, empty.
    while (field != 0) {
      rows->AddField({}, false);
      field = (field + 1) % 3;
    }
    rows->records_.shrink_to_fit();
  }
  file.reset();
  return rows;
}

bool ClearHistory(DataDirectory& files) {
  // Emptied in place: an account that may write the history but not add files beside it could
  // not make the file again.
  const auto file = files.Open(kHistoryFileName, OpenMode::kReadWrite);
  return file && file->Truncate(0) && file->Close();
}

}  // namespace tevanor
