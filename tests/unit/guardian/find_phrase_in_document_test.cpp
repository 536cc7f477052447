#include "guardian/find_phrase_in_document.h"

#include <gtest/gtest.h>

#include "fakes/fake_pages.h"

namespace tevanor {
namespace {

using testing::FakePage;

FakePage Doc(std::string body, std::vector<FakePage> frames = {}, const char* state = "complete") {
  return {.address = {}, .readyState = state, .body = std::move(body), .frames = std::move(frames)};
}

TEST(FindPhraseInDocument, SearchesCompleteDocumentsDepthFirstUpToTheFirstPhrase) {
  PhraseList phrases;
  phrases.ReplaceLibrary({{"ADULTS ONLY", true, true}});
  phrases.ReplaceUser({{"casino", false, true}});
  FakePage noFrames = Doc("adults only");
  noFrames.framesUnavailable = true;
  FakePage unreachable = Doc("adults only");
  unreachable.unreachable = true;
  struct Case {
    FakePage page;
    const char* found;
    std::vector<std::string> bodiesRead;
  };
  const Case cases[] = {
      {Doc("inicio", {Doc("uno", {Doc("uno.uno")}), Doc("Casino"), Doc("tres")}),
       "casino",
       {"inicio", "uno", "uno.uno", "Casino"}},
      {Doc("adults only", {}, "interactive"), "", {}},
      {Doc("", {Doc("casino")}, "loading"), "", {}},  // a loading page hides its frames
      {Doc("", {Doc("casino", {}, "loading"), Doc("adults only")}),
       "ADULTS ONLY",
       {"", "adults only"}},
      {noFrames, "", {}},
      {Doc("", {unreachable, Doc("casino")}), "casino", {"", "casino"}},
  };
  for (const Case& c : cases) {
    testing::FakePageSource source;
    source.pages[WindowHandle{1}] = c.page;
    std::string found;
    FindPhraseInDocument(*source.BeginInspection()->DocumentOf(WindowHandle{1}), phrases, found);
    EXPECT_EQ(found, c.found) << c.page.body;
    EXPECT_EQ(source.bodiesRead, c.bodiesRead) << c.page.body;
  }
}

// A page decides how many frames it has and what they show; the search stays bounded.
TEST(FindPhraseInDocument, EndlessFramesAreReadOnlySoFar) {
  PhraseList phrases;
  phrases.ReplaceUser({{"casino", false, true}});
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
    const char* name;
    FakePage page;
    const char* found;
    std::size_t bodiesRead;
  };
  const Case cases[] = {
      {"deepest frame read", chain(kFrameDepthLimit), "casino", kFrameDepthLimit + 1},
      {"too deep", chain(kFrameDepthLimit + 1), "", kFrameDepthLimit + 1},
      {"last frame read", wide(kFramesPerDocumentLimit), "casino", kFramesPerDocumentLimit + 1},
      {"too many frames", wide(kFramesPerDocumentLimit + 1), "", kFramesPerDocumentLimit + 1},
      {"frames of itself", itself, "", 1},
  };
  for (const Case& c : cases) {
    testing::FakePageSource source;
    source.pages[WindowHandle{1}] = c.page;
    std::string found;
    FindPhraseInDocument(*source.BeginInspection()->DocumentOf(WindowHandle{1}), phrases, found);
    EXPECT_EQ(found, c.found) << c.name;
    EXPECT_EQ(source.bodiesRead.size(), c.bodiesRead) << c.name;
  }
}

}  // namespace
}  // namespace tevanor
