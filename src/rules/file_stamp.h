#pragma once

#include <string_view>

#include "rules/data_files.h"
#include "rules/profile_store.h"

namespace tevanor {

// Copies a data file's last-write time into the profile as two values, name + "L" and
// name + "H", each half read as a signed 32-bit integer. A file that is gone resets a stored
// stamp (both halves non-zero) to 0 and 0, and leaves an unset stamp alone. Returns whether
// the profile now holds what the file says.
bool RecordFileStamp(ProfileStore& profile, DataDirectory& files, std::string_view fileName);

}  // namespace tevanor
