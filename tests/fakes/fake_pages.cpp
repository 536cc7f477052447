#include "fakes/fake_pages.h"

#include <algorithm>

namespace tevanor::testing {

namespace {

class FakeDocument final : public PageDocument {
 public:
  FakeDocument(FakePageSource& source, const FakePage& page) : source_(source), page_(page) {}

  std::string Address() override { return page_.address; }
  std::string ReadyState() override { return page_.readyState; }
  std::string BodyText() override {
    if (source_.keepBodiesRead) source_.bodiesRead.push_back(page_.body);
    return page_.body;
  }
  std::optional<std::size_t> FrameCount() override {
    if (page_.framesUnavailable) return std::nullopt;
    return std::max(page_.frames.size(), page_.claimedFrames);
  }
  std::unique_ptr<PageDocument> Frame(std::size_t index) override {
    if (index >= page_.frames.size())
      return index < page_.claimedFrames ? std::make_unique<FakeDocument>(source_, page_) : nullptr;
    if (page_.frames[index].unreachable) return nullptr;
    return std::make_unique<FakeDocument>(source_, page_.frames[index]);
  }
  const void* Identity() override { return &page_; }

 private:
  FakePageSource& source_;
  const FakePage& page_;
};

class FakeSession final : public PageSession {
 public:
  explicit FakeSession(FakePageSource& source) : source_(source) {}

  std::unique_ptr<PageDocument> DocumentOf(WindowHandle browserChild) override {
    const auto it = source_.pages.find(browserChild);
    if (it == source_.pages.end()) return nullptr;
    return std::make_unique<FakeDocument>(source_, it->second);
  }
  bool Overran() const override { return false; }

 private:
  FakePageSource& source_;
};

}  // namespace

std::unique_ptr<PageSession> FakePageSource::BeginInspection() {
  if (libraryMissing) return nullptr;
  return std::make_unique<FakeSession>(*this);
}

class FakeFrameElement final : public FrameElement {
 public:
  FakeFrameElement(FakeFrameTrees& trees, WindowHandle frame, const FakeElement& node)
      : trees_(trees), frame_(frame), node_(node), generation_(trees.trees_[frame].generation) {}

  std::vector<FrameChild> Children() override {
    std::vector<FrameChild> children;
    if (trees_.Late(frame_) || Stale()) return children;
    for (const FakeElement& child : node_.children)
      children.push_back(
          {child.role, child.text, std::make_unique<FakeFrameElement>(trees_, frame_, child)});
    return children;
  }
  std::optional<std::string> Text() override {
    if (trees_.Late(frame_) || Stale()) return std::nullopt;
    return node_.text;
  }

 private:
  bool Stale() const { return trees_.trees_[frame_].generation != generation_; }

  FakeFrameTrees& trees_;
  WindowHandle frame_;
  const FakeElement& node_;  // valid while the frame shows the same tree
  int generation_;
};

void FakeFrameTrees::Show(WindowHandle frame, FakeElement root) {
  Tree& tree = trees_[frame];
  tree.root = std::move(root);
  ++tree.generation;
}

std::unique_ptr<FrameElement> FakeFrameTrees::RootOf(WindowHandle frame) {
  if (Late(frame) || !trees_.count(frame)) return nullptr;
  return std::make_unique<FakeFrameElement>(*this, frame, trees_[frame].root);
}

bool FakeFrameTrees::Late(WindowHandle frame) {
  ++calls;
  if (!hung.count(frame)) return false;
  clockMs_ += kCallLimitMs;
  hanging_.insert(frame);
  return true;
}

}  // namespace tevanor::testing
