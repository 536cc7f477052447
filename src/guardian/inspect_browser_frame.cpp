// The test of a frame of today's browsers: its address against the site list, its title and
// its page text against the phrase list, read through the frame's accessibility tree.
#include "guardian/scan_busy.h"
#include "guardian/window_guard.h"

namespace tevanor {

ScanStep WindowGuard::InspectBrowserFrame(WindowHandle top) {
  const std::uint32_t process = ports_.windows.Owner(top).processId;
  if (process == 0 || process == ports_.windows.OwnProcessId()) return ScanStep::kContinue;
  const std::string title = ports_.windows.Title(top);
  // A frame whose call overran is not asked again while that call hangs; its title, which the
  // system keeps, is still tested.
  const FrameContent* content = nullptr;
  if (!ports_.frames.Hangs(top)) {
    if (!budget_.MayAsk(top, process, ports_.windows.MonotonicMs())) return ScanStep::kContinue;
    content = frames_.Read(top, title);
    if (!content) budget_.Unanswered(process);
  }
  const FrameContent unread;
  if (!content) content = &unread;
  if (!ports_.windows.Exists(top)) return ScanStep::kContinue;

  const ScanBusy busy(state_);
  auto block = [&](std::string siteText, std::string cause) {
    return BlockOwner(top, std::move(siteText), std::move(cause), Unopened::kSkip, false);
  };
  // The frame is the browser's own window: the first matching entry decides.
  const std::string& address = content->address;
  if (!address.empty()) {
    if (const SiteEntry* site = state_.sites.Deciding(address, true)) {
      if (!site->prohibited || !ports_.windows.Exists(top)) return ScanStep::kContinue;
      return block(address, kCauseSites);
    }
  }
  // The causes as for a legacy page: the title's phrase as compared, the text's as stored.
  const std::string siteText = address.empty() ? title : address;
  if (const PhraseEntry* hit = state_.phrases.Match(title); hit && ports_.windows.Exists(top))
    return block(siteText, PhraseAsCompared(*hit));
  if (content->pageText.empty()) return ScanStep::kContinue;
  if (const PhraseEntry* hit = state_.phrases.Match(content->pageText);
      hit && ports_.windows.Exists(top))
    return block(siteText, hit->text);
  return ScanStep::kContinue;
}

}  // namespace tevanor
