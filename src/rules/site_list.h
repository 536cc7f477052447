#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/function_ref.h"
#include "rules/pattern_automaton.h"

namespace tevanor {

// One site of the site list.
struct SiteEntry {
  std::string text;    // the address as stored, e.g. "http://" + host; never normalised
  int prohibited = 1;  // 1 prohibited access, 0 free access
  int builtIn = 0;     // 1 from the built-in table, 0 from the site file
  SiteEntry* prev = nullptr;
  SiteEntry* next = nullptr;
};

// The ordered site list: built-in prohibited sites first (while that switch is on), then the
// site file's entries in file order. Doubly linked; m_pSites is the first entry, or null.
class SiteList {
 public:
  SiteList() = default;
  SiteList(const SiteList&) = delete;
  SiteList& operator=(const SiteList&) = delete;

  void Append(std::string text, int prohibited, int builtIn);
  void Clear();
  const SiteEntry* First() const { return m_pSites; }

  // Calls `visit` with every entry whose text occurs in `address` (case-sensitive; an empty
  // text occurs everywhere), in list order, until `visit` returns false. One pass over the
  // address finds them all; the walk stops if `visit` changes the list.
  void ForEachMatch(std::string_view address, FunctionRef<bool(const SiteEntry&)> visit) const;

 private:
  void BuildMatcher() const;

  std::vector<std::unique_ptr<SiteEntry>> entries_;
  SiteEntry* m_pSites = nullptr;
  std::uint64_t changes_ = 0;  // counts Append and Clear

  // Built at the first match after a change: an automaton over the non-empty texts (ids are
  // list positions) and the positions of the empty texts.
  mutable bool matcherStale_ = true;
  mutable PatternAutomaton matcher_;
  mutable std::vector<std::uint32_t> emptyTexts_;
};

}  // namespace tevanor
