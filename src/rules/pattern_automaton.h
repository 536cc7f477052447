#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/function_ref.h"

namespace tevanor {

// Finds many byte patterns in a text in one pass (Aho–Corasick over byte classes). Each pattern
// carries an id, its position in the list it comes from; several patterns may share a text.
// Built once when a list changes, then used for every text.
//
// The shallow states, where ordinary text spends nearly all its time, have full rows of a dense
// table: one read per byte. The deeper ones, as many as the list has bytes, keep only their trie
// edges and their failure link; a byte without an edge follows failure links until a state with
// the edge or a dense state. So the table's size is bounded whatever the list's size, and the
// automaton's memory grows with the list's bytes.
class PatternAutomaton {
 public:
  enum class Case {
    kExact,  // bytes compare as they are
    kUpper,  // patterns and text compare as their Windows-1252 upper-case copies
    // Patterns are normal forms (text/normal_form.h) and the text is searched as its form
    // would be, without writing it: a byte compares as its code, a byte the form removes
    // leaves the state as it is, and so does a separator after a state reached by a space;
    // the text starts after a space. Only the joining of spelled-out words is left out.
    kNormal,
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
  // Dense table cells by default: 1 Mi cells (4 MiB) give full rows to the first 1 Mi / (byte
  // classes) states in breadth-first order, over twenty thousand for a list of letters and
  // digits, far more than ordinary text reaches.
  static constexpr std::size_t kDefaultDenseCells = std::size_t{1} << 20;

  // An automaton without patterns: it finds nothing.
  PatternAutomaton() = default;
  // The first `denseCells` / (byte classes) states in breadth-first order, and at least the
  // start state, get dense rows; `denseCells` is rounded down to a power of two, and the dense
  // table takes at most twice as many cells.
  static PatternAutomaton Build(std::span<const Pattern> patterns, Case rule,
                                std::size_t denseCells = kDefaultDenseCells);

  // The smallest id of a pattern that occurs in `text`, when it is smaller than `below`;
  // otherwise `below`.
  std::uint32_t SmallestId(std::string_view text, std::uint32_t below = kNone) const;
  // first.SmallestId(text, below), and when that is kNone, second.SmallestId(text) (kNone
  // otherwise). A long text is read once for both: their scans step side by side.
  static std::pair<std::uint32_t, std::uint32_t> SmallestIds(const PatternAutomaton& first,
                                                             const PatternAutomaton& second,
                                                             std::string_view text,
                                                             std::uint32_t below = kNone);
  // Calls `found` with the id of every occurrence of every pattern (ids may repeat).
  void ForEachOccurrence(std::string_view text, FunctionRef<void(std::uint32_t)> found) const;

  bool Empty() const { return endings_.empty(); }
  // Bytes held by the tables.
  std::size_t MemoryBytes() const;

 private:
  struct Ending {
    std::uint32_t id;
    std::uint32_t exact;  // index into exactBegin_, or kNone
  };

  // State numbers: dense states are premultiplied row offsets, those that report nothing
  // first (below fastEnd_, a power of two; the rows up to it unused past the last of them),
  // then those that report ([fastEnd_, denseEnd_)); sparse states follow one number each from
  // denseEnd_, those that report from sparseOutputStart_ on.
  bool Reports(std::uint32_t state) const {
    return state >= sparseOutputStart_ || (state >= fastEnd_ && state < denseEnd_);
  }
  std::uint32_t OutputIndex(std::uint32_t state) const {
    return state < denseEnd_ ? (state - fastEnd_) / stride_
                             : denseOutputs_ + (state - sparseOutputStart_);
  }
  std::uint32_t Step(std::uint32_t state, std::uint32_t cls) const {
    return state < denseEnd_ ? dense_[state + cls] : SparseStep(state, cls);
  }
  std::uint32_t SparseStep(std::uint32_t state, std::uint32_t cls) const;
  // Whether `ending` really ends at `end` in the text that starts at `begin`.
  bool Confirmed(const Ending& ending, const unsigned char* begin, const unsigned char* end) const;
  // The smallest confirmed id below `best` among the patterns that `state` reports.
  std::uint32_t Settle(std::uint32_t state, const unsigned char* begin, const unsigned char* end,
                       std::uint32_t best) const;
  // Scans [from, to) of the text at `begin` from `state`, leaving the state reached in it.
  std::uint32_t ScanSerial(const unsigned char* begin, const unsigned char* from,
                           const unsigned char* to, std::uint32_t& state, std::uint32_t best) const;
  // Whether a scan of `text` is cut into pieces scanned side by side.
  bool Interleaves(std::string_view text) const;
  // Scans `text` for each of `count` automata (one or two), lowering best[j] to the smallest id
  // of automata[j] found; stops when the first one cannot find a smaller id.
  template <int count>
  static void ScanInterleaved(const PatternAutomaton* const* automata, std::string_view text,
                              std::uint32_t* best);

  // Where piece k of the text at `base` starts for a quarter that starts at `first`.
  std::size_t PieceStart(const unsigned char* base, std::size_t first) const;

  std::array<std::uint32_t, 256> classOf_{};
  std::uint32_t stride_ = 1;  // byte classes
  // Under kNormal: the class of the bytes the form removes and that of the separators, the
  // state after the text's leading space, and per sparse state whether a space reached it.
  Case rule_ = Case::kExact;
  std::uint32_t skipClass_ = kNone;
  std::uint32_t spaceClass_ = kNone;
  std::uint32_t start_ = 0;
  std::vector<bool> sparseAfterSpace_;
  // dense_[state + class] is the next state of a dense state; the start state is 0.
  std::vector<std::uint32_t> dense_ = {0};
  std::uint32_t fastEnd_ = 1;
  std::uint32_t denseEnd_ = 1;
  std::uint32_t sparseOutputStart_ = kNone;
  std::uint32_t denseOutputs_ = 0;
  // Sparse state j (number denseEnd_ + j): edges from edgesBegin_[j] to edgesBegin_[j + 1],
  // sorted by class, and its failure link.
  std::vector<std::uint32_t> edgesBegin_;
  std::vector<std::uint16_t> edgeClass_;
  std::vector<std::uint32_t> edgeTarget_;
  std::vector<std::uint32_t> fail_;

  std::size_t longest_ = 0;           // bytes in the longest pattern
  std::uint32_t smallestId_ = kNone;  // nothing can beat this id
  // Per state that reports: the smallest id it may report, its own endings (endings_ from
  // endingsBegin_[o] to endingsBegin_[o + 1]), and the next state that reports among its
  // suffixes.
  std::vector<std::uint32_t> minId_;
  std::vector<std::uint32_t> endingsBegin_;
  std::vector<Ending> endings_;
  std::vector<std::uint32_t> suffixOutput_;
  // The case-sensitive patterns' bytes, one after the other.
  std::string exactBytes_;
  std::vector<std::uint32_t> exactBegin_;
};

}  // namespace tevanor
