#include "text/normal_form.h"

#include <emmintrin.h>

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace tevanor {

namespace {

constexpr std::array<unsigned char, 256> MakeCodes() {
  std::array<unsigned char, 256> code{};
  for (auto& c : code) c = ' ';
  for (int b = 0; b < 0x20; ++b) code[b] = 0;
  code['\t'] = code['\n'] = code['\r'] = code['\v'] = code['\f'] = ' ';
  for (const int b : {0x7F, 0x81, 0x8D, 0x8F, 0x90, 0x9D, 0xAD}) code[b] = 0;
  for (int b = 'A'; b <= 'Z'; ++b) code[b] = code[b + 32] = static_cast<unsigned char>(b);
  // Letters with marks, by their base letter; upper and lower case share a row.
  constexpr struct {
    const char* bytes;
    unsigned char base;
  } kLetters[] = {
      {"\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xE0\xE1\xE2\xE3\xE4\xE5\xE6\xAA", 'A'},
      {"\xC7\xE7\xA2", 'C'},
      {"\xD0\xF0", 'D'},
      {"\xC8\xC9\xCA\xCB\xE8\xE9\xEA\xEB\x80", 'E'},
      {"\x83", 'F'},
      {"\xCC\xCD\xCE\xCF\xEC\xED\xEE\xEF\xB9", 'I'},
      {"\xD1\xF1", 'N'},
      {"\xD2\xD3\xD4\xD5\xD6\xD8\xF2\xF3\xF4\xF5\xF6\xF8\x8C\x9C\xBA", 'O'},
      {"\x8A\x9A\xDF", 'S'},
      {"\xDE\xFE", 'T'},
      {"\xD9\xDA\xDB\xDC\xF9\xFA\xFB\xFC\xB5", 'U'},
      {"\xDD\xFD\xFF\x9F\xA5", 'Y'},
      {"\x8E\x9E", 'Z'},
      // Digits and symbols read as letters; the other digits stay digits.
      {"0", 'O'},
      {"3\xB3", 'E'},
      {"4@", 'A'},
      {"5$", 'S'},
      {"7", 'T'},
      {"1|lL", 'I'},
      {"2\xB2", '2'},
      {"6", '6'},
      {"8", '8'},
      {"9", '9'},
  };
  for (const auto& [bytes, base] : kLetters)
    for (const char* p = bytes; *p; ++p) code[static_cast<unsigned char>(*p)] = base;
  return code;
}

constexpr std::array<unsigned char, 256> kCodes = MakeCodes();

// Joins, in a form whose words stand one space apart, every run of three or more one-letter
// words into one word; returns the new size.
std::size_t JoinSpelledOut(char* form, std::size_t size, std::vector<SpelledWord>* joined) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < size;) {
    if (form[i] == ' ') {
      form[n++] = form[i++];
      continue;
    }
    std::size_t end = i;
    while (end < size && form[end] != ' ') ++end;
    if (end - i == 1) {
      // One-letter words at i, i + 2, ...; `last` is the space after the last of them.
      std::size_t words = 1, last = end;
      while (last + 1 < size && form[last + 1] != ' ' &&
             (last + 2 == size || form[last + 2] == ' ')) {
        ++words;
        last += 2;
      }
      if (words >= 3) {
        if (joined) joined->push_back({n, words});
        for (std::size_t k = 0; k < words; ++k) form[n++] = form[i + 2 * k];
        i = last;
        continue;
      }
    }
    while (i < end) form[n++] = form[i++];
  }
  return n;
}

// Whether a form holds three one-letter words in a row, " X X X": spaces two bytes apart four
// times, with letters between them. Sixteen bytes a step, as masks of their spaces.
bool SpellsOut(const char* form, std::size_t size) {
  const __m128i space = _mm_set1_epi8(' ');
  std::uint64_t previous = 0;  // the masks of the bytes before, newest highest
  std::size_t i = 0;
  for (; i + 16 <= size; i += 16) {
    const auto bits = static_cast<std::uint64_t>(_mm_movemask_epi8(
        _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(form + i)), space)));
    const std::uint64_t m = (previous >> 16) | (bits << 48);  // bytes i - 48 to i + 15
    // Bit p: spaces at p, p + 2, p + 4, p + 6 and letters at p + 1, p + 3, p + 5.
    if (m & (m >> 2) & (m >> 4) & (m >> 6) & ~(m >> 1) & ~(m >> 3) & ~(m >> 5) & 0x0000FFFFFFFFFFFF)
      return true;
    previous = m;
  }
  // The last step's bytes, which the mask has only seen as the ends of runs, the rest, and a
  // run that ends the form without a space after it.
  const std::size_t from = i >= 16 ? i - 16 : 0;
  std::string tail(form + from, size - from);
  tail += ' ';
  for (std::size_t p = 0; p + 6 < tail.size(); ++p)
    if (tail[p] == ' ' && tail[p + 1] != ' ' && tail[p + 2] == ' ' && tail[p + 3] != ' ' &&
        tail[p + 4] == ' ' && tail[p + 5] != ' ' && tail[p + 6] == ' ')
      return true;
  return false;
}

