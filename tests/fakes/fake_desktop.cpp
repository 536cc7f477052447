#include "fakes/fake_desktop.h"

namespace tevanor::testing {

namespace {

class FakeAttachment final : public InputAttachment {};

}  // namespace

class FakeProcess final : public Process {
 public:
  FakeProcess(FakeDesktop& desktop, std::uint32_t id) : desktop_(desktop), id_(id) {}
  bool Terminate() override {
    desktop_.ended.push_back(id_);
    for (std::size_t i = 0; i < desktop_.windows_.size(); ++i)
      if (desktop_.windows_[i].processId == id_) desktop_.windows_[i].exists = false;
    return true;
  }

 private:
  FakeDesktop& desktop_;
  std::uint32_t id_;
};

WindowHandle FakeDesktop::NewWindow(Window window) {
  windows_.push_back(std::move(window));
  return static_cast<WindowHandle>(windows_.size() - 1 + 0x100);
}

WindowHandle FakeDesktop::AddTopLevel(std::string className, std::string title,
                                      std::uint32_t processId) {
  Window window;
  window.className = std::move(className);
  window.title = std::move(title);
  window.processId = processId ? processId : nextProcess_++;
  window.threadId = window.processId == kOwnProcess ? kOwnThread : window.processId * 10;
  const WindowHandle handle = NewWindow(std::move(window));
  tops_.push_back(handle);
  return handle;
}

WindowHandle FakeDesktop::AddChild(WindowHandle parent, std::string className, std::string text) {
  Window window;
  window.parent = parent;
  window.className = std::move(className);
  window.title = std::move(text);
  window.processId = At(parent).processId;
  window.threadId = At(parent).threadId;
  const WindowHandle handle = NewWindow(std::move(window));
  At(parent).children.push_back(handle);
  return handle;
}

void FakeDesktop::Destroy(WindowHandle window) {
  At(window).exists = false;
  for (const WindowHandle child : At(window).children) Destroy(child);
}

void FakeDesktop::ForEachTopLevel(FunctionRef<void(WindowHandle)> visit) {
  const std::vector<WindowHandle> tops = tops_;
  for (const WindowHandle top : tops)
    if (top == kNoWindow || At(top).exists) visit(top);
}

void FakeDesktop::ForEachDescendant(WindowHandle top, FunctionRef<bool(WindowHandle)> visit) {
  if (At(top).exists) Walk(At(top).children, visit);
}

bool FakeDesktop::Walk(const std::vector<WindowHandle>& children,
                       FunctionRef<bool(WindowHandle)> visit) {
  std::vector<WindowHandle> listed;  // the list as it stands when this level is reached
  for (const WindowHandle child : children)
    if (At(child).exists) listed.push_back(child);
  for (const WindowHandle child : listed)
    if (!visit(child) || !Walk(At(child).children, visit)) return false;
  return true;
}

FakeDesktop::Window* FakeDesktop::Ask(WindowHandle window) {
  if (window == kNoWindow) return nullptr;
  Window& w = At(window);
  if (w.exists && w.questionsLeft >= 0 && w.questionsLeft-- == 0) Destroy(window);
  return w.exists ? &w : nullptr;
}

std::optional<std::string> FakeDesktop::ClassName(WindowHandle window) {
  const Window* w = Ask(window);
  if (!w) return std::nullopt;
  return w->className.substr(0, kClassNameCapacity - 1);
}

std::string FakeDesktop::Title(WindowHandle window) {
  const Window* w = Ask(window);
  return w ? w->title : std::string();
}

WindowOwner FakeDesktop::Owner(WindowHandle window) {
  const Window* w = Ask(window);
  return w ? WindowOwner{w->processId, w->threadId} : WindowOwner{};
}

bool FakeDesktop::Exists(WindowHandle window) {
  return Ask(window) != nullptr;
}

std::unique_ptr<InputAttachment> FakeDesktop::AttachInput(WindowHandle window) {
  const Window* w = Ask(window);
  if (!w || w->threadId == kOwnThread) return nullptr;
  return std::make_unique<FakeAttachment>();
}

std::optional<std::string> FakeDesktop::ControlText(WindowHandle control) {
  textsAsked.push_back(control);
  const Window* w = Ask(control);
  if (w && w->hung) nowMs += kAnswerLimitMs;
  if (!w || w->hung) return std::nullopt;
  return w->title;
}

void FakeDesktop::PostCloseCommand(WindowHandle window) {
  closeRequests.push_back(window);
  if (closeRequestsObeyed) Destroy(window);
}

std::unique_ptr<Process> FakeDesktop::Open(std::uint32_t processId) {
  if (processId == 0 || unopenable.count(processId)) return nullptr;
  for (const Window& w : windows_)
    if (w.processId == processId && w.exists)
      return std::make_unique<FakeProcess>(*this, processId);
  return nullptr;  // the program has ended
}

}  // namespace tevanor::testing
