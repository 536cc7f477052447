#pragma once

#include <string>

#include "guardian/page_source.h"
#include "rules/phrase_list.h"

namespace tevanor {

// Looks for a forbidden phrase in the visible text of a page and of all its frames, depth
// first: a document's own text before its frames, frames in index order. Only documents that
// report "complete" are searched; one still loading is skipped with all its frames. The first
// phrase found, as stored, goes into `result`; a result that is already set is left alone.
// A page cannot keep the search going: at most kFramesPerDocumentLimit frames of a document and
// kFrameDepthLimit levels of frames are read, kDocumentLimit frame documents in all, and a
// document met again in the same search is skipped.
inline constexpr std::size_t kFramesPerDocumentLimit = 64;
inline constexpr std::size_t kFrameDepthLimit = 8;
inline constexpr std::size_t kDocumentLimit = 256;
void FindPhraseInDocument(PageDocument& document, const PhraseList& phrases, std::string& result);

}  // namespace tevanor
