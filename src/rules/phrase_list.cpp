#include "rules/phrase_list.h"

#include <algorithm>
#include <string>

#include "text/cp1252.h"
#include "text/normal_form.h"

namespace tevanor {

namespace {

// Three one-letter words in a row, " X Y Z ", for every letter of the form: the second look
// searches the text as its form would be, except that the form joins spelled-out words; a text
// that holds one of these takes the form itself.
std::vector<std::string> SpelledOutTriples() {
  std::string letters;
  for (int b = 0; b < 256; ++b) {
    const unsigned char code = NormalCode(static_cast<unsigned char>(b));
    if (code > ' ' && letters.find(static_cast<char>(code)) == std::string::npos)
      letters += static_cast<char>(code);
  }
  std::vector<std::string> triples;
  for (const char x : letters)
    for (const char y : letters)
      for (const char z : letters) triples.push_back({' ', x, ' ', y, ' ', z, ' '});
  return triples;
}

constexpr std::uint32_t kSpelledOut = 0;  // the triples' id; the phrases' follow, one up

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
  m_pLibraryPhrases = chain(library_, m_pUserPhrases);
  m_pPhrases = m_pLibraryPhrases;

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
    normalPatterns.push_back({forms[i], patterns[i].id + 1});
    if (forms[i].find_first_not_of(' ', forms[i].find(' ', 1)) == std::string::npos) continue;
    std::string letters = forms[i];
    std::erase(letters, ' ');
    spaceless.emplace_back(std::move(letters), patterns[i].id);
  }
  for (const auto& [letters, id] : spaceless) spelledPatterns.push_back({letters, id});
  const std::vector<std::string> triples =
      normalPatterns.empty() ? std::vector<std::string>() : SpelledOutTriples();
  for (const std::string& t : triples) normalPatterns.push_back({t, kSpelledOut});
  matcher_ = PatternAutomaton::Build(patterns, PatternAutomaton::Case::kUpper);
  // Most of its states are the triples', deep and seldom reached: a quarter of the default
  // dense table does.
  normal_ = PatternAutomaton::Build(normalPatterns, PatternAutomaton::Case::kNormal, 1 << 18);
  // Searched only through words of a few letters: a small dense table does.
  spelled_ = PatternAutomaton::Build(spelledPatterns, PatternAutomaton::Case::kExact, 1 << 12);
}

const PhraseEntry* PhraseList::MatchPlain(std::string_view text) const {
  const std::uint32_t best = matcher_.SmallestId(text, firstEmpty_);
  return best == PatternAutomaton::kNone ? nullptr : walk_[best];
}

bool PhraseList::EndsSpelledOut(std::string_view text) const {
  // The last bytes that make seven of the form (a letter one, a run of separators one), with
  // the space after them that the text lacks.
  std::size_t from = text.size(), form = 0;
  bool separatorAfter = false;
  while (from > 0 && form < 7) {
    const unsigned char code = NormalCode(static_cast<unsigned char>(text[--from]));
    if (code == 0) continue;
    form += !(code == ' ' && separatorAfter);
    separatorAfter = code == ' ';
  }
  return normal_.SmallestId(std::string(text.substr(from)) + ' ') == kSpelledOut;
}

PhraseList::Hit PhraseList::Find(std::string_view text) const {
  if (const PhraseEntry* plain = MatchPlain(text)) return {plain, Look::kPlain};
  if (normal_.Empty()) return {};
  std::uint32_t best = normal_.SmallestId(text);
  if (best == kSpelledOut || EndsSpelledOut(text)) {
    // The written form, and in each word it joined from spelled-out letters the phrases of
    // several words without their spaces ("p o r n o g r a t i s").
    std::vector<SpelledWord> joined;
    const std::string form = NormalForm(text, &joined);
    best = normal_.SmallestId(form);
    std::uint32_t id = best == PatternAutomaton::kNone ? best : best - 1;
    for (const SpelledWord& word : joined)
      id = spelled_.SmallestId(std::string_view(form).substr(word.at, word.size), id);
    best = id == PatternAutomaton::kNone ? id : id + 1;
  }
  if (best != PatternAutomaton::kNone) return {walk_[best - 1], Look::kNormal};
  return {};
}

std::string PhraseAsCompared(const PhraseEntry& entry) {
  return entry.ignoreCase ? UpperCopy(entry.text) : entry.text;
}

}  // namespace tevanor
