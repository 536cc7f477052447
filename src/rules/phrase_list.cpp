#include "rules/phrase_list.h"

#include <algorithm>
#include <string>

#include "text/cp1252.h"
#include "text/normal_form.h"

namespace tevanor {

namespace {

// Two one-letter words in a row, " X Y ", for every letter of the form. Three or more, which
// the form joins, hold two; a text without them needs no look for spelled-out words.
std::vector<std::string> OneLetterPairs() {
  std::string letters;
  for (int b = 0; b < 256; ++b) {
    const unsigned char code = NormalCode(static_cast<unsigned char>(b));
    if (code > ' ' && letters.find(static_cast<char>(code)) == std::string::npos)
      letters += static_cast<char>(code);
  }
  std::vector<std::string> pairs;
  for (const char x : letters)
    for (const char y : letters) pairs.push_back({' ', x, ' ', y, ' '});
  return pairs;
}

// The pairs' id, after every phrase's.
constexpr std::uint32_t kPair = PatternAutomaton::kNone - 1;
// The pairs add about as many states as the forms of two hundred phrases: a list of fewer
// than a hundred forms, quick to build, goes without them, and every text it searches takes
// the pass for spelled-out words.
constexpr std::size_t kPairsFrom = 100;

}  // namespace

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
  m_pPhrases = chain(library_, m_pUserPhrases);

  walk_.clear();
  firstEmpty_ = PatternAutomaton::kNone;
  std::vector<PatternAutomaton::Pattern> patterns, normalPatterns, spelledPatterns;
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
  // A form of several words also goes without its spaces: spelled out one after the other,
  // its words become one.
  std::vector<std::pair<std::string, std::uint32_t>> spaceless;
  for (std::size_t i = 0; i < patterns.size(); ++i) {
    if (forms[i].empty()) continue;
    normalPatterns.push_back({forms[i], patterns[i].id});
    if (forms[i].find_first_not_of(' ', forms[i].find(' ', 1)) == std::string::npos) continue;
    std::string letters = forms[i];
    std::erase(letters, ' ');
    spaceless.emplace_back(std::move(letters), patterns[i].id);
  }
  for (const auto& [letters, id] : spaceless) spelledPatterns.push_back({letters, id});
  findsPairs_ = normalPatterns.size() >= kPairsFrom;
  const std::vector<std::string> pairs =
      findsPairs_ ? OneLetterPairs() : std::vector<std::string>();
  for (const std::string& pair : pairs) normalPatterns.push_back({pair, kPair});
  matcher_ = PatternAutomaton::Build(patterns, PatternAutomaton::Case::kUpper);
  normal_ = PatternAutomaton::Build(normalPatterns, PatternAutomaton::Case::kNormal, 1 << 18);
  // Searched only through words of a few letters: a small dense table does.
  spelled_ = PatternAutomaton::Build(spelledPatterns, PatternAutomaton::Case::kExact, 1 << 12);
}

const PhraseEntry* PhraseList::MatchPlain(std::string_view text) const {
  const std::uint32_t best = matcher_.SmallestId(text, firstEmpty_);
  return best == PatternAutomaton::kNone ? nullptr : walk_[best];
}

PhraseList::Hit PhraseList::Find(std::string_view text) const {
  // Both looks' scans in one pass; the second's result counts only when the first finds none.
  auto [plain, best] = PatternAutomaton::SmallestIds(matcher_, normal_, text, firstEmpty_);
  if (plain != PatternAutomaton::kNone) return {walk_[plain], Look::kPlain};
  if ((best != PatternAutomaton::kNone || !findsPairs_) && !normal_.Empty() && MaySpellOut(text)) {
    // The written form, and in each word it joined from spelled-out letters the phrases of
    // several words without their spaces ("p o r n o g r a t i s").
    std::vector<SpelledWord> joined;
    const std::string form = NormalForm(text, &joined);
    best = normal_.SmallestId(form);
    for (const SpelledWord& word : joined)
      best = spelled_.SmallestId(std::string_view(form).substr(word.at, word.size), best);
  }
  if (best < kPair) return {walk_[best], Look::kNormal};
  return {};
}

std::string PhraseAsCompared(const PhraseEntry& entry) {
  return entry.ignoreCase ? UpperCopy(entry.text) : entry.text;
}

}  // namespace tevanor
