#pragma once

#include <string>

#include "guardian/guard_host.h"
#include "guardian/guard_state.h"
#include "rules/data_files.h"
#include "rules/history_file.h"
#include "rules/profile_store.h"

namespace tevanor {

// "Tevanor - vigilando (N sitios bloqueados)": the caption while the guardian is on.
std::string WatchingCaption(int blocked);

struct RecordPorts {
  GuardHost& host;
  DataDirectory& files;
  ProfileStore& profile;
};

// Counts a block, shows the count in the panel caption and appends the record to the history
// file; after an append that succeeded it stamps the file and has an open history dialog
// reload. A history file that cannot be opened or written loses the record silently.
void RecordBlock(GuardState& state, RecordPorts ports, const BlockRecord& record);

// Appends a record that is not a block (a gap in the protection): no count, no caption.
void RecordHistoryEntry(GuardState& state, RecordPorts ports, const BlockRecord& record);

}  // namespace tevanor
