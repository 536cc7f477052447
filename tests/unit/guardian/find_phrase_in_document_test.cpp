#include "guardian/find_phrase_in_document.h"

#include <gtest/gtest.h>

#include "fakes/fake_pages.h"

namespace tevanor {
namespace {

using testing::FakePage;

FakePage Doc(std::string body, std::vector<FakePage> frames = {}, const char* state = "complete") {
  return {.address = {}, .readyState = state, .body = std::move(body), .frames = std::move(frames)};
}

// Complete documents are searched depth first up to the first phrase; a page decides how many
// frames it has and what they show, and the search stays bounded.
TEST(FindPhraseInDocument, SearchesCompleteDocumentsDepthFirstAndBounded) {
  PhraseList phrases;
  phrases.ReplaceLibrary({{"ADULTS ONLY", true, true}});
  phrases.ReplaceUser({{"casino", false, true}});
  FakePage noFrames = Doc("adults only");
  noFrames.framesUnavailable = true;
  FakePage unreachable = Doc("adults only");
  unreachable.unreachable = true;
  // A chain of frames `depth` deep with the phrase at its end.
  auto chain = [](std::size_t depth) {
    FakePage page = Doc("casino");
    for (std::size_t i = 0; i < depth; ++i) page = Doc("", {page});
    return page;
  };
  // `count` frames, the phrase in the last.
  auto wide = [](std::size_t count) {
    FakePage page = Doc("");
    page.frames.resize(count, Doc(""));
    page.frames.back().body = "casino";
    return page;
  };
  FakePage itself = Doc("portada");
  itself.claimedFrames = std::size_t{1} << 31;  // every frame the page again
  struct Case {
    FakePage page;
    const char* found;
    std::size_t bodies;
    std::vector<std::string> firstBodies = {};  // the bodies read first, in order
  };
  const Case cases[] = {
      {Doc("inicio", {Doc("uno", {Doc("uno.uno")}), Doc("Casino"), Doc("tres")}),
       "casino",
       4,
       {"inicio", "uno", "uno.uno", "Casino"}},
      {Doc("adults only", {}, "interactive"), "", 0},
      {Doc("", {Doc("casino")}, "loading"), "", 0},  // a loading page hides its frames
      {Doc("", {Doc("casino", {}, "loading"), Doc("adults only")}), "ADULTS ONLY", 2},
      {noFrames, "", 0},
      {Doc("", {unreachable, Doc("casino")}), "casino", 2, {"", "casino"}},
      {chain(kFrameDepthLimit), "casino", kFrameDepthLimit + 1},
      {chain(kFrameDepthLimit + 1), "", kFrameDepthLimit + 1},
      {wide(kFramesPerDocumentLimit), "casino", kFramesPerDocumentLimit + 1},
      {wide(kFramesPerDocumentLimit + 1), "", kFramesPerDocumentLimit + 1},
      {itself, "", 1},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    testing::FakePageSource source;
    source.pages[WindowHandle{1}] = c.page;
    std::string found;
    FindPhraseInDocument(*source.BeginInspection()->DocumentOf(WindowHandle{1}), phrases, found);
    EXPECT_EQ(found, c.found) << "case " << i;
    ASSERT_EQ(source.bodiesRead.size(), c.bodies) << "case " << i;
    for (std::size_t b = 0; b < c.firstBodies.size(); ++b)
      EXPECT_EQ(source.bodiesRead[b], c.firstBodies[b]) << "case " << i;
  }
}

}  // namespace
}  // namespace tevanor
