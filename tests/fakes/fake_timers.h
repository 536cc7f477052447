#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "base/function_ref.h"
#include "guardian/timer_service.h"

namespace tevanor::testing {

// Window timers on a virtual clock. Like real window timers they tick periodically until
// killed, and setting an armed timer restarts its period from now.
class FakeTimers final : public TimerService {
 public:
  struct Change {
    std::uint64_t at;
    unsigned id;
    std::optional<unsigned> period;  // nullopt: killed
    bool operator==(const Change&) const = default;
  };

  void SetTimer(unsigned id, unsigned milliseconds) override {
    armed_[id] = {milliseconds, now + milliseconds};
    changes.push_back({now, id, milliseconds});
  }
  void KillTimer(unsigned id) override {
    armed_.erase(id);
    changes.push_back({now, id, std::nullopt});
  }

  bool IsArmed(unsigned id) const { return armed_.count(id) != 0; }
  std::optional<unsigned> Period(unsigned id) const {
    const auto it = armed_.find(id);
    return it == armed_.end() ? std::nullopt : std::optional<unsigned>(it->second.period);
  }

  // Moves the clock forward by `milliseconds`, handing every tick that falls due to `onTick`
  // in time order (by id for ticks due at the same moment).
  void Advance(std::uint64_t milliseconds, FunctionRef<void(unsigned)> onTick) {
    const std::uint64_t end = now + milliseconds;
    for (;;) {
      auto next = armed_.end();
      for (auto it = armed_.begin(); it != armed_.end(); ++it)
        if (it->second.due <= end && (next == armed_.end() || it->second.due < next->second.due))
          next = it;
      if (next == armed_.end()) break;
      now = next->second.due;
      next->second.due = now + next->second.period;
      onTick(next->first);
    }
    now = end;
  }

  std::uint64_t now = 0;
  std::vector<Change> changes;

 private:
  struct Timer {
    unsigned period;
    std::uint64_t due;
  };
  std::map<unsigned, Timer> armed_;
};

}  // namespace tevanor::testing
