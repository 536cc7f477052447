#include "rules/phrase_store.h"

#include <vector>

#include "rules/builtin_phrases.h"
#include "rules/file_stamp.h"
#include "rules/record_reader.h"

namespace tevanor {

void PhraseStore::LoadBuiltInPhrases(std::uint8_t level) {
  const ScanPause pause(scan_);
  std::vector<PhraseEntry> rows;
  const std::size_t count = BuiltInPhraseCount(level);
  rows.reserve(count);
  for (std::size_t i = 0; i < count; ++i)
    rows.push_back({std::string(kBuiltInPhraseTable[i]), true, true});
  list_.ReplaceLibrary(std::move(rows));
}

bool PhraseStore::LoadUserWords() {
  const ScanPause pause(scan_);
  std::vector<PhraseEntry> words;
  bool complete = true;
  FinishInterruptedRewrite(files_, kWordFileName);
  if (!OpenWordFile(OpenMode::kRead) || !m_fileWords) {
    // A save in progress holds the word file: nothing to read until it is closed. Held by
    // another program, it is read once it is free; the words loaded before stay till then.
    const bool saving = m_rewriteWords != nullptr;
    if (held_.OpenFailed(saving)) return false;
    complete = !saving;  // else the file is missing
  } else {
    held_.Opened();
    if (m_fileWords->Length().value_or(1) != 0)
      complete = ReadRecords(*m_fileWords, true, [&words](std::string&& text, char end) {
        words.push_back({std::move(text), false, end == kRecordEnd});
      });
    CloseWordFile();
  }
  list_.ReplaceUser(std::move(words));
  return complete;
}

bool PhraseStore::RebuildPhraseList(std::uint8_t level) {
  const bool complete = LoadUserWords();
  LoadBuiltInPhrases(level);
  return complete;
}

bool PhraseStore::OpenWordFile(OpenMode mode) {
  if (IsWordFileOpen()) return true;
  if (mode != OpenMode::kCreateWrite) {
    m_fileWords = files_.Open(kWordFileName, mode);
    return m_fileWords != nullptr;
  }
  const ScanPause pause(scan_);
  m_rewriteWords = std::make_unique<FileRewrite>(files_, kWordFileName);
  if (!m_rewriteWords->IsOpen()) m_rewriteWords.reset();
  return m_rewriteWords != nullptr;
}

bool PhraseStore::CloseWordFile() {
  bool saved = true;
  if (m_rewriteWords) {
    const ScanPause pause(scan_);
    saved = m_rewriteWords->Commit();
    m_rewriteWords.reset();
  }
  m_fileWords.reset();
  RecordFileStamp(profile_, files_, kWordFileName);
  return saved;
}

bool PhraseStore::WriteWordRecord(std::string_view text, bool ignoreCase) {
  if (!m_rewriteWords) return false;
  const ScanPause pause(scan_);
  return m_rewriteWords->Write(RecordText(text) + (ignoreCase ? kRecordEnd : kTabEnd));
}

}  // namespace tevanor
