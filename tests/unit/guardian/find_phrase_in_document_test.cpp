#include "guardian/find_phrase_in_document.h"

#include <gtest/gtest.h>

#include "fakes/fake_pages.h"

namespace tevanor {
namespace {

using testing::FakePage;

FakePage Doc(std::string body, std::vector<FakePage> frames = {}, const char* state = "complete") {
  FakePage page;
  page.body = std::move(body);
  page.frames = std::move(frames);
  page.readyState = state;
  return page;
}

// Searches a page with the phrases "ADULTS ONLY" and "casino" (any case).
class FindPhraseTest : public ::testing::Test {
 protected:
  FindPhraseTest() {
    phrases.ReplaceLibrary({{"ADULTS ONLY", true, true}});
    phrases.ReplaceUser({{"casino", false, true}});
  }
  std::string Find(const FakePage& page) {
    source.pages[WindowHandle{1}] = page;
    source.bodiesRead.clear();
    std::string result;
    FindPhraseInDocument(*source.BeginInspection()->DocumentOf(WindowHandle{1}), phrases, result);
    EXPECT_EQ(source.openDocuments, 0);
    return result;
  }

  PhraseList phrases;
  testing::FakePageSource source;
};

TEST_F(FindPhraseTest, SearchesDepthFirstAndStopsAtTheFirstPhrase) {
  EXPECT_EQ(Find(Doc("inicio", {Doc("uno", {Doc("uno.uno")}), Doc("Casino"), Doc("tres")})),
            "casino");
  EXPECT_EQ(source.bodiesRead, (std::vector<std::string>{"inicio", "uno", "uno.uno", "Casino"}));
}

TEST_F(FindPhraseTest, OnlyCompleteReachableDocumentsAreSearched) {
  FakePage noFrames = Doc("adults only");
  noFrames.framesUnavailable = true;
  FakePage unreachable = Doc("adults only");
  unreachable.unreachable = true;
  const std::pair<FakePage, const char*> cases[] = {
      {Doc("adults only!"), "ADULTS ONLY"},
      {Doc("adults only", {}, "interactive"), ""},
      {Doc("", {Doc("casino")}, "loading"), ""},  // a loading page hides its frames
      {Doc("", {Doc("casino", {}, "loading"), Doc("adults only")}), "ADULTS ONLY"},
      {noFrames, ""},
      {Doc("", {unreachable, Doc("casino")}), "casino"},
  };
  for (const auto& [page, found] : cases) EXPECT_EQ(Find(page), found) << page.body;
}

}  // namespace
}  // namespace tevanor
