#include "guardian/window_guard.h"

#include <string_view>

#include "guardian/scan_busy.h"
#include "rules/history_file.h"
#include "text/cp1252.h"

namespace tevanor {

namespace {

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

// Whether the upper-cased `text` contains `upperPart`, without copying the text.
bool ContainsIgnoringCase(std::string_view text, std::string_view upperPart) {
  if (upperPart.size() > text.size()) return false;
  for (std::size_t at = 0; at + upperPart.size() <= text.size(); ++at) {
    std::size_t i = 0;
    while (i < upperPart.size() && ToUpper(static_cast<unsigned char>(text[at + i])) ==
                                       static_cast<unsigned char>(upperPart[i]))
      ++i;
    if (i == upperPart.size()) return true;
  }
  return false;
}

}  // namespace

void WindowGuard::BeginPass() {
  budget_.BeginPass(ports_.windows.MonotonicMs(), ports_.windows.Exists(budget_.resumeAt()));
  // Blocks that found the history file held are appended once it is free again.
  ports_.history.AppendUnwrittenBlocks();
  frames_.BeginPass();
}

ScanStep WindowGuard::TestTopLevel(WindowHandle top) {
  if (state_.m_dwShellPid == 0) return ScanStep::kContinue;  // as for every other test
  const auto topClass = ports_.windows.ClassName(top);
  if (!topClass || !IsBrowserFrameClass(*topClass)) return ScanStep::kContinue;
  return InspectBrowserFrame(top);
}

ScanStep WindowGuard::TestChildWindow(WindowHandle child, WindowHandle top) {
  const auto childClass = ports_.windows.ClassName(child);
  if (!childClass) return ScanStep::kContinue;
  if (state_.m_dwShellPid == 0) {
    // Nothing is tested before the shell is known: a block must never end the shell.
    LearnShell(*childClass, top);
    return ScanStep::kContinue;
  }
  if (state_.m_bMircChat && ContainsIgnoringCase(ports_.windows.Title(top), "MIRC") &&
      ports_.windows.Exists(top))
    return ChatBlock(top, kCauseMirc);
  if (state_.m_bJavaChat && *childClass == "MSAWT_Comp_Class" && ports_.windows.Exists(top))
    return ChatBlock(top, kCauseJava);
  if (*childClass == "Internet Explorer_Server") return InspectBrowserPage(child, top);
  // "Edit" also takes in the rich-edit controls' classes.
  if (Contains(*childClass, "Edit")) return TestEditControl(child, top);
  return ScanStep::kContinue;
}

void WindowGuard::LearnShell(const std::string& childClass, WindowHandle top) {
  // The taskbar's notification area belongs to the shell. Some desktops have a taskbar
  // without one, so any window inside the taskbar tells the shell's process as well.
  if (Contains(childClass, "TrayNotifyWnd") || ports_.windows.ClassName(top) == "Shell_TrayWnd")
    state_.m_dwShellPid = ports_.windows.Owner(top).processId;
}

ScanStep WindowGuard::ChatBlock(WindowHandle top, const char* cause) {
  // A chat block is recorded even when its program could not be ended.
  return BlockOwner(top, ports_.windows.Title(top), cause, Unopened::kRecord);
}

ScanStep WindowGuard::TestEditControl(WindowHandle child, WindowHandle top) {
  if (!ports_.windows.Exists(child)) return ScanStep::kContinue;
  const std::uint32_t process = ports_.windows.Owner(top).processId;
  if (!budget_.MayAsk(top, process, ports_.windows.MonotonicMs())) return ScanStep::kContinue;
  std::optional<std::string> text;
  {
    const auto attachment = ports_.windows.AttachInput(top);
    if (!attachment) return ScanStep::kContinue;
    if (!ports_.windows.Exists(child)) return ScanStep::kContinue;
    text = ports_.windows.ControlText(child);
  }
  // A control that did not answer (its program hangs, or is slow) is skipped in this pass with
  // its program's other controls; an empty text is never matched, not even by an empty phrase.
  if (!text) budget_.Unanswered(process);
  if (!text || text->empty()) return ScanStep::kContinue;

  const ScanBusy busy(state_);
  const PhraseEntry* hit = state_.phrases.Match(*text);
  if (!hit || !ports_.windows.Exists(top)) return ScanStep::kContinue;

  return BlockOwner(top, ports_.windows.Title(top), PhraseAsCompared(*hit), Unopened::kSkip);
}

ScanStep WindowGuard::BlockOwner(WindowHandle top, std::string siteText, std::string cause,
                                 Unopened unopened, bool endProgram) {
  const std::uint32_t processId = ports_.windows.Owner(top).processId;
  auto process = ports_.processes.Open(processId);
  if (!process && unopened == Unopened::kSkip) return ScanStep::kContinue;  // nothing recorded
  BlockAction action = BlockAction::kLeftRunning;
  if (!endProgram || processId == state_.m_dwShellPid)
    action = RequestClose(top);
  else if (process && process->Terminate())
    action = BlockAction::kEndProgram;
  process.reset();
  return Finish(std::move(siteText), std::move(cause), action);
}

BlockAction WindowGuard::RequestClose(WindowHandle top) {
  if (!ports_.windows.Exists(top)) return BlockAction::kLeftRunning;
  ports_.windows.PostCloseCommand(top);
  return BlockAction::kCloseRequest;
}

ScanStep WindowGuard::Finish(std::string siteText, std::string cause, BlockAction action) {
  BlockRecord record{std::move(siteText), FormatBlockTime(ports_.clock.Now()), std::move(cause)};
  ports_.history.RecordBlock(record);
  ports_.host.OpenBlockNotice(
      {std::move(record.siteText), std::move(record.time), std::move(record.cause), action});
  state_.m_bScanBusy = 0;
  return ScanStep::kStop;
}

}  // namespace tevanor
