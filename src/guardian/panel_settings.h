#pragma once

#include <string_view>

#include "guardian/guard_state.h"
#include "rules/profile_store.h"
#include "rules/uninstall_entry.h"

namespace tevanor {

// The prompts the panel shows while it reads its settings on a first run, or when the stored
// password is gone.
class FirstRunPrompts {
 public:
  virtual ~FirstRunPrompts() = default;
  virtual void ShowWelcome() = 0;
  virtual void ShowInformation(std::string_view text) = 0;
  // Runs the password prompt in new-password mode; it ends only once a password is stored.
  virtual void RunNewPasswordPrompt() = 0;
};

// The guardian's level and switches as the profile holds them: the level's low 8 bits, the
// built-in-sites switch and the two chat switches (any nonzero value is on).
void ReadGuardSettings(GuardState& state, ProfileStore& profile);

// What the panel does with its settings when it starts, in this order: repair the uninstall
// entry; read the level (low 8 bits), the built-in-sites switch and the two chat switches;
// on a first run clear the flag, welcome the parent and ask for a password; ask for one too
// when none is stored. The caller builds the phrase and site lists afterwards.
// With a password stored for the whole computer (`machinePassword`) no password is asked for,
// and an account that has never run the program and has none of its own is welcomed once.
void ReadPanelSettings(GuardState& state, ProfileStore& profile, UninstallRegistry& registry,
                       FirstRunPrompts& prompts, bool machinePassword);

}  // namespace tevanor
