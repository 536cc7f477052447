#pragma once

#include <cstdint>
#include <string>

#include "base/clock.h"
#include "guardian/browser_frames.h"
#include "guardian/frame_tree.h"
#include "guardian/guard_host.h"
#include "guardian/guard_state.h"
#include "guardian/history_queue.h"
#include "guardian/page_source.h"
#include "guardian/pass_budget.h"
#include "guardian/process_control.h"
#include "guardian/scan_cycle.h"
#include "guardian/window_inspector.h"
#include "rules/data_files.h"
#include "rules/profile_store.h"

namespace tevanor {

// The causes a block records when no phrase is involved.
inline constexpr const char* kCauseMirc = "@Bloqueado Mirc@";
inline constexpr const char* kCauseJava = "@Bloqueado por Componente de Java@";
inline constexpr const char* kCauseSites = "@Bloqueado por Administrador de Sitios@";

// The guardian's test of one window: it learns the shell, then blocks chat programs, browser
// pages and edit controls that show a forbidden phrase. A block acts on the program that owns
// the top-level window (a close request, or ending it; the shell is never ended), records
// the block and opens a block notice.
class WindowGuard final : public ChildWindowTest {
 public:
  struct Ports {
    WindowInspector& windows;
    ProcessControl& processes;
    PageSource& pages;
    FrameTrees& frames;
    GuardHost& host;
    HistoryQueue& history;
    Clock& clock;
  };

  WindowGuard(GuardState& state, Ports ports)
      : state_(state), ports_(ports), frames_(ports.frames, ports.windows) {}

  void BeginPass() override;
  // Inspects the frames of today's browsers.
  ScanStep TestTopLevel(WindowHandle top) override;
  ScanStep TestChildWindow(WindowHandle child, WindowHandle top) override;

 private:
  void LearnShell(const std::string& childClass, WindowHandle top);
  ScanStep ChatBlock(WindowHandle top, const char* cause);
  ScanStep TestEditControl(WindowHandle child, WindowHandle top);
  ScanStep InspectBrowserPage(WindowHandle child, WindowHandle top);
  ScanStep InspectBrowserFrame(WindowHandle top);

  // What a block does when the top's process cannot be opened: record it all the same (chat
  // windows), or give up without a record (everything else).
  enum class Unopened { kRecord, kSkip };
  // Blocks the program that owns `top`: asks the top to close, or ends the program when
  // `endProgram` is set and it is not the shell; then records the block.
  ScanStep BlockOwner(WindowHandle top, std::string siteText, std::string cause, Unopened unopened,
                      bool endProgram = true);
  BlockAction RequestClose(WindowHandle top);
  // Records the block, opens the notice and ends the walk through this top's descendants.
  ScanStep Finish(std::string siteText, std::string cause, BlockAction action);

  GuardState& state_;
  Ports ports_;
  PassBudget budget_;
  BrowserFrames frames_;
};

}  // namespace tevanor
