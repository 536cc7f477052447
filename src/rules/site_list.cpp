#include "rules/site_list.h"

#include <algorithm>

namespace tevanor {

void SiteList::Append(std::string text, int prohibited, int builtIn) {
  auto entry = std::make_unique<SiteEntry>();
  entry->text = std::move(text);
  entry->prohibited = prohibited;
  entry->builtIn = builtIn;
  if (!entries_.empty()) {
    entry->prev = entries_.back().get();
    entries_.back()->next = entry.get();
  }
  entries_.push_back(std::move(entry));
  m_pSites = entries_.front().get();
  ++changes_;
  matcherStale_ = true;
}

void SiteList::Clear() {
  while (!entries_.empty()) entries_.pop_back();  // last to first
  m_pSites = nullptr;
  ++changes_;
  matcherStale_ = true;
}

void SiteList::BuildMatcher() const {
  std::vector<PatternAutomaton::Pattern> patterns;
  emptyTexts_.clear();
  for (std::uint32_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i]->text.empty())
      emptyTexts_.push_back(i);
    else
      patterns.push_back({entries_[i]->text, i});
  }
  matcher_ = PatternAutomaton::Build(patterns, PatternAutomaton::Case::kExact);
  matcherStale_ = false;
}

void SiteList::ForEachMatch(std::string_view address,
                            FunctionRef<bool(const SiteEntry&)> visit) const {
  if (matcherStale_) BuildMatcher();
  // A visit that changes the list ends the walk before it reads an entry that may be gone.
  const std::uint64_t changes = changes_;
  std::vector<std::uint32_t> hits = emptyTexts_;
  matcher_.ForEachOccurrence(address, [&hits](std::uint32_t id) { hits.push_back(id); });
  std::sort(hits.begin(), hits.end());
  hits.erase(std::unique(hits.begin(), hits.end()), hits.end());
  for (const std::uint32_t i : hits)
    if (changes != changes_ || !visit(*entries_[i])) return;
}

}  // namespace tevanor
