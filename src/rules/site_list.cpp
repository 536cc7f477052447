#include "rules/site_list.h"

#include <algorithm>
#include <optional>

namespace tevanor {

namespace {

// A web address cut after its scheme and an optional "www.": the host, up to the first '/',
// '?', '#' or ':', and the rest. The host is never empty.
struct WebAddress {
  std::string_view host;
  std::string_view rest;
};

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsIgnoringCase(std::string_view text, std::string_view lowerPrefix) {
  if (text.size() < lowerPrefix.size()) return false;
  for (std::size_t i = 0; i < lowerPrefix.size(); ++i)
    if (LowerAscii(text[i]) != lowerPrefix[i]) return false;
  return true;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

std::optional<WebAddress> ParseWebAddress(std::string_view text) {
  if (StartsIgnoringCase(text, "http://"))
    text.remove_prefix(7);
  else if (StartsIgnoringCase(text, "https://"))
    text.remove_prefix(8);
  else
    return std::nullopt;
  if (StartsIgnoringCase(text, "www.")) text.remove_prefix(4);
  const std::size_t end = std::min(text.find_first_of("/?#:"), text.size());
  if (end == 0) return std::nullopt;
  return WebAddress{text.substr(0, end), text.substr(end)};
}

std::string LowerCopy(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = LowerAscii(c);
  return lower;
}

// Whether `address` is on the entry's host or a subdomain of it, with the entry's rest.
bool SameSite(const WebAddress& entry, const WebAddress& address) {
  const std::string_view host = address.host;
  const bool onHost =
      EqualIgnoringCase(host, entry.host) ||
      (host.size() > entry.host.size() && host[host.size() - entry.host.size() - 1] == '.' &&
       EqualIgnoringCase(host.substr(host.size() - entry.host.size()), entry.host));
  return onHost && address.rest.substr(0, entry.rest.size()) == entry.rest;
}

}  // namespace

bool SiteTextMatches(std::string_view text, std::string_view address) {
  if (address.find(text) != std::string_view::npos) return true;
  const auto entry = ParseWebAddress(text);
  const auto page = ParseWebAddress(address);
  return entry && page && SameSite(*entry, *page);
}

void SiteList::Append(std::string text, bool prohibited) {
  Add(SiteEntry{std::move(text), prohibited, false, nullptr});
}

void SiteList::AppendBuiltIn(std::string text) {
  Add(SiteEntry{std::move(text), true, true, nullptr});
}

void SiteList::Add(SiteEntry entry) {
  auto added = std::make_unique<SiteEntry>(std::move(entry));
  if (!entries_.empty()) entries_.back()->next = added.get();
  entries_.push_back(std::move(added));
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
  byHost_.clear();
  for (std::uint32_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i]->text.empty())
      emptyTexts_.push_back(i);
    else
      patterns.push_back({entries_[i]->text, i});
    if (const auto web = ParseWebAddress(entries_[i]->text))
      byHost_[LowerCopy(web->host)].push_back(i);
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
  if (const auto page = ParseWebAddress(address); page && !byHost_.empty()) {
    // The entries on the page's host and on each of its parents ("es.sitio.example", then
    // "sitio.example", then "example").
    const std::string host = LowerCopy(page->host);
    for (std::size_t from = 0; from != std::string::npos;) {
      if (const auto found = byHost_.find(host.substr(from)); found != byHost_.end())
        for (const std::uint32_t i : found->second)
          if (SameSite(*ParseWebAddress(entries_[i]->text), *page)) hits.push_back(i);
      from = host.find('.', from);
      if (from != std::string::npos) ++from;
    }
  }
  std::sort(hits.begin(), hits.end());
  hits.erase(std::unique(hits.begin(), hits.end()), hits.end());
  for (const std::uint32_t i : hits)
    if (changes != changes_ || !visit(*entries_[i])) return;
}

const SiteEntry* SiteList::Deciding(std::string_view address, bool prohibitedDecides) const {
  const SiteEntry* deciding = nullptr;
  ForEachMatch(address, [&](const SiteEntry& e) {
    if (e.prohibited && !prohibitedDecides) return true;
    deciding = &e;
    return false;
  });
  return deciding;
}

}  // namespace tevanor
