#include "guardian/browser_frames.h"

#include <deque>
#include <optional>

namespace tevanor {

namespace {

// An address bar may show the address without its scheme.
std::string WithScheme(std::string address) {
  if (address.empty() || address.find("://") != std::string::npos) return address;
  return "http://" + address;
}

}  // namespace

const FrameContent* BrowserFrames::Read(WindowHandle handle, const std::string& title) {
  Frame& frame = frames_[handle];
  const std::uint64_t now = windows_.MonotonicMs();
  auto late = [&]() -> const FrameContent* {
    frames_.erase(handle);
    return nullptr;
  };
  const bool titleChanged = title != frame.title;

  // The document's address. A document that cannot be read went with its page: the elements
  // are searched for again, and so is a frame without a document when it changes, or now and
  // then.
  std::optional<std::string> address;
  if (frame.document) {
    address = frame.document->Text();
    if (trees_.Hangs(handle)) return late();
    if (!address) frame.searched = false;
  }
  const bool search =
      !address && (!frame.searched || titleChanged || now - frame.searchedMs >= kRewalkMs);
  if (search) {
    address = Search(handle, frame);
    if (trees_.Hangs(handle)) return late();
  }
  if (!address || address->empty()) {
    address.reset();
    if (frame.addressBar) {
      address = frame.addressBar->Text();
      if (trees_.Hangs(handle)) return late();
      if (!address) frame.addressBar.reset();
    }
  }

  std::string current = WithScheme(address.value_or(std::string()));
  const bool changed = search || titleChanged || current != frame.content.address;
  frame.title = title;
  frame.content.address = std::move(current);
  if (!frame.document) {
    frame.content.pageText.clear();
  } else if (changed || (!rewalkedThisPass_ && now - frame.textReadMs >= kRewalkMs)) {
    rewalkedThisPass_ = rewalkedThisPass_ || !changed;
    WalkText(handle, frame);
    if (trees_.Hangs(handle)) return late();
    frame.textReadMs = now;
  }
  return &frame.content;
}

std::optional<std::string> BrowserFrames::Search(WindowHandle handle, Frame& frame) {
  const std::uint64_t start = windows_.MonotonicMs();
  frame.searched = true;
  frame.searchedMs = start;
  frame.document.reset();
  frame.addressBar.reset();
  struct Pending {
    std::unique_ptr<FrameElement> element;
    bool inToolbar;
  };
  std::deque<Pending> queue;
  if (auto root = trees_.RootOf(handle)) queue.push_back({std::move(root), false});
  std::optional<std::string> address;
  std::size_t read = 0;
  while (!queue.empty() && !(frame.document && frame.addressBar)) {
    const Pending next = std::move(queue.front());
    queue.pop_front();
    for (FrameChild& child : next.element->Children()) {
      if (!child.element || ++read > kElementLimit) continue;
      if (child.role == ElementRole::kDocument) {
        if (frame.document) continue;
        frame.document = std::move(child.element);
        address = std::move(child.text);
      } else if (child.role == ElementRole::kEditableText && next.inToolbar) {
        if (!frame.addressBar) frame.addressBar = std::move(child.element);
      } else {
        queue.push_back(
            {std::move(child.element), next.inToolbar || child.role == ElementRole::kToolbar});
      }
    }
    if (trees_.Hangs(handle) || read >= kElementLimit || OverBudget(start)) break;
  }
  return address;
}

void BrowserFrames::WalkText(WindowHandle handle, Frame& frame) {
  const std::uint64_t start = windows_.MonotonicMs();
  std::string& text = frame.content.pageText;
  text.clear();
  std::size_t read = 0;
  std::deque<std::unique_ptr<FrameElement>> queue;
  // The texts of one element's children are joined as they are (a line of a page comes as
  // several texts), those of different elements apart.
  auto visit = [&](FrameElement& element) {
    const std::size_t before = text.size();
    for (FrameChild& child : element.Children()) {
      if (++read > kElementLimit || text.size() >= kTextLimit) break;
      if (child.role == ElementRole::kStaticText || child.role == ElementRole::kEditableText)
        text.append(child.text, 0, kTextLimit - text.size());
      if (child.element) queue.push_back(std::move(child.element));
    }
    if (text.size() > before && text.size() < kTextLimit) text += '\n';
    return !trees_.Hangs(handle) && read < kElementLimit && text.size() < kTextLimit &&
           !OverBudget(start);
  };
  if (!visit(*frame.document)) return;
  while (!queue.empty()) {
    const std::unique_ptr<FrameElement> next = std::move(queue.front());
    queue.pop_front();
    if (!visit(*next)) return;
  }
}

void BrowserFrames::BeginPass() {
  rewalkedThisPass_ = false;
  std::erase_if(frames_, [this](const auto& frame) { return !windows_.Exists(frame.first); });
}

}  // namespace tevanor