// Bit i: byte i of the 64 at `p` is a letter of the form. Most bytes are compared as ranges
// sixteen at a time; those from 0x80 to 0xBF, rare, are looked up one by one.
std::uint64_t LetterMask(const unsigned char* p) {
  // Whether each byte lies in [low, low + span], as unsigned bytes.
  const auto inRange = [](__m128i b, char low, char span) {
    const __m128i x = _mm_sub_epi8(b, _mm_set1_epi8(low));
    return _mm_cmpeq_epi8(_mm_min_epu8(x, _mm_set1_epi8(span)), x);
  };
  std::uint64_t letters = 0, high = 0;
  for (int k = 0; k < 4; ++k) {
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
    const __m128i ascii = _mm_or_si128(
        _mm_or_si128(inRange(b, '0', 9), inRange(_mm_or_si128(b, _mm_set1_epi8(0x20)), 'a', 25)),
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(b, _mm_set1_epi8('@')),
                                  _mm_cmpeq_epi8(b, _mm_set1_epi8('$'))),
                     _mm_cmpeq_epi8(b, _mm_set1_epi8('|'))));
    // From 0xC0 on every byte is a letter but × and ÷; below, those from 0x80 are looked up.
    const __m128i upper = _mm_andnot_si128(_mm_or_si128(_mm_cmpeq_epi8(b, _mm_set1_epi8('\xD7')),
                                                        _mm_cmpeq_epi8(b, _mm_set1_epi8('\xF7'))),
                                           inRange(b, '\xC0', 0x3F));
    letters |= static_cast<std::uint64_t>(_mm_movemask_epi8(_mm_or_si128(ascii, upper)))
               << (16 * k);
    high |= static_cast<std::uint64_t>(_mm_movemask_epi8(inRange(b, '\x80', 0x3F))) << (16 * k);
  }
  for (; high != 0; high &= high - 1) {
    const int i = std::countr_zero(high);
    letters |= std::uint64_t{kCodes[p[i]] > ' '} << i;
  }
  return letters;
}

}  // namespace

unsigned char NormalCode(unsigned char byte) {
  return kCodes[byte];
}

std::string NormalForm(std::string_view text, std::vector<SpelledWord>* joined) {
  if (text.empty()) return {};
  std::string form(text.size() + 1, '\0');
  char* const out = form.data();
  // Without branches on the bytes: every byte is written, and the next write takes its place
  // unless it is kept: a letter, or the first separator after a letter.
  out[0] = ' ';
  std::size_t n = 1;
  unsigned afterLetter = 0;
  for (const char ch : text) {
    const unsigned char code = kCodes[static_cast<unsigned char>(ch)];
    const unsigned letter = code > ' ', separator = code == ' ';
    out[n] = static_cast<char>(code);
    n += letter | (separator & afterLetter);
    afterLetter = letter | (afterLetter & (separator ^ 1));
  }
  if (SpellsOut(out, n)) n = JoinSpelledOut(out, n, joined);
  form.resize(n);
  return form;
}

bool MaySpellOut(std::string_view text) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t size = text.size();
  // The letters of the block of 64 bytes at `at`; nothing past the end is a letter.
  const auto lettersAt = [bytes, size](std::size_t at) -> std::uint64_t {
    if (at + 64 <= size) return LetterMask(bytes + at);
    if (at >= size) return 0;
    unsigned char rest[64] = {};
    std::memcpy(rest, bytes + at, size - at);
    return LetterMask(rest);
  };
  // A word is a run of letters; one-letter words have no letter either side. Each block is
  // read one ahead, for the letter after its last byte.
  std::uint64_t letters = lettersAt(0), lastBefore = 0;
  int run = 0;  // one-letter words in a row so far
  for (std::size_t at = 0; at < size; at += 64) {
    const std::uint64_t next = lettersAt(at + 64);
    const std::uint64_t starts = letters & ~((letters << 1) | lastBefore);
    const std::uint64_t single = starts & ~((letters >> 1) | (next << 63));
    const std::uint64_t longer = starts & ~single;
    std::uint64_t seen = 0;  // the bits up to the last one-letter word counted
    for (std::uint64_t s = single; s != 0; s &= s - 1) {
      const std::uint64_t upTo = s ^ (s - 1);
      if ((longer & upTo & ~seen) != 0) run = 0;
      if (++run == 3) return true;
      seen = upTo;
    }
    if ((longer & ~seen) != 0) run = 0;
    lastBefore = letters >> 63;
    letters = next;
  }
  return false;
}

}  // namespace tevanor
