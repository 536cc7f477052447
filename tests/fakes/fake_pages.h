#pragma once

#include <algorithm>
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
  std::unique_ptr<PageSession> BeginInspection() override {
    if (libraryMissing) return nullptr;
    return std::make_unique<Session>(*this);
  }

  std::map<WindowHandle, FakePage> pages;  // the children that answer, and what they show
  bool libraryMissing = false;
  std::vector<std::string> bodiesRead;  // the bodies searched, in order
  bool keepBodiesRead = true;           // off for benchmarks

 private:
  class Document final : public PageDocument {
   public:
    Document(FakePageSource& source, const FakePage& page) : source_(source), page_(page) {}
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
        return index < page_.claimedFrames ? std::make_unique<Document>(source_, page_) : nullptr;
      if (page_.frames[index].unreachable) return nullptr;
      return std::make_unique<Document>(source_, page_.frames[index]);
    }
    const void* Identity() override { return &page_; }

   private:
    FakePageSource& source_;
    const FakePage& page_;
  };
  class Session final : public PageSession {
   public:
    explicit Session(FakePageSource& source) : source_(source) {}
    std::unique_ptr<PageDocument> DocumentOf(WindowHandle browserChild) override {
      const auto it = source_.pages.find(browserChild);
      if (it == source_.pages.end()) return nullptr;
      return std::make_unique<Document>(source_, it->second);
    }
    bool Overran() const override { return false; }

   private:
    FakePageSource& source_;
  };
};

// An element of a browser frame's accessibility tree.
struct FakeElement {
  ElementRole role = ElementRole::kOther;
  std::string text;
  std::vector<FakeElement> children = {};
};

// The accessibility trees of browser frames in memory. The calls into a hung frame overrun:
// each costs the clock one answer limit and leaves the frame hanging until it is taken out of
// `hung`.
class FakeFrameTrees final : public FrameTrees {
 public:
  static constexpr std::uint64_t kCallLimitMs = 1000;
  explicit FakeFrameTrees(std::uint64_t& clockMs) : clockMs_(clockMs) {}

  // `frame` shows a new tree: the elements of its old one cannot be read any more.
  void Show(WindowHandle frame, FakeElement root) {
    Tree& tree = trees_[frame];
    tree.root = std::move(root);
    ++tree.generation;
  }
  // The tree `frame` shows, to change in place (a new address or text on the same page).
  FakeElement& Root(WindowHandle frame) { return trees_[frame].root; }

  std::unique_ptr<FrameElement> RootOf(WindowHandle frame) override {
    if (Late(frame) || !trees_.count(frame)) return nullptr;
    return std::make_unique<Element>(*this, frame, trees_[frame].root);
  }
  bool Hangs(WindowHandle frame) override { return hanging_.count(frame) && hung.count(frame); }

  std::set<WindowHandle> hung;  // frames whose calls never return

 private:
  class Element final : public FrameElement {
   public:
    Element(FakeFrameTrees& trees, WindowHandle frame, const FakeElement& node)
        : trees_(trees), frame_(frame), node_(node), generation_(trees.trees_[frame].generation) {}
    std::vector<FrameChild> Children() override {
      std::vector<FrameChild> children;
      if (trees_.Late(frame_) || Stale()) return children;
      for (const FakeElement& child : node_.children)
        children.push_back(
            {child.role, child.text, std::make_unique<Element>(trees_, frame_, child)});
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
  struct Tree {
    FakeElement root;
    int generation = 0;
  };
  // Whether a call into `frame` overran.
  bool Late(WindowHandle frame) {
    if (!hung.count(frame)) return false;
    clockMs_ += kCallLimitMs;
    hanging_.insert(frame);
    return true;
  }

  std::uint64_t& clockMs_;
  std::map<WindowHandle, Tree> trees_;
  std::set<WindowHandle> hanging_;
};

}  // namespace tevanor::testing
