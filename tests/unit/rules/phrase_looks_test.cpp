// The two looks of the phrase search over texts read as the guardian reads them (UTF-8 here,
// through the same look-alike table as the UTF-16 of other programs), with the whole library.
#include <gtest/gtest.h>

#include "rules/builtin_phrases.h"
#include "rules/phrase_list.h"
#include "text/cp1252.h"
#include "text/look_alike.h"

namespace tevanor {
namespace {

using Look = PhraseList::Look;

class PhraseLooks : public ::testing::Test {
 protected:
  PhraseLooks() {
    std::vector<PhraseEntry> rows;
    for (std::size_t i = 0; i < kBuiltInPhraseRows; ++i)
      rows.push_back({std::string(kBuiltInPhraseTable[i]), true});
    list.ReplaceLibrary(std::move(rows));
    list.ReplaceUser({{"casino"}, {"XXX", false, false}});
  }
  // The phrase as reported and the look that found it, or "" when none did.
  std::pair<std::string, Look> Find(std::string_view utf8) const {
    const PhraseList::Hit hit = list.Find(Utf8ToCp1252Folded(utf8).value());
    return {hit.entry ? Cp1252ToUtf8(PhraseAsCompared(*hit.entry)) : "", hit.look};
  }

  PhraseList list;
};

// Each way of writing a phrase is found by the look that sees through it; ordinary text that
// holds a phrase's start or end inside ordinary words, or its letters apart, by neither.
TEST_F(PhraseLooks, EachWayOfWritingAPhraseIsFoundByTheLookThatSeesThroughIt) {
  const struct {
    const char* text;
    const char* phrase = "";
    Look look = Look::kPlain;
  } cases[] = {
      {"This page is for adults only", "ADULTS ONLY"},              // as it was
      {"un Casino", "CASINO"},                                      // a word, reported upper-cased
      {"ｆｒｅｅ ｐｏｒｎ", "FREE PORN"},                           // full width
      {"𝐟𝐫𝐞𝐞 𝐩𝐨𝐫𝐧 ⓥⓘⓓⓔⓞ", "FREE PORN"},                             // mathematical, circled
      {"аdults оnly", "ADULTS ONLY"},                               // Cyrillic а, о
      {"ﬁlms: XXX ᴠɪdeo", "XXX VIDEO"},                             // small capitals
      {"ādults only", "ADULTS ONLY"},                               // a mark the code page lacks
      {"por\u200Bno gra\u2060tis", "PORNO GRATIS", Look::kNormal},  // zero-width characters
      {"po\u0301rno gratis", "PORNO GRATIS", Look::kNormal},        // a combining accent
      {"Vídeos pórno grátis", "PORNO GRATIS", Look::kNormal},       // accents added
      {"$3x0 gr@t1s", "SEXO GRATIS", Look::kNormal},                // $ 3 0 @ 1
      {"for adults-only content", "ADULTS ONLY", Look::kNormal},    // hyphen
      {"for a.d.u.l.t.s only", "ADULTS ONLY", Look::kNormal},       // spelled with dots
      {"P_O_R_N_O gratis", "PORNO GRATIS", Look::kNormal},          // spelled with underscores
      {"xxx"},  // a case-sensitive word has no second look
      {"Essex, Sussex y Middlesex; unisex; hot cumin; magna cum laude"},
      {"El canal sexto emite un análisis del sexo de las aves"},
      {"Los E.E.U.U. y la U.E. firmaron; a, b, c, d y e son vocales o no"},
      {"Videos para adultos mayores; material para adultos mayores"},
      {"Tengo 18 años, mido 1,75 y peso 70 kg; 3.40 € la entrada"},
      {"The analysis of adult education; sex-linked genes; Dick & Jane"},
      {"x y z coordinates; the a-b-c of physics; I/O ports, R&D"},
      {"Computadora portátil, disputa, diputado, reputación del imputado"},
      {"What happened when the door opened? Pornstar Martini, please."},
      {"Free sexual health services; the sex ratio of the population."},
      {"Explicit lyrics: contenido explícito; los pájaros comen paja."},
      {"The peacock at the big cocktail party; great pussycat; nude lipstick."},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Find(c.text), std::make_pair(std::string(c.phrase), c.look)) << c.text;
}

TEST(PhraseLooksOfAFewWords, SpelledOutWordsAreFoundWithoutTheLibrary) {
  // A short list is built without the second look's pairs of one-letter words.
  PhraseList list;
  list.ReplaceUser({{"casino"}, {"sexo gratis"}});
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"un c.a.s.i.n.o", "casino"},
      {"s e x o g r a t i s", "sexo gratis"},
      {"casa y o no", ""},
  };
  for (const auto& [text, phrase] : cases) {
    const PhraseList::Hit hit = list.Find(text);
    EXPECT_EQ(hit.entry ? std::string_view(hit.entry->text) : "", phrase) << text;
  }
}

}  // namespace
}  // namespace tevanor
