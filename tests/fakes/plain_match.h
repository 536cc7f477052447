#pragma once

#include <string>
#include <string_view>

#include "base/function_ref.h"
#include "rules/phrase_list.h"
#include "rules/site_list.h"
#include "text/cp1252.h"

namespace tevanor {

// The matching rules written out entry by entry, as plainly as they are stated: for every entry
// copy the text and the phrase, upper-case both for an ignore-case entry, and search. The lists
// answer the same questions in one pass over the text; these walks are the yardstick that the
// tests and benchmarks hold them to.

// The first phrase from `first` on that occurs in `text`, or nullptr.
inline const PhraseEntry* PlainMatchPhrase(const PhraseEntry* first, std::string_view text) {
  for (const PhraseEntry* e = first; e; e = e->next) {
    std::string textCopy(text);
    std::string phraseCopy(e->text);
    if (e->ignoreCase) {
      MakeUpper(textCopy);
      MakeUpper(phraseCopy);
    }
    if (textCopy.find(phraseCopy) != std::string::npos) return e;
  }
  return nullptr;
}

// Every site from `first` on that matches `address` by SiteTextMatches, in order, until `visit`
// returns false.
inline void PlainForEachSiteMatch(const SiteEntry* first, std::string_view address,
                                  FunctionRef<bool(const SiteEntry&)> visit) {
  for (const SiteEntry* e = first; e; e = e->next)
    if (SiteTextMatches(e->text, address) && !visit(*e)) return;
}

}  // namespace tevanor
