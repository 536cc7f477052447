#pragma once

// The normal form of a Windows-1252 text, for the second look of the phrase search: the text
// as a reader sees it, whatever way its words are written.
//   - invisible characters (the soft hyphen, control characters) are removed;
//   - letters lose their accents and are upper-cased ("Ü" → "U", "ñ" → "N", "ß" → "S");
//   - digits and symbols that stand for letters are read as them: 0 O, 3 E, 4 A, 5 S, 7 T,
//     @ A, $ S, € E; "1", "|", "I" and "L" are one letter, written 'I', so that "1" serves both
//     "v1deos" and "adu1ts" (the phrases go through the same form);
//   - every run of other characters (spaces, punctuation, tabs, no-break spaces, underscores,
//     hyphens, '?') becomes one space, and the form starts with one: a phrase's form then
//     stands only at the start of a word ("banal. Pornstar" does not hold " ANAL PORN", which
//     the byte-for-byte search would find inside words, only in "banal porn");
//   - three or more letters spelled out one by one with separators between them ("p o r n o",
//     "a.d.u.l.t.s", "P_O_R_N_O") are joined into one word; words spelled out one after the
//     other ("a.d.u.l.t.s o.n.l.y") become one word too, which the phrase list searches for
//     its phrases without their spaces.
// The form of a text is at most one byte longer than the text.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tevanor {

// What a byte becomes: a letter or digit of the form, ' ' for a separator, 0 when removed.
unsigned char NormalCode(unsigned char byte);

// A word of the form joined from letters spelled out: where it starts in the form, and its size.
struct SpelledWord {
  std::size_t at;
  std::size_t size;
};

// `joined`, when given, receives the words joined from spelled-out letters, in order.
std::string NormalForm(std::string_view text, std::vector<SpelledWord>* joined = nullptr);

// Whether the form of `text` may join spelled-out letters: false only when it joins none. True
// when the text holds three one-letter words in a row once its removed bytes are read as
// separators, so it may also be true of a text whose form joins nothing ("a b\xADc d").
bool MaySpellOut(std::string_view text);

}  // namespace tevanor
