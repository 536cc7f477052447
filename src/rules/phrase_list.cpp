#include "rules/phrase_list.h"

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
}

const PhraseEntry* PhraseList::Match(std::string_view text) const {
  const std::string upper = UpperCopy(text);
  for (const PhraseEntry* e = m_pPhrases; e; e = e->next) {
    const bool found = e->ignoreCase ? upper.find(UpperCopy(e->text)) != std::string::npos
                                     : text.find(e->text) != std::string_view::npos;
    if (found) return e;
  }
  return nullptr;
}

std::string PhraseAsCompared(const PhraseEntry& entry) {
  return entry.ignoreCase ? UpperCopy(entry.text) : entry.text;
}

}  // namespace tevanor
