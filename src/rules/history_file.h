#pragma once

#include <string>
#include <string_view>

#include "base/clock.h"
#include "rules/data_files.h"

namespace tevanor {

// One block as the history file holds it: three fields, each followed by the byte 0x08.
struct BlockRecord {
  std::string siteText;  // page address, window title or mail-reader label
  std::string time;      // "%H:%M-%d/%m/%Y"
  std::string cause;     // a fixed cause text or the phrase that matched
};

// "%H:%M-%d/%m/%Y", every number zero-padded: always 16 characters, e.g. 21:07-05/12/2002.
std::string FormatBlockTime(const LocalTime& time);

// Appends one record to "Tevanor.his", creating the file when it is missing. `historyOpen` is 1
// while the file is open. A 0x08 inside a field would end that field early on reading and shift
// every later record, so it is written as a space. False when the file could not be opened or
// a write failed; nothing is reported to the user either way.
bool AppendBlockRecord(DataDirectory& files, const BlockRecord& record, int& historyOpen);

}  // namespace tevanor
