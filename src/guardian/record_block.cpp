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
  if (ports.unwritten.size() < kUnwrittenLimit) ports.unwritten.push_back(record);
  AppendUnwrittenBlocks(state, ports);
}

void AppendUnwrittenBlocks(GuardState& state, RecordPorts ports) {
  if (ports.unwritten.empty() ||
      !AppendBlockRecords(ports.files, ports.unwritten, state.m_bHistoryOpen))
    return;
  ports.unwritten.clear();
  RecordFileStamp(ports.profile, ports.files, kHistoryFileName);
  ports.host.PostHistoryReload();
}

}  // namespace tevanor
