#include "fakes/plain_match.h"

#include <string>

#include "text/cp1252.h"

namespace tevanor {

const PhraseEntry* PlainMatchPhrase(const PhraseEntry* first, std::string_view text) {
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

void PlainForEachSiteMatch(const SiteEntry* first, std::string_view address,
                           FunctionRef<bool(const SiteEntry&)> visit) {
  for (const SiteEntry* e = first; e; e = e->next)
    if (SiteTextMatches(e->text, address) && !visit(*e)) return;
}

}  // namespace tevanor
