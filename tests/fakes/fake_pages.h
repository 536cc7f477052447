#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "guardian/frame_tree.h"
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

// Browser child windows and their pages in memory; their sessions never overrun.
class FakePageSource final : public PageSource {
 public:
  std::unique_ptr<PageSession> BeginInspection() override;

  std::map<WindowHandle, FakePage> pages;  // the children that answer, and what they show
  bool libraryMissing = false;
  std::vector<std::string> bodiesRead;  // the bodies searched, in order
  bool keepBodiesRead = true;           // off for benchmarks
};

// An element of a browser frame's accessibility tree.
struct FakeElement {
  ElementRole role = ElementRole::kOther;
  std::string text;
  std::vector<FakeElement> children = {};
};

// The accessibility trees of browser frames in memory. It counts every call, and makes the
// calls into a hung frame overrun: each costs the clock one answer limit and leaves the frame
// hanging until it is taken out of `hung`.
class FakeFrameTrees final : public FrameTrees {
 public:
  static constexpr std::uint64_t kCallLimitMs = 1000;
  explicit FakeFrameTrees(std::uint64_t& clockMs) : clockMs_(clockMs) {}

  // `frame` shows a new tree: the elements of its old one cannot be read any more.
  void Show(WindowHandle frame, FakeElement root);
  // The tree `frame` shows, to change in place (a new address or text on the same page).
  FakeElement& Root(WindowHandle frame) { return trees_[frame].root; }

  std::unique_ptr<FrameElement> RootOf(WindowHandle frame) override;
  bool Hangs(WindowHandle frame) override { return hanging_.count(frame) && hung.count(frame); }

  std::set<WindowHandle> hung;  // frames whose calls never return
  int calls = 0;                // RootOf, Children and Text, into any frame

 private:
  friend class FakeFrameElement;
  struct Tree {
    FakeElement root;
    int generation = 0;
  };
  // Counts a call into `frame`; true when it overran.
  bool Late(WindowHandle frame);

  std::uint64_t& clockMs_;
  std::map<WindowHandle, Tree> trees_;
  std::set<WindowHandle> hanging_;
};

}  // namespace tevanor::testing
