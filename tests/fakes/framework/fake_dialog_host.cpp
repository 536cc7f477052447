#include "fakes/framework/fake_dialog_host.h"

#include <algorithm>
#include <stdexcept>

namespace tevanor::testing {

namespace {

bool Has(const FakeWindow& window, int id) {
  return window.dialog().Layout().Find(id) != nullptr;
}

}  // namespace

// Windows and dialogs that are gone stay in memory until no handler is running any more, as
// a handler may destroy its own window and return through it.
class FakeDialogHost::DispatchScope {
 public:
  explicit DispatchScope(FakeDialogHost& host) : host_(host) { ++host_.depth_; }
  ~DispatchScope() {
    if (--host_.depth_ != 0) return;
    host_.goneWindows_.clear();
    host_.goneDialogs_.clear();
  }
  DispatchScope(const DispatchScope&) = delete;
  DispatchScope& operator=(const DispatchScope&) = delete;

 private:
  FakeDialogHost& host_;
};

FakeDialogHost::FakeDialogHost() = default;

FakeDialogHost::~FakeDialogHost() {
  DispatchScope scope(*this);
  while (!windows_.empty()) DestroyWindow(*windows_.back());
}

FakeWindow* FakeDialogHost::Live(std::uint64_t serial) const {
  for (const auto& window : windows_)
    if (window->serial() == serial) return window.get();
  return nullptr;
}

FakeWindow& FakeDialogHost::WindowOf(const Dialog& dialog) const {
  for (const auto& window : windows_)
    if (&window->dialog() == &dialog) return *window;
  throw std::logic_error("dialog " + std::to_string(dialog.Layout().id) + " has no window");
}

std::vector<Dialog*> FakeDialogHost::Dialogs(int templateId) const {
  std::vector<Dialog*> found;
  for (const auto& window : windows_)
    if (window->dialog().Layout().id == templateId) found.push_back(&window->dialog());
  return found;
}

FakeWindow* FakeDialogHost::Create(Dialog& dialog, bool modal) {
  if (dialog.HasWindow())
    throw std::logic_error("dialog " + std::to_string(dialog.Layout().id) +
                           " already has a window");
  DispatchScope scope(*this);
  const std::uint64_t serial = nextSerial_++;
  windows_.push_back(std::make_unique<FakeWindow>(*this, dialog, serial, modal));
  FakeWindow& window = *windows_.back();
  Attach(dialog, window);
  try {
    Initialise(dialog);
  } catch (...) {
    if (Live(serial) != nullptr) RemoveWindow(window);
    throw;
  }
  return Live(serial);
}

Dialog* FakeDialogHost::CreateModeless(std::unique_ptr<Dialog> dialog, Dialog*) {
  DispatchScope scope(*this);
  Dialog* const created = dialog.get();
  owned_.emplace_back(nextSerial_, std::move(dialog));
  FakeWindow* window = Create(*created, false);
  if (window == nullptr) {
    // Never created, or destroyed during its initialisation: release the dialog.
    const auto it = std::find_if(owned_.begin(), owned_.end(),
                                 [&](const auto& entry) { return entry.second.get() == created; });
    if (it != owned_.end()) {
      goneDialogs_.push_back(std::move(it->second));
      owned_.erase(it);
    }
    return nullptr;
  }
  if ((created->Layout().style & kVisibleAtCreation) != 0) window->Show(true);
  return Live(window->serial()) != nullptr ? created : nullptr;
}

int FakeDialogHost::RunModal(Dialog& dialog, Dialog*) {
  DispatchScope scope(*this);
  FakeWindow* window = Create(dialog, true);
  if (window == nullptr) return -1;
  const std::uint64_t serial = window->serial();
  if (!window->ended()) window->Show(true);
  Frame frame;
  frame.window = window;
  frames_.push_back(&frame);
  try {
    Loop(frame, "dialog " + std::to_string(dialog.Layout().id));
  } catch (...) {
    // The test fails; take the window away without running more of the dialog's code.
    frames_.pop_back();
    if (Live(serial) != nullptr) RemoveWindow(*window);
    throw;
  }
  frames_.pop_back();
  const int result = window->result();
  if (Live(serial) != nullptr) DestroyWindow(*window);
  return result;
}

int FakeDialogHost::ShowMessage(Dialog*, std::string_view text, MessageButtons buttons) {
  DispatchScope scope(*this);
  messages_.push_back({std::string(text)});
  Frame frame;
  frame.buttons = buttons;
  frames_.push_back(&frame);
  try {
    Loop(frame, "the message box \"" + std::string(text) + "\"");
  } catch (...) {
    frames_.pop_back();
    throw;
  }
  frames_.pop_back();
  return *frame.answer;
}

void FakeDialogHost::Loop(const Frame& frame, const std::string& what) {
  for (;;) {
    const bool done = frame.window != nullptr
                          ? frame.window->ended() || Live(frame.window->serial()) == nullptr
                          : frame.answer.has_value();
    if (done) return;
    if (!Step())
      throw std::runtime_error(what + " waits for input that the test script does not give (at " +
                               std::to_string(now_) + " ms)");
  }
}

void FakeDialogHost::DestroyWindow(FakeWindow& window) {
  if (window.destroying_) return;
  DispatchScope scope(*this);
  window.destroying_ = true;
  Destroying(window.dialog());
  RemoveWindow(window);
}

void FakeDialogHost::RemoveWindow(FakeWindow& window) {
  const std::uint64_t serial = window.serial();
  if (window.modal() && !window.ended()) window.ended_ = true;
  std::erase_if(timers_, [&](const Timer& t) { return t.window == serial; });
  std::erase_if(posted_, [&](const Posted& p) { return p.window == serial; });
  Detach(window.dialog());
  const auto it = std::find_if(windows_.begin(), windows_.end(),
                               [&](const auto& w) { return w.get() == &window; });
  goneWindows_.push_back(std::move(*it));
  windows_.erase(it);
  const auto owned = std::find_if(owned_.begin(), owned_.end(),
                                  [&](const auto& entry) { return entry.first == serial; });
  if (owned != owned_.end()) {
    goneDialogs_.push_back(std::move(owned->second));
    owned_.erase(owned);
  }
}

std::optional<std::intptr_t> FakeDialogHost::Dispatch(FakeWindow& window, DialogEvent event) {
  DispatchScope scope(*this);
  const std::uint64_t serial = window.serial();
  if (Live(serial) == nullptr) return std::nullopt;
  const auto result = Deliver(window.dialog(), event);
  if (result || Live(serial) == nullptr) return result;
  // The dialog manager's defaults: the close command closes, and closing cancels.
  if (const auto* sys = std::get_if<SysCommand>(&event); sys && sys->close)
    return Dispatch(window, CloseRequest{});
  if (std::holds_alternative<CloseRequest>(event))
    return Dispatch(window,
                    Command{kIdCancel, ControlNotification::kClicked, Has(window, kIdCancel)});
  return std::nullopt;
}

void FakeDialogHost::SetTimer(FakeWindow& window, unsigned id, unsigned milliseconds) {
  const unsigned period = std::max(milliseconds, 10u);  // as USER_TIMER_MINIMUM
  KillTimer(window.serial(), id);
  timers_.push_back({window.serial(), id, period, now_ + period, nextTimerOrder_++});
}

void FakeDialogHost::KillTimer(std::uint64_t window, unsigned id) {
  std::erase_if(timers_, [&](const Timer& t) { return t.window == window && t.id == id; });
}

bool FakeDialogHost::Step() {
  if (!posted_.empty()) {
    Posted posted = std::move(posted_.front());
    posted_.pop_front();
    if (FakeWindow* window = Live(posted.window)) Dispatch(*window, std::move(posted.event));
    return true;
  }
  if (waiting_) {
    const auto next = std::min_element(timers_.begin(), timers_.end(), [](auto& a, auto& b) {
      return a.due != b.due ? a.due < b.due : a.order < b.order;
    });
    if (next == timers_.end() || next->due > waitUntil_) {
      now_ = waitUntil_;
      waiting_ = false;
      return true;
    }
    now_ = next->due;
    next->due = now_ + next->period;
    const Timer tick = *next;
    if (FakeWindow* window = Live(tick.window)) Dispatch(*window, TimerTick{tick.id});
    return true;
  }
  if (!script_.empty()) {
    const std::function<void()> step = std::move(script_.front());
    script_.pop_front();
    DispatchScope scope(*this);
    step();
    return true;
  }
  return false;
}

void FakeDialogHost::Run() {
  if (!frames_.empty()) throw std::logic_error("Run() inside a modal run: use Then() steps");
  DispatchScope scope(*this);
  while (Step()) {
  }
}

FakeDialogHost& FakeDialogHost::Add(std::function<void()> step) {
  script_.push_back(std::move(step));
  return *this;
}

FakeWindow& FakeDialogHost::Target(Dialog* target) const {
  if (target != nullptr) return WindowOf(*target);
  if (!frames_.empty()) {
    if (frames_.back()->window == nullptr)
      throw std::logic_error("a message box is up: the script must answer it first");
    return *frames_.back()->window;
  }
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it)
    if ((*it)->IsVisible()) return **it;
  throw std::logic_error("no window is on screen for the script's next step");
}

