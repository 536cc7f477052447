#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "guardian/page_source.h"

namespace tevanor::testing {

// A page as a browser child window shows it.
struct FakePage {
  std::string address;
  std::string readyState = "complete";
  std::string body;
  std::vector<FakePage> frames = {};
  bool framesUnavailable = false;  // the frame collection cannot be had
  bool unreachable = false;        // as a frame: its window or document cannot be had
  // More frames than `frames` holds: every index past them is this page again (its window's
  // document is the page itself).
  std::size_t claimedFrames = 0;
};

// Browser child windows and their pages in memory. It counts what is open, so tests can see
// that every inspection releases its session and documents.
class FakePageSource final : public PageSource {
 public:
  std::unique_ptr<PageSession> BeginInspection() override;

  std::map<WindowHandle, FakePage> pages;  // the children that answer, and what they show
  bool libraryMissing = false;
  bool overran = false;  // what the sessions report
  int openSessions = 0;
  int openDocuments = 0;
  std::vector<std::string> bodiesRead;  // the bodies searched, in order
  bool keepBodiesRead = true;           // off for benchmarks
};

}  // namespace tevanor::testing
