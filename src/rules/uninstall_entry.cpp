#include "rules/uninstall_entry.h"

namespace tevanor {

void RepairUninstallEntry(UninstallRegistry& registry) {
  const auto key = registry.OpenEntry();
  if (!key) return;
  if (const auto data = key->ReadText("UninstallTemp", kUninstallValueCapacity))
    key->WriteText("UninstallString", *data);
}

}  // namespace tevanor
