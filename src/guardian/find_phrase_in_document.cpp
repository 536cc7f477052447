#include "guardian/find_phrase_in_document.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace tevanor {

namespace {

// One search through a page and its frames. A page decides how many frames it claims and what
// their documents are, so the walk is bounded: frames read per document, depth, and documents in
// all; a document met again (a frame that shows its own page) is not searched twice.
class FrameWalk {
 public:
  FrameWalk(const PhraseList& phrases, std::string& result) : phrases_(phrases), result_(result) {}

  void Search(PageDocument& document, std::size_t depth) {
    if (!result_.empty()) return;
    const auto frames = document.FrameCount();
    if (!frames) return;
    if (document.ReadyState() != "complete") return;
    if (const std::string text = document.BodyText(); !text.empty()) {
      if (const PhraseEntry* hit = phrases_.Match(text)) {
        result_ = hit->text;
        return;
      }
    }
    if (depth == kFrameDepthLimit) return;
    // Once a phrase is found the remaining frames could not change the answer: fetching their
    // documents would only cost calls into the browser's process.
    const std::size_t count = std::min(*frames, kFramesPerDocumentLimit);
    // The top page's identity matters only to its frames: a page without any costs no call.
    if (count != 0 && depth == 0) FirstVisit(document);
    for (std::size_t i = 0; i < count && result_.empty() && seen_.size() < kDocumentLimit; ++i) {
      auto frame = document.Frame(i);
      if (!frame || !FirstVisit(*frame)) continue;
      Search(*frame, depth + 1);
      // Kept until the search ends, so that no other document can take its identity.
      seen_.push_back(std::move(frame));
    }
  }

 private:
  bool FirstVisit(PageDocument& document) {
    const void* identity = document.Identity();
    if (!identity) return true;
    if (std::find(identities_.begin(), identities_.end(), identity) != identities_.end())
      return false;
    identities_.push_back(identity);
    return true;
  }

  const PhraseList& phrases_;
  std::string& result_;
  std::vector<const void*> identities_;
  std::vector<std::unique_ptr<PageDocument>> seen_;
};

}  // namespace

void FindPhraseInDocument(PageDocument& document, const PhraseList& phrases, std::string& result) {
  FrameWalk(phrases, result).Search(document, 0);
}

}  // namespace tevanor
