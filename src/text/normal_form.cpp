#include "text/normal_form.h"

#include <array>
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

// Builds the form into a buffer the size of the text; see the header.
class Writer {
 public:
  explicit Writer(char* out) : out_(out) {}

  void Word(char code) {
    if (space_) {
      out_[n_++] = ' ';
      space_ = false;
    }
    out_[n_++] = code;
    ++token_;
  }
  void Separator() {
    if (token_ != 0) EndToken();
    space_ = true;
  }
  std::size_t Finish() {
    if (token_ != 0) EndToken();
    Join();
    if (space_) out_[n_++] = ' ';
    return n_;
  }

 private:
  void EndToken() {
    if (token_ == 1) {
      if (singles_++ == 0) runStart_ = n_ - 1;
    } else {
      Join();
    }
    token_ = 0;
  }
  // The run of single letters ends: with three or more, the spaces between them go, and what
  // was written after the run moves up.
  void Join() {
    if (singles_ >= 3) {
      for (std::size_t k = 1; k < singles_; ++k) out_[runStart_ + k] = out_[runStart_ + 2 * k];
      const std::size_t after = runStart_ + 2 * singles_ - 1;
      std::memmove(out_ + runStart_ + singles_, out_ + after, n_ - after);
      n_ -= singles_ - 1;
    }
    singles_ = 0;
  }

  char* out_;
  std::size_t n_ = 0;
  std::size_t token_ = 0;    // letters in the word being written
  std::size_t singles_ = 0;  // one-letter words in a row, the last one included
  std::size_t runStart_ = 0;
  bool space_ = true;  // a separator since the last letter; the text starts after one
};

}  // namespace

unsigned char NormalCode(unsigned char byte) {
  return kCodes[byte];
}

std::string NormalForm(std::string_view text) {
  if (text.empty()) return {};
  std::string out(text.size() + 1, '\0');
  Writer writer(out.data());
  for (const char ch : text) {
    const unsigned char code = kCodes[static_cast<unsigned char>(ch)];
    if (code > ' ')
      writer.Word(static_cast<char>(code));
    else if (code == ' ')
      writer.Separator();
  }
  out.resize(writer.Finish());
  return out;
}

}  // namespace tevanor
