#include "rules/phrase_list.h"

#include <algorithm>

#include "text/cp1252.h"
#include "text/normal_form.h"

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
  std::vector<PatternAutomaton::Pattern> patterns, normalPatterns;
  std::vector<std::string> forms;
  for (const PhraseEntry* e = m_pPhrases; e; e = e->next) {
    const auto id = static_cast<std::uint32_t>(walk_.size());
    walk_.push_back(e);
    if (e->text.empty()) {
      firstEmpty_ = std::min(firstEmpty_, id);
      continue;
    }
    patterns.push_back({e->text, id, !e->ignoreCase});
    // A form without a letter ("--", "¿?") would stand for every separator.
    if (std::string form = NormalForm(e->text);
        e->ignoreCase && form.find_first_not_of(' ') != std::string::npos)
      forms.push_back(std::move(form));
    else
      forms.emplace_back();
  }
  for (std::size_t i = 0; i < patterns.size(); ++i)
    if (!forms[i].empty()) normalPatterns.push_back({forms[i], patterns[i].id});
  matcher_ = PatternAutomaton::Build(patterns, PatternAutomaton::Case::kUpper);
  normal_ = PatternAutomaton::Build(normalPatterns, PatternAutomaton::Case::kExact);
}

const PhraseEntry* PhraseList::MatchPlain(std::string_view text) const {
  const std::uint32_t best = matcher_.SmallestId(text, firstEmpty_);
  return best == PatternAutomaton::kNone ? nullptr : walk_[best];
}

PhraseList::Hit PhraseList::Find(std::string_view text) const {
  if (const PhraseEntry* plain = MatchPlain(text)) return {plain, Look::kPlain};
  if (normal_.Empty()) return {};
  const std::uint32_t best = normal_.SmallestId(NormalForm(text));
  if (best != PatternAutomaton::kNone) return {walk_[best], Look::kNormal};
  return {};
}

std::string PhraseAsCompared(const PhraseEntry& entry) {
  return entry.ignoreCase ? UpperCopy(entry.text) : entry.text;
}

}  // namespace tevanor
