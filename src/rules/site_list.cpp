#include "rules/site_list.h"

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
}

void SiteList::Clear() {
  while (!entries_.empty()) entries_.pop_back();  // last to first
  m_pSites = nullptr;
}

void SiteList::ForEachMatch(std::string_view address,
                            FunctionRef<bool(const SiteEntry&)> visit) const {
  for (const SiteEntry* e = m_pSites; e; e = e->next)
    if (address.find(e->text) != std::string_view::npos && !visit(*e)) return;
}

}  // namespace tevanor
