#include "guardian/history_queue.h"

#include "rules/file_stamp.h"

namespace tevanor {

std::string WatchingCaption(int blocked) {
  // The count is never made singular: "1 sitios bloqueados".
  return "Tevanor - vigilando (" + std::to_string(blocked) + " sitios bloqueados)";
}

void HistoryQueue::RecordBlock(const BlockRecord& record) {
  ++state_.m_nBlocked;
  ports_.host.SetCaption(WatchingCaption(state_.m_nBlocked));
  RecordHistoryEntry(record);
}

void HistoryQueue::RecordHistoryEntry(const BlockRecord& record) {
  if (unwritten_.size() < kUnwrittenLimit) unwritten_.push_back(record);
  AppendUnwrittenBlocks();
}

void HistoryQueue::AppendUnwrittenBlocks() {
  if (unwritten_.empty() || !AppendBlockRecords(ports_.files, unwritten_)) return;
  unwritten_.clear();
  RecordFileStamp(ports_.profile, ports_.files, kHistoryFileName);
  ports_.host.PostHistoryReload();
}

}  // namespace tevanor
