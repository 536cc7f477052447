#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/function_ref.h"

namespace tevanor {

// Finds many byte patterns in a text in one pass (Aho–Corasick as a dense table over byte
// classes). Each pattern carries an id, its position in the list it comes from; several
// patterns may share a text. Built once when a list changes, then used for every text.
class PatternAutomaton {
 public:
  enum class Case {
    kExact,  // bytes compare as they are
    kUpper,  // patterns and text compare as their Windows-1252 upper-case copies
  };
  struct Pattern {
    std::string_view bytes;  // never empty
    std::uint32_t id;
    // Under kUpper: the pattern must also occur byte for byte. The upper-case search finds
    // where it may stand and the text's own bytes there confirm it, so case-sensitive words
    // share the one pass with the others.
    bool exact = false;
  };
  static constexpr std::uint32_t kNone = UINT32_MAX;
  // Table cells allowed by default: 4 Mi cells (16 MiB) hold the library and thousands of
  // words; a list beyond that is matched without an automaton.
  static constexpr std::size_t kDefaultMaxCells = std::size_t{1} << 22;

  // nullopt when the table would exceed `maxCells`.
  static std::optional<PatternAutomaton> Build(std::span<const Pattern> patterns, Case rule,
                                               std::size_t maxCells = kDefaultMaxCells);

  // The smallest id of a pattern that occurs in `text`, when it is smaller than `below`;
  // otherwise `below`.
  std::uint32_t SmallestId(std::string_view text, std::uint32_t below = kNone) const;
  // Calls `found` with the id of every occurrence of every pattern (ids may repeat).
  void ForEachOccurrence(std::string_view text, FunctionRef<void(std::uint32_t)> found) const;

 private:
  struct Ending {
    std::uint32_t id;
    std::uint32_t exact;  // index into exactBytes_, or kNone
  };

  PatternAutomaton() = default;
  std::uint32_t OutputIndex(std::uint32_t state) const { return (state - outputStart_) / stride_; }
  // Whether `ending` really ends at `end` in the text that starts at `begin`.
  bool Confirmed(const Ending& ending, const unsigned char* begin, const unsigned char* end) const;
  // The smallest confirmed id below `best` among the patterns that `state` reports.
  std::uint32_t Settle(std::uint32_t state, const unsigned char* begin, const unsigned char* end,
                       std::uint32_t best) const;
  // Scans [from, to) of the text at `begin` from `state`, leaving the state reached in it.
  std::uint32_t ScanSerial(const unsigned char* begin, const unsigned char* from,
                           const unsigned char* to, std::uint32_t& state, std::uint32_t best) const;
  std::uint32_t ScanInterleaved(std::string_view text, std::uint32_t best) const;

  // next_[state + class] is the next state; states are premultiplied by stride_ (the number of
  // classes), the start state is 0, and every state from outputStart_ on ends a pattern.
  std::vector<std::uint32_t> next_;
  std::array<std::uint32_t, 256> classOf_{};
  std::uint32_t stride_ = 1;
  std::uint32_t outputStart_ = 0;
  std::size_t longest_ = 0;           // bytes in the longest pattern
  std::uint32_t smallestId_ = kNone;  // nothing can beat this id
  // Per output state: the smallest id it may report, its own endings (endings_ from
  // endingsBegin_[o] to endingsBegin_[o + 1]), and the next output state among its suffixes.
  std::vector<std::uint32_t> minId_;
  std::vector<std::uint32_t> endingsBegin_;
  std::vector<Ending> endings_;
  std::vector<std::uint32_t> suffixOutput_;
  std::vector<std::string> exactBytes_;
};

}  // namespace tevanor
