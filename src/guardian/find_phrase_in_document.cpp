#include "guardian/find_phrase_in_document.h"

namespace tevanor {

void FindPhraseInDocument(PageDocument& document, const PhraseList& phrases, std::string& result) {
  if (!result.empty()) return;
  const auto frames = document.FrameCount();
  if (!frames) return;
  if (document.ReadyState() != "complete") return;
  if (const std::string text = document.BodyText(); !text.empty()) {
    if (const PhraseEntry* hit = phrases.Match(text)) {
      result = hit->text;
      return;
    }
  }
  // Once a phrase is found the remaining frames could not change the answer: fetching their
  // documents would only cost calls into the browser's process.
  for (std::size_t i = 0; i < *frames && result.empty(); ++i)
    if (const auto frame = document.Frame(i)) FindPhraseInDocument(*frame, phrases, result);
}

}  // namespace tevanor
