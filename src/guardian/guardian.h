#pragma once

#include "base/clock.h"
#include "guardian/frame_tree.h"
#include "guardian/guard_host.h"
#include "guardian/guard_state.h"
#include "guardian/history_queue.h"
#include "guardian/network.h"
#include "guardian/page_source.h"
#include "guardian/process_control.h"
#include "guardian/scan_cycle.h"
#include "guardian/timer_service.h"
#include "guardian/window_guard.h"
#include "guardian/window_inspector.h"
#include "guardian/window_source.h"
#include "rules/data_files.h"
#include "rules/phrase_store.h"
#include "rules/profile_store.h"
#include "rules/site_store.h"

namespace tevanor {

// What the guardian reads and acts on: the desktop's windows, processes and pages, the data
// files, the profile, the network and the clock.
struct SystemPorts {
  ProfileStore& profile;
  DataDirectory& files;
  WindowSource& windows;
  WindowInspector& inspector;
  ProcessControl& processes;
  PageSource& pages;
  FrameTrees& frames;
  Network& network;
  Clock& clock;
};

// Everything the guardian stands on: the system, and the window that hosts it with its timers.
struct GuardianPorts {
  SystemPorts system;
  TimerService& timers;
  GuardHost& host;
  SiteAdminRequests& siteAdmin;
};

// The guardian as one piece: its state, the history queue, the window test, the scan cycle and
// the two list stores. The control panel and the headless guardian assemble it alike.
class Guardian {
 public:
  explicit Guardian(GuardianPorts ports);
  Guardian(const Guardian&) = delete;
  Guardian& operator=(const Guardian&) = delete;

  // Builds the phrase list (the parent's words, then the built-in phrases of the level) and
  // the site list from the built-in tables and the data files, with the settings in state().
  void LoadLists();
  // Releases the built-in phrases and the site list.
  void ReleaseLists();
  // The hosting window's WM_TIMER; false for a timer that is not the guardian's. Data files that
  // another program held when they were loaded are loaded at the scan ticks once they are free.
  bool OnTimer(unsigned id);
  // Queues a history entry that is not a block behind the blocks not yet written.
  void RecordHistoryEntry(const BlockRecord& record) { history_.RecordHistoryEntry(record); }
  // The scan stops, and starts again when the guardian is on.
  void StopScan() { cycle_.Stop(); }
  void RestartScan() { cycle_.RestartIfActive(); }

  GuardState& state() { return state_; }
  const GuardState& state() const { return state_; }
  // The lists the editing dialogs change and save.
  PhraseStore& phrases() { return phrases_; }
  SiteStore& sites() { return sites_; }

 private:
  GuardState state_;
  HistoryQueue history_;
  WindowGuard guard_;
  ScanCycle cycle_;
  PhraseStore phrases_;
  SiteStore sites_;
};

}  // namespace tevanor
