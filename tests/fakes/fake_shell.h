#pragma once

#include <string>
#include <vector>

#include "app/instance_lock.h"
#include "shell/exit_hot_key.h"
#include "shell/panel_frame.h"
#include "shell/shell_open.h"
#include "shell/tray_icon.h"

// Fakes of the shell's services: each holds what the real one would show.
namespace tevanor::testing {

class FakeTrayIcon final : public TrayIcon {
 public:
  void Add(Image, std::string_view) override { shown = true; }
  void Modify(Image, std::string_view) override {}
  void Delete() override { shown = false; }
  bool IsButtonPress(std::intptr_t notification) const override {
    return notification == kLeftPress;
  }
  static constexpr std::intptr_t kLeftPress = 1;

  bool shown = false;
};

class FakeExitHotKey final : public ExitHotKey {
 public:
  void Register() override { held = true; }
  void Unregister() override { held = false; }
  bool held = false;
};

class FakePanelFrame final : public PanelFrame {
 public:
  void SetMainIcon() override {}
  void AppendSystemMenuItem(unsigned, std::string_view) override {}
  ScreenRect Rect() override { return rect; }
  void MoveTo(const ScreenRect& r) override { rect = r; }
  void BringToFront() override {}

  ScreenRect rect{100, 80, 580, 530};
};

class FakeShellOpen final : public ShellOpen {
 public:
  bool Open(std::string_view target, std::string_view parameters) override {
    opened.push_back(std::string(target) + (parameters.empty() ? "" : " ") +
                     std::string(parameters));
    return succeeds;
  }
  std::vector<std::string> opened;
  bool succeeds = true;
};

class FakeInstanceLock final : public InstanceLock {
 public:
  bool Acquire() override { return !heldElsewhere; }
  bool heldElsewhere = false;
};

}  // namespace tevanor::testing
