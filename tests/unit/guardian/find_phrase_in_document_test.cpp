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

// Searches `page` with the phrases "ADULTS ONLY" and "casino" (any case).
class FindPhraseTest : public ::testing::Test {
 protected:
  FindPhraseTest() {
    phrases.ReplaceLibrary({{"ADULTS ONLY", true, true}});
    phrases.ReplaceUser({{"casino", false, true}});
  }
  std::string Find(const FakePage& page, std::string result = "") {
    source.pages[WindowHandle{1}] = page;
    source.bodiesRead.clear();
    const auto session = source.BeginInspection();
    const auto document = session->DocumentOf(WindowHandle{1});
    FindPhraseInDocument(*document, phrases, result);
    return result;
  }

  PhraseList phrases;
  testing::FakePageSource source;
};

TEST_F(FindPhraseTest, SearchesDepthFirstAndStopsAtTheFirstPhrase) {
  const FakePage page = Doc("inicio", {Doc("uno", {Doc("uno.uno")}), Doc("Casino"), Doc("tres")});
  EXPECT_EQ(Find(page), "casino");
  EXPECT_EQ(source.bodiesRead, (std::vector<std::string>{"inicio", "uno", "uno.uno", "Casino"}));
  EXPECT_EQ(source.openDocuments, 0);
}

TEST_F(FindPhraseTest, OnlyCompleteReachableDocumentsAreSearched) {
  struct Case {
    const char* name;
    FakePage page;
    const char* found;
  };
  FakePage noFrames = Doc("adults only");
  noFrames.framesUnavailable = true;
  FakePage unreachable = Doc("adults only");
  unreachable.unreachable = true;
  const Case cases[] = {
      {"own text", Doc("adults only!"), "ADULTS ONLY"},
      {"loading", Doc("adults only", {}, "interactive"), ""},
      {"loading hides its frames", Doc("", {Doc("casino")}, "loading"), ""},
      {"a loading frame is skipped", Doc("", {Doc("casino", {}, "loading"), Doc("adults only")}),
       "ADULTS ONLY"},
      {"no frame collection", noFrames, ""},
      {"unreachable frame", Doc("", {unreachable, Doc("casino")}), "casino"},
  };
  for (const Case& c : cases) EXPECT_EQ(Find(c.page), c.found) << c.name;
  EXPECT_EQ(Find(Doc("casino"), "earlier"), "earlier");
  EXPECT_TRUE(source.bodiesRead.empty());
}

}  // namespace
}  // namespace tevanor
