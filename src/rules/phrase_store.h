#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "rules/data_files.h"
#include "rules/file_rewrite.h"
#include "rules/phrase_list.h"
#include "rules/profile_store.h"
#include "rules/scan_pause.h"

namespace tevanor {

// Builds the phrase list from the built-in library and the word file "Tevanor.fil", and writes
// the word file for the filter configuration dialog. Owned by the panel beside its GuardState,
// whose phrase list it fills.
//
// The word file is a sequence of records: the bytes of one word, then 0x08 (ignore case) or
// 0x09 (case-sensitive). Words are kept exactly as stored: never trimmed, upper-cased or
// de-duplicated.
class PhraseStore {
 public:
  PhraseStore(PhraseList& list, DataDirectory& files, ProfileStore& profile, ScanTimer& scan)
      : list_(list), files_(files), profile_(profile), scan_(scan) {}

  // Replaces the built-in part with the rows `level` selects.
  void LoadBuiltInPhrases(std::uint8_t level);
  void ReleaseBuiltInPhrases() { list_.ReleaseLibrary(); }
  // Replaces the user part with the words of the word file (none when the file is missing).
  // False when the file exists but could not be read to its end; the words before the failure
  // are kept. A file held by another program leaves the words as they are, until
  // RetryHeldLoad() finds it free.
  bool LoadUserWords();
  // Loads the words again when the last load found the file held; the guardian calls it at
  // every pass.
  void RetryHeldLoad() {
    if (held_.IsFree()) LoadUserWords();
  }
  // Both parts anew: the user words first, then the built-in rows `level` selects; the walk is
  // linked as each part changes. Returns LoadUserWords' answer.
  bool RebuildPhraseList(std::uint8_t level);

  // Opens the word file in `mode` with exclusive sharing, or reports that it is open already.
  // kCreateWrite starts a new content for the file, which replaces it only when the file is
  // closed after every record was written.
  bool OpenWordFile(OpenMode mode);
  // Closes the word file and records its stamp; false when a new content could not be put in
  // place (the file keeps its old one).
  bool CloseWordFile();
  // Appends one record: the word, with 0x08 and 0x09 bytes written as spaces, and its
  // terminator. False when the file is not open for writing or a write failed.
  bool WriteWordRecord(std::string_view text, bool ignoreCase);
  bool IsWordFileOpen() const { return m_fileWords || m_rewriteWords; }

 private:
  PhraseList& list_;
  DataDirectory& files_;
  ProfileStore& profile_;
  ScanTimer& scan_;
  std::unique_ptr<DataFile> m_fileWords;        // open for loading
  std::unique_ptr<FileRewrite> m_rewriteWords;  // open for saving
  HeldFile held_{files_, kWordFileName};
};

}  // namespace tevanor
