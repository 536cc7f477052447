#include "guardian/record_block.h"

#include "rules/file_stamp.h"

namespace tevanor {

std::string WatchingCaption(int blocked) {
  // The count is never made singular: "1 sitios bloqueados".
  return "Tevanor - vigilando (" + std::to_string(blocked) + " sitios bloqueados)";
}

void RecordBlock(GuardState& state, RecordPorts ports, const BlockRecord& record) {
  ++state.m_nBlocked;
  state.m_strCaption = WatchingCaption(state.m_nBlocked);
  ports.host.SetCaption(state.m_strCaption);
  RecordHistoryEntry(state, ports, record);
}

void RecordHistoryEntry(GuardState& state, RecordPorts ports, const BlockRecord& record) {
  if (!AppendBlockRecord(ports.files, record, state.m_bHistoryOpen)) return;
  RecordFileStamp(ports.profile, ports.files, kHistoryFileName);
  ports.host.PostHistoryReload();
}

}  // namespace tevanor
