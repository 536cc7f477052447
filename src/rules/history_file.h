#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/clock.h"
#include "rules/data_files.h"

namespace tevanor {

// One block as the history file holds it: three fields, each followed by the byte 0x08.
struct BlockRecord {
  std::string siteText;  // page address, window title or mail-reader label
  std::string time;      // "%H:%M-%d/%m/%Y"
  std::string cause;     // a fixed cause text or the phrase that matched
  bool operator==(const BlockRecord&) const = default;
};

// "%H:%M-%d/%m/%Y", every number zero-padded: always 16 characters, e.g. 21:07-05/12/2002.
std::string FormatBlockTime(const LocalTime& time);

// Appends records, in order, to "Tevanor.his", creating the file when it is missing. A 0x08
// inside a field would end that field early on reading and shift every later record, so it is
// written as a space. A write that fails part-way (a full disk) is cut off again, so that the file
// never ends in part of a record. False when the file could not be opened or a write failed: then
// none of them was appended.
bool AppendBlockRecords(DataDirectory& files, const std::vector<BlockRecord>& records);

// A loaded history, newest first, kept about as compactly as its file: the fields' bytes in
// large blocks, each field ended by 0x08, and one pointer per record. A long history then costs
// little more memory than the file itself.
class HistoryRecords {
 public:
  enum Field { kSiteText = 0, kTime = 1, kCause = 2 };

  std::size_t size() const { return records_.size(); }
  bool empty() const { return records_.empty(); }
  // Row 0 is the newest record.
  std::string_view FieldOf(std::size_t row, Field field) const;
  BlockRecord Record(std::size_t row) const;
  std::vector<BlockRecord> ToRecords() const;
  // Drops one row from this copy; the file is unchanged.
  void Erase(std::size_t row);

 private:
  friend std::optional<HistoryRecords> LoadHistoryList(DataDirectory&);
  // Appends one field of the record being read; `first` starts a new record.
  void AddField(std::string_view text, bool first);
  const char* Start(std::size_t row) const { return records_[records_.size() - 1 - row]; }

  static constexpr std::size_t kBlockSize = std::size_t{1} << 20;

  std::vector<std::unique_ptr<char[]>> blocks_;
  std::size_t blockSize_ = 0;
  std::size_t nextBlockSize_ = kBlockSize;  // the size of the next block to take
  std::size_t blockUsed_ = 0;
  std::vector<const char*> records_;  // oldest first, as in the file
};

// The history as the history dialog shows it: the newest block first. Every byte but 0x08 is
// part of a field (0x09 included); a last record cut short has its missing fields empty. nullopt
// when the file cannot be opened (it is missing, or locked) or is empty: the dialog then keeps
// the rows it shows. A read error ends the load with the records read so far. One pass over the
// file; memory grows with what is read, never with what the file claims to hold (a sparse file can
// claim a terabyte).
std::optional<HistoryRecords> LoadHistoryList(DataDirectory& files);

// Empties the history file once the parent has confirmed; false when it could not (no file, or
// the file is in use). The file's stamp in the profile is left as it is.
bool ClearHistory(DataDirectory& files);

}  // namespace tevanor
