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

// Blocks not yet in the history file, oldest first: kept while another program holds the file
// or a write fails, up to kUnwrittenLimit (later ones are lost).
using UnwrittenBlocks = std::vector<BlockRecord>;
inline constexpr std::size_t kUnwrittenLimit = 10'000;

struct RecordPorts {
  GuardHost& host;
  DataDirectory& files;
  ProfileStore& profile;
  UnwrittenBlocks& unwritten;
};

// Counts a block, shows the count in the panel caption and appends the record to the history
// file, after any records still unwritten. A history file that cannot be opened or written
// keeps them unwritten, silently.
void RecordBlock(GuardState& state, RecordPorts ports, const BlockRecord& record);

// Appends a record that is not a block (a gap in the protection), after any still unwritten:
// no count, no caption.
void RecordHistoryEntry(GuardState& state, RecordPorts ports, const BlockRecord& record);

// Appends the unwritten records; once they are in, stamps the file and has an open history
// dialog reload.
void AppendUnwrittenBlocks(GuardState& state, RecordPorts ports);

}  // namespace tevanor
