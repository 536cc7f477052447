// The browser page test of WindowGuard: the page address against the site list, the browser's
// title and the page text against the phrase list.
#include <memory>
#include <string_view>

#include "guardian/find_phrase_in_document.h"
#include "guardian/scan_busy.h"
#include "guardian/window_guard.h"

namespace tevanor {

namespace {

// The top-level windows of the two mail readers whose message pane is a browser component.
std::string MailReaderLabel(std::string_view topClass) {
  if (topClass == "Outlook Express Browser Class") return "MAIL: MS Outlook Express";
  if (topClass == "rctrl_renwnd32") return "MAIL: MS Outlook";
  return {};
}

}  // namespace

ScanStep WindowGuard::InspectBrowserPage(WindowHandle child, WindowHandle top) {
  const std::uint32_t process = ports_.windows.Owner(top).processId;
  // The pages of our own windows (the version notice, the help) are never inspected, whatever
  // a page calls itself.
  if (process == ports_.windows.OwnProcessId()) return ScanStep::kContinue;
  if (!budget_.MayAsk(top, process, ports_.windows.MonotonicMs())) return ScanStep::kContinue;
  auto session = ports_.pages.BeginInspection();
  if (!session) return ScanStep::kContinue;
  auto document = session->DocumentOf(child);
  // A silent or hung browser, or a page that did not answer in time, is skipped in this pass
  // with the browser's other pages, whatever the page did answer.
  auto unanswered = [&] {
    budget_.Unanswered(process);
    return ScanStep::kContinue;
  };
  if (!document) return unanswered();
  const std::string address = document->Address();
  if (session->Overran()) return unanswered();
  if (!ports_.windows.Exists(top)) return ScanStep::kContinue;
  const std::string title = ports_.windows.Title(top);

  const ScanBusy busy(state_);
  // The page's documents and the session are released before the program is touched. An
  // address or a title gets a close request, never the end of a browser.
  auto block = [&](std::string siteText, std::string cause, bool endProgram) {
    document.reset();
    session.reset();
    return BlockOwner(top, std::move(siteText), std::move(cause), Unopened::kSkip, endProgram);
  };

  // Site rules, in list order: a free-access entry ends the inspection of this page; a
  // prohibited one blocks only in the browser's own main window, so that a prohibited address
  // shown inside another program is left to the phrase tests.
  const SiteEntry* site = state_.sites.Deciding(address, true);
  if (site && site->prohibited) {
    const auto topClass = ports_.windows.ClassName(top);
    if (!topClass) return ScanStep::kContinue;
    if (*topClass == "IEFrame" && ports_.windows.Exists(top))
      return block(address, kCauseSites, false);
    site = state_.sites.Deciding(address, false);
  }
  if (site) return ScanStep::kContinue;

  if (const PhraseEntry* hit = state_.phrases.Match(title); hit && ports_.windows.Exists(top))
    return block(address, PhraseAsCompared(*hit), false);

  std::string phrase;
  FindPhraseInDocument(*document, state_.phrases, phrase);
  if (session->Overran()) budget_.Unanswered(process);
  if (phrase.empty() || !ports_.windows.Exists(top)) return ScanStep::kContinue;
  const auto topClass = ports_.windows.ClassName(top);
  if (!topClass) return ScanStep::kContinue;
  // In a mail reader the record names the reader, and the reader is ended.
  std::string siteText = MailReaderLabel(*topClass);
  const bool mail = !siteText.empty();
  if (!mail) siteText = address;

  return block(std::move(siteText), std::move(phrase), mail);
}

}  // namespace tevanor
