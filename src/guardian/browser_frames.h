#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "guardian/frame_tree.h"
#include "guardian/window_inspector.h"

namespace tevanor {

// What a browser frame shows, as far as its accessibility tree tells.
struct FrameContent {
  std::string address;   // the document's address, else the address bar's; may be empty
  std::string pageText;  // the names and values of the document's text elements, bounded
};

// Reads today's browsers' frames through their accessibility trees, and keeps per frame what
// it found (the document and address bar elements, the address, the title and the page text),
// so that a frame that has not changed costs one call: its document's address. The elements
// are searched for again when the document cannot be read, and the page text is walked again
// when the address or the title changes, and otherwise at most every kRewalkMs and for one
// frame a pass, so that frames read together are not all walked again in the same pass.
class BrowserFrames {
 public:
  static constexpr std::size_t kElementLimit = 2000;    // elements read per walk
  static constexpr std::size_t kTextLimit = 64 * 1024;  // bytes of page text kept
  static constexpr std::uint64_t kRewalkMs = 3000;      // the longest a page text is kept
  static constexpr std::uint64_t kWalkBudgetMs = 500;   // the longest one walk goes on

  BrowserFrames(FrameTrees& trees, WindowInspector& windows) : trees_(trees), windows_(windows) {}

  // Reads `frame`, whose title is `title`. nullptr when one of its calls overran (the frame
  // then hangs and its elements are forgotten); otherwise valid until the next call.
  const FrameContent* Read(WindowHandle frame, const std::string& title);
  // Before every pass: forgets the frames that are gone.
  void BeginPass();

 private:
  struct Frame {
    std::unique_ptr<FrameElement> document;
    std::unique_ptr<FrameElement> addressBar;
    bool searched = false;  // the elements were searched for since the last change
    std::uint64_t searchedMs = 0;
    std::string title;
    std::uint64_t textReadMs = 0;
    FrameContent content;
  };

  // Looks for the document and the address bar (an editable text inside a toolbar) breadth
  // first from the frame's root, without entering the document; the document's address, or
  // nullopt when no document was found.
  std::optional<std::string> Search(WindowHandle handle, Frame& frame);
  // The page text of the document, breadth first within the bounds.
  void WalkText(WindowHandle handle, Frame& frame);
  bool OverBudget(std::uint64_t startMs) const {
    return windows_.MonotonicMs() - startMs >= kWalkBudgetMs;
  }

  FrameTrees& trees_;
  WindowInspector& windows_;
  std::map<WindowHandle, Frame> frames_;
  bool rewalkedThisPass_ = false;  // an unchanged frame's text was walked again
};

}  // namespace tevanor
