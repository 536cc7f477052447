#pragma once

#include <string>
#include <vector>

#include "guardian/guard_host.h"
#include "guardian/guard_state.h"
#include "rules/data_files.h"
#include "rules/history_file.h"
#include "rules/profile_store.h"

namespace tevanor {

// "Tevanor - vigilando (N sitios bloqueados)": the caption while the guardian is on.
std::string WatchingCaption(int blocked);

inline constexpr std::size_t kUnwrittenLimit = 10'000;

// The records on their way to the history file: blocks, and the entries that are not blocks
// (gaps in the protection). Each is appended after those still unwritten; records that find the
// history file held, or whose write fails, wait here, silently, up to kUnwrittenLimit (later
// ones are lost).
class HistoryQueue {
 public:
  struct Ports {
    GuardHost& host;
    DataDirectory& files;
    ProfileStore& profile;
  };

  HistoryQueue(GuardState& state, Ports ports) : state_(state), ports_(ports) {}

  // Counts a block, shows the count in the panel caption and appends its record.
  void RecordBlock(const BlockRecord& record);
  // Appends a record that is not a block: no count, no caption.
  void RecordHistoryEntry(const BlockRecord& record);
  // Appends the unwritten records; once they are in, stamps the file and has an open history
  // dialog reload.
  void AppendUnwrittenBlocks();

 private:
  GuardState& state_;
  Ports ports_;
  std::vector<BlockRecord> unwritten_;  // oldest first
};

}  // namespace tevanor