FakeControl& FakeDialogHost::UserControl(FakeWindow& window, int id, const char* action) const {
  FakeControl& control = window.Mutable(id);
  if (!window.IsVisible() || !control.visible)
    throw std::logic_error("cannot " + std::string(action) + " control " + std::to_string(id) +
                           " of " + "dialog " + std::to_string(window.dialog().Layout().id) +
                           ": it is not on screen");
  return control;
}

FakeDialogHost& FakeDialogHost::Type(int editId, std::string text, Dialog* target) {
  return Add([this, editId, text = std::move(text), target] {
    FakeWindow& window = Target(target);
    UserControl(window, editId, "type into");
    window.SetControlText(editId, text);
  });
}

FakeDialogHost& FakeDialogHost::Click(int buttonId, Dialog* target) {
  return Add([this, buttonId, target] {
    FakeWindow& window = Target(target);
    FakeControl& control = UserControl(window, buttonId, "click");
    switch (control.layout->kind) {
      case ControlKind::kPushButton:
      case ControlKind::kDefaultButton:
        break;
      case ControlKind::kCheckBox:
        control.checked = !control.checked;
        break;
      case ControlKind::kRadioButton:
        window.CheckRadio(control);
        break;
      default:
        window.Misuse(buttonId, "only buttons can be clicked");
    }
    Dispatch(window, Command{buttonId, ControlNotification::kClicked, true});
  });
}

