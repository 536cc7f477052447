#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/function_ref.h"
#include "rules/pattern_automaton.h"

namespace tevanor {

// One site of the site list.
struct SiteEntry {
  std::string text;        // the address as stored, e.g. "http://" + host; never normalised
  bool prohibited = true;  // prohibited access, or free access
  bool builtIn = false;    // from the built-in table, or from the site file
  SiteEntry* next = nullptr;
};

// The site rule: whether the entry `text` matches `address`. It matches when it occurs anywhere
// in the address, byte for byte (an empty text occurs everywhere). An entry written as a web
// address, "http://" or "https://", an optional "www.", a host and the rest, also matches an
// address that starts the same way with that host or one of its subdomains followed by that
// rest: scheme, "www." and host compared ignoring ASCII case, the rest byte for byte. So
// "http://www.sitio.example" matches "https://es.sitio.example/" but not
// "https://sitio.example.otro.example/".
bool SiteTextMatches(std::string_view text, std::string_view address);

// The ordered site list: built-in prohibited sites first (while that switch is on), then the
// site file's entries in file order. Linked in that order; m_pSites is the first entry, or null.
class SiteList {
 public:
  SiteList() = default;
  SiteList(const SiteList&) = delete;
  SiteList& operator=(const SiteList&) = delete;

  // An entry of the site file, and a (prohibited) site of the built-in table.
  void Append(std::string text, bool prohibited);
  void AppendBuiltIn(std::string text);
  void Clear();
  const SiteEntry* First() const { return m_pSites; }

  // Calls `visit` with every entry that matches `address` by SiteTextMatches, in list order,
  // until `visit` returns false. One pass over the address and a look-up of its host and the
  // host's parents find them all; the walk stops if `visit` changes the list.
  void ForEachMatch(std::string_view address, FunctionRef<bool(const SiteEntry&)> visit) const;

  // The entry that decides for `address`: the first matching entry in list order, passing over
  // the prohibited ones unless `prohibitedDecides` (a prohibited site blocks only in a
  // browser's own frame). nullptr when no entry decides.
  const SiteEntry* Deciding(std::string_view address, bool prohibitedDecides) const;

 private:
  void Add(SiteEntry entry);
  void BuildMatcher() const;

  std::vector<std::unique_ptr<SiteEntry>> entries_;
  SiteEntry* m_pSites = nullptr;
  std::uint64_t changes_ = 0;  // counts Append and Clear

  // Built at the first match after a change: an automaton over the non-empty texts (ids are
  // list positions), the positions of the empty texts, and the positions of the web-address
  // entries by their lower-cased host.
  mutable bool matcherStale_ = true;
  mutable PatternAutomaton matcher_;
  mutable std::vector<std::uint32_t> emptyTexts_;
  mutable std::unordered_map<std::string, std::vector<std::uint32_t>> byHost_;
};

}  // namespace tevanor
