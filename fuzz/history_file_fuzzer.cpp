// Any history file: loading it never fails badly, and appending the loaded records, oldest
// first, to an empty history gives a file that loads as the same records.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fakes/fake_data_directory.h"
#include "rules/history_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tevanor;
  testing::FakeDataDirectory files;
  files.Put(kHistoryFileName, std::string(reinterpret_cast<const char*>(data), size));
  const auto loaded = LoadHistoryList(files);
  if (files.IsOpen(kHistoryFileName)) __builtin_trap();
  if (!loaded || loaded->empty()) return 0;

  const std::vector<BlockRecord> rows = loaded->ToRecords();
  testing::FakeDataDirectory copy;
  for (auto row = rows.rbegin(); row != rows.rend(); ++row)
    if (!AppendBlockRecords(copy, {*row})) __builtin_trap();
  const auto reloaded = LoadHistoryList(copy);
  if (!reloaded || reloaded->ToRecords() != rows) __builtin_trap();
  return 0;
}