FakeDialogHost& FakeDialogHost::PressEnter(Dialog* target) {
  return Add([this, target] {
    FakeWindow& window = Target(target);
    int id = kIdOk;
    for (const ControlTemplate& c : window.dialog().Layout().controls)
      if (c.kind == ControlKind::kDefaultButton) {
        id = c.id;
        break;
      }
    Dispatch(window, Command{id, ControlNotification::kClicked, Has(window, id)});
  });
}

FakeDialogHost& FakeDialogHost::PressEscape(Dialog* target) {
  return Add([this, target] {
    FakeWindow& window = Target(target);
    Dispatch(window, Command{kIdCancel, ControlNotification::kClicked, Has(window, kIdCancel)});
  });
}

FakeDialogHost& FakeDialogHost::PressAltF4(Dialog* target) {
  return Add([this, target] { Dispatch(Target(target), SysCommand{0, true}); });
}

FakeDialogHost& FakeDialogHost::Answer(int button) {
  return Add([this, button] {
    if (frames_.empty() || frames_.back()->window != nullptr)
      throw std::logic_error("the script answers a message box, but none is up");
    Frame& box = *frames_.back();
    const bool valid =
        box.buttons == MessageButtons::kOk ? button == kIdOk : button == kIdYes || button == kIdNo;
    if (!valid) throw std::logic_error("the message box has no button " + std::to_string(button));
    box.answer = button;
  });
}

FakeDialogHost& FakeDialogHost::Wait(std::uint64_t milliseconds) {
  return Add([this, milliseconds] {
    waitUntil_ = now_ + milliseconds;
    waiting_ = true;
  });
}

FakeDialogHost& FakeDialogHost::Then(std::function<void()> step) {
  return Add(std::move(step));
}

}  // namespace tevanor::testing
