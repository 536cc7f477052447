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
    EXPECT_EQ(source.openDocuments, 0);
  }
}

}  // namespace
}  // namespace tevanor
