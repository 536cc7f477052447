#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "rules/pattern_automaton.h"

namespace tevanor {

// One forbidden phrase of the walk.
struct PhraseEntry {
  std::string text;        // Windows-1252; may be empty (a user word from the file)
  bool builtIn = false;    // taken from the built-in library
  bool ignoreCase = true;  // phrase and text are both upper-cased before the search
  PhraseEntry* next = nullptr;
};

// The phrases every phrase test walks: the selected built-in rows, then the parent's words.
// The two parts are owned separately and rebuilt separately; the walk runs through the built-in
// part and continues with the user part. Entries keep their addresses until their part is
// replaced or released, so a dialog may hold them as row data while it is open.
class PhraseList {
 public:
  PhraseList() = default;
  PhraseList(const PhraseList&) = delete;
  PhraseList& operator=(const PhraseList&) = delete;

  void ReplaceLibrary(std::vector<PhraseEntry> entries);
  void ReplaceUser(std::vector<PhraseEntry> entries);
  void ReleaseLibrary() { ReplaceLibrary({}); }

  const PhraseEntry* First() const { return m_pPhrases; }
  const PhraseEntry* FirstUser() const { return m_pUserPhrases; }

  // Which look found a phrase.
  enum class Look {
    kPlain,   // the text holds the phrase byte for byte (upper-cased where the entry says)
    kNormal,  // the text's normal form holds the phrase's (text/normal_form.h)
  };
  struct Hit {
    const PhraseEntry* entry = nullptr;
    Look look = Look::kPlain;
  };

  // The first entry of the walk that occurs in `text` (upper-cased copies for an ignore-case
  // entry; an empty phrase occurs in every text). When none does, the first ignore-case entry
  // whose normal form occurs in the text's normal form. One pass over the text, or its form,
  // finds every candidate; the answer is the same as walking the entries one by one.
  Hit Find(std::string_view text) const;
  // The plain look alone.
  const PhraseEntry* MatchPlain(std::string_view text) const;
  const PhraseEntry* Match(std::string_view text) const { return Find(text).entry; }
  // Bytes held by the one-pass matchers.
  std::size_t MatcherBytes() const {
    return matcher_.MemoryBytes() + normal_.MemoryBytes() + spelled_.MemoryBytes();
  }

 private:
  void Link();

  std::vector<PhraseEntry> library_;
  std::vector<PhraseEntry> user_;
  PhraseEntry* m_pUserPhrases = nullptr;
  // The walk's head: the built-in part's first entry, or the user part's when it is empty.
  PhraseEntry* m_pPhrases = nullptr;

  // Built by Link(): the walk by position, one automaton over the upper-cased phrases (ids are
  // walk positions; case-sensitive ones are confirmed byte for byte), and the first empty
  // phrase; and one over the normal forms of the ignore-case phrases, ids as in the walk,
  // searched over the text as its form would be, or over its written form when the text may
  // spell a word out; in a list of many phrases it also finds two one-letter words in a row,
  // without which no text does (findsPairs_). A case-sensitive word asks for its letters as
  // written, which the normal form does not keep.
  std::vector<const PhraseEntry*> walk_;
  PatternAutomaton matcher_;
  PatternAutomaton normal_;
  bool findsPairs_ = false;
  // The forms of several words without their spaces, ids as in the walk, for the words that
  // the form joins from spelled-out letters.
  PatternAutomaton spelled_;
  std::uint32_t firstEmpty_ = PatternAutomaton::kNone;
};

// The phrase as the guardian reports it when it compared upper-cased copies.
std::string PhraseAsCompared(const PhraseEntry& entry);

}  // namespace tevanor
