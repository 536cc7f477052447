// Any word file: loading it never fails badly, saving the loaded words and loading again gives
// the same words, and the loaded list matches the same bytes, taken as a text, as the plain walk.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fakes/fake_data_directory.h"
#include "fakes/fake_profile.h"
#include "fakes/fake_scan_timer.h"
#include "fakes/plain_match.h"
#include "rules/phrase_store.h"

namespace {

using Words = std::vector<std::pair<std::string, bool>>;

Words Loaded(const tevanor::PhraseList& list) {
  Words words;
  for (const tevanor::PhraseEntry* e = list.FirstUser(); e; e = e->next)
    words.emplace_back(e->text, e->ignoreCase);
  return words;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tevanor;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  testing::FakeDataDirectory files;
  testing::FakeProfile profile;
  testing::FakeScanTimer timer;
  PhraseList list;
  PhraseStore store(list, files, profile, timer);

  files.Put(kWordFileName, bytes);
  if (!store.LoadUserWords()) __builtin_trap();
  const Words first = Loaded(list);
  if (list.Match(bytes) != PlainMatchPhrase(list.First(), bytes)) __builtin_trap();

  if (!store.OpenWordFile(OpenMode::kCreateWrite)) __builtin_trap();
  for (const auto& [text, ignoreCase] : first)
    if (!store.WriteWordRecord(text, ignoreCase)) __builtin_trap();
  if (!store.CloseWordFile()) __builtin_trap();
  store.LoadUserWords();
  if (Loaded(list) != first) __builtin_trap();
  return 0;
}
