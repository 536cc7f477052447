#include "rules/phrase_list.h"

#include <algorithm>

#include "text/cp1252.h"

namespace tevanor {

void PhraseList::ReplaceLibrary(std::vector<PhraseEntry> entries) {
  library_ = std::move(entries);
  Link();
}

void PhraseList::ReplaceUser(std::vector<PhraseEntry> entries) {
  user_ = std::move(entries);
  Link();
}

void PhraseList::Link() {
  auto chain = [](std::vector<PhraseEntry>& part, PhraseEntry* after) -> PhraseEntry* {
    for (std::size_t i = part.size(); i-- > 0;) {
      part[i].next = after;
      after = &part[i];
    }
    return after;
  };
  m_pUserPhrases = chain(user_, nullptr);
  m_pLibraryPhrases = chain(library_, m_pUserPhrases);
  m_pPhrases = m_pLibraryPhrases;

  walk_.clear();
  firstEmpty_ = PatternAutomaton::kNone;
  std::vector<PatternAutomaton::Pattern> patterns;
  for (const PhraseEntry* e = m_pPhrases; e; e = e->next) {
    const auto id = static_cast<std::uint32_t>(walk_.size());
    walk_.push_back(e);
    if (e->text.empty())
      firstEmpty_ = std::min(firstEmpty_, id);
    else
      patterns.push_back({e->text, id, !e->ignoreCase});
  }
  matcher_ = PatternAutomaton::Build(patterns, PatternAutomaton::Case::kUpper);
}

const PhraseEntry* PhraseList::Match(std::string_view text) const {
  const std::uint32_t best = matcher_.SmallestId(text, firstEmpty_);
  return best == PatternAutomaton::kNone ? nullptr : walk_[best];
}

std::string PhraseAsCompared(const PhraseEntry& entry) {
  return entry.ignoreCase ? UpperCopy(entry.text) : entry.text;
}

}  // namespace tevanor
