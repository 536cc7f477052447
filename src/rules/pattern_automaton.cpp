#include "rules/pattern_automaton.h"

#include <algorithm>
#include <cstring>

#include "text/cp1252.h"

namespace tevanor {

namespace {

// Texts from this size on are cut into four overlapping pieces scanned side by side: each step
// of one scan waits for the table read of the step before, four independent scans keep the
// processor busy in the meantime.
constexpr std::size_t kInterleaveFrom = 4096;
constexpr int kStreams = 4;

unsigned char Fold(unsigned char byte, PatternAutomaton::Case rule) {
  return rule == PatternAutomaton::Case::kUpper ? ToUpper(byte) : byte;
}

}  // namespace

std::optional<PatternAutomaton> PatternAutomaton::Build(std::span<const Pattern> patterns,
                                                        Case rule, std::size_t maxCells) {
  PatternAutomaton a;

  // Byte classes: one per byte value that some pattern uses, class 0 for all the others.
  std::array<bool, 256> used{};
  std::size_t totalBytes = 0;
  for (const Pattern& p : patterns) {
    for (const char c : p.bytes) used[Fold(static_cast<unsigned char>(c), rule)] = true;
    totalBytes += p.bytes.size();
    a.longest_ = std::max(a.longest_, p.bytes.size());
    a.smallestId_ = std::min(a.smallestId_, p.id);
  }
  std::array<std::uint32_t, 256> classOfFolded{};
  std::uint32_t classes = 1;
  for (int b = 0; b < 256; ++b)
    if (used[b]) classOfFolded[b] = classes++;
  // The trie has at most one state per pattern byte, plus the start.
  if (totalBytes + 1 > maxCells / classes) return std::nullopt;
  for (int b = 0; b < 256; ++b)
    a.classOf_[b] = classOfFolded[Fold(static_cast<unsigned char>(b), rule)];
  a.stride_ = classes;

  // The trie: go[state * classes + class], kMissing where no pattern continues.
  constexpr std::int32_t kMissing = -1;
  std::vector<std::int32_t> go(classes, kMissing);
  struct End {
    std::uint32_t state;
    Ending ending;
  };
  std::vector<End> ends;
  for (const Pattern& p : patterns) {
    std::uint32_t state = 0;
    for (const char c : p.bytes) {
      const std::uint32_t cls = a.classOf_[static_cast<unsigned char>(c)];
      if (go[state * classes + cls] == kMissing) {
        go[state * classes + cls] = static_cast<std::int32_t>(go.size() / classes);
        go.resize(go.size() + classes, kMissing);
      }
      state = static_cast<std::uint32_t>(go[state * classes + cls]);
    }
    std::uint32_t exact = kNone;
    if (p.exact && rule == Case::kUpper) {
      exact = static_cast<std::uint32_t>(a.exactBytes_.size());
      a.exactBytes_.emplace_back(p.bytes);
    }
    ends.push_back({state, {p.id, exact}});
  }
  const auto states = static_cast<std::uint32_t>(go.size() / classes);
  std::vector<std::uint32_t> ownMin(states, kNone);
  for (const End& e : ends) ownMin[e.state] = std::min(ownMin[e.state], e.ending.id);

  // Breadth first: failure links, the full transition table, and for every state the smallest
  // id it may report and the nearest proper suffix state with endings of its own.
  std::vector<std::uint32_t> fail(states, 0), minId(states, kNone), suffixOut(states, kNone);
  std::vector<std::uint32_t> order;
  order.reserve(states);
  order.push_back(0);
  for (std::size_t i = 0; i < order.size(); ++i) {
    const std::uint32_t u = order[i];
    for (std::uint32_t c = 0; c < classes; ++c) {
      std::int32_t& cell = go[u * classes + c];
      if (cell == kMissing) {
        cell = u == 0 ? 0 : go[fail[u] * classes + c];
        continue;
      }
      const auto v = static_cast<std::uint32_t>(cell);
      const std::uint32_t f = u == 0 ? 0 : static_cast<std::uint32_t>(go[fail[u] * classes + c]);
      fail[v] = f;
      minId[v] = std::min(ownMin[v], minId[f]);
      suffixOut[v] = ownMin[f] != kNone ? f : suffixOut[f];
      order.push_back(v);
    }
  }

  // Renumber: states that report nothing first (the start state stays 0), then the others, so
  // that one comparison tells whether a state reports anything.
  std::vector<std::uint32_t> renumbered(states);
  std::uint32_t next = 0;
  for (const std::uint32_t s : order)
    if (minId[s] == kNone) renumbered[s] = next++;
  const std::uint32_t firstOutput = next;
  for (const std::uint32_t s : order)
    if (minId[s] != kNone) renumbered[s] = next++;
  a.outputStart_ = firstOutput * classes;

  a.next_.resize(static_cast<std::size_t>(states) * classes);
  for (std::uint32_t s = 0; s < states; ++s)
    for (std::uint32_t c = 0; c < classes; ++c)
      a.next_[renumbered[s] * classes + c] =
          renumbered[static_cast<std::uint32_t>(go[s * classes + c])] * classes;

  const std::uint32_t outputs = states - firstOutput;
  a.minId_.assign(outputs, kNone);
  a.suffixOutput_.assign(outputs, kNone);
  for (std::uint32_t s = 0; s < states; ++s) {
    if (minId[s] == kNone) continue;
    const std::uint32_t o = renumbered[s] - firstOutput;
    a.minId_[o] = minId[s];
    if (suffixOut[s] != kNone) a.suffixOutput_[o] = renumbered[suffixOut[s]] * classes;
  }
  std::stable_sort(ends.begin(), ends.end(), [&renumbered](const End& x, const End& y) {
    return renumbered[x.state] < renumbered[y.state];
  });
  a.endingsBegin_.assign(outputs + 1, 0);
  for (const End& e : ends) {
    ++a.endingsBegin_[renumbered[e.state] - firstOutput + 1];
    a.endings_.push_back(e.ending);
  }
  for (std::uint32_t o = 0; o < outputs; ++o) a.endingsBegin_[o + 1] += a.endingsBegin_[o];
  return a;
}

bool PatternAutomaton::Confirmed(const Ending& ending, const unsigned char* begin,
                                 const unsigned char* end) const {
  if (ending.exact == kNone) return true;
  const std::string& bytes = exactBytes_[ending.exact];
  return static_cast<std::size_t>(end - begin) >= bytes.size() &&
         std::memcmp(end - bytes.size(), bytes.data(), bytes.size()) == 0;
}

std::uint32_t PatternAutomaton::Settle(std::uint32_t state, const unsigned char* begin,
                                       const unsigned char* end, std::uint32_t best) const {
  for (std::uint32_t out = state; out != kNone; out = suffixOutput_[OutputIndex(out)]) {
    const std::uint32_t o = OutputIndex(out);
    for (std::uint32_t i = endingsBegin_[o]; i < endingsBegin_[o + 1]; ++i)
      if (endings_[i].id < best && Confirmed(endings_[i], begin, end)) best = endings_[i].id;
  }
  return best;
}

std::uint32_t PatternAutomaton::SmallestId(std::string_view text, std::uint32_t below) const {
  if (below <= smallestId_ || next_.empty()) return below;
  if (text.size() >= kInterleaveFrom && longest_ * 16 <= text.size())
    return ScanInterleaved(text, below);
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  std::uint32_t state = 0;
  return ScanSerial(bytes, bytes, bytes + text.size(), state, below);
}

std::uint32_t PatternAutomaton::ScanSerial(const unsigned char* begin, const unsigned char* from,
                                           const unsigned char* to, std::uint32_t& state,
                                           std::uint32_t best) const {
  const std::uint32_t* next = next_.data();
  std::uint32_t s = state;
  for (const unsigned char* p = from; p != to; ++p) {
    const std::uint32_t* column = next + classOf_[*p];
    s = column[s];
    if (s >= outputStart_ && minId_[OutputIndex(s)] < best) {
      best = Settle(s, begin, p + 1, best);
      if (best <= smallestId_) break;
    }
  }
  state = s;
  return best;
}

std::uint32_t PatternAutomaton::ScanInterleaved(std::string_view text, std::uint32_t best) const {
  // Piece k reports the matches that end in its quarter; it starts early enough to see the
  // longest pattern that ends at the quarter's first byte.
  const auto* base = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  const std::size_t overlap = longest_ - 1;
  const unsigned char* pos[kStreams];
  const unsigned char* end[kStreams];
  std::size_t common = n;
  for (int k = 0; k < kStreams; ++k) {
    const std::size_t first = n * k / kStreams;
    pos[k] = base + (k == 0 ? 0 : first - overlap);
    end[k] = base + n * (k + 1) / kStreams;
    common = std::min(common, static_cast<std::size_t>(end[k] - pos[k]));
  }

  const std::uint32_t* next = next_.data();
  std::uint32_t s[kStreams] = {};
  for (std::size_t i = 0; i < common; ++i) {
    s[0] = (next + classOf_[pos[0][i]])[s[0]];
    s[1] = (next + classOf_[pos[1][i]])[s[1]];
    s[2] = (next + classOf_[pos[2][i]])[s[2]];
    s[3] = (next + classOf_[pos[3][i]])[s[3]];
    if (std::max(std::max(s[0], s[1]), std::max(s[2], s[3])) >= outputStart_) {
      for (int k = 0; k < kStreams; ++k)
        if (s[k] >= outputStart_ && minId_[OutputIndex(s[k])] < best)
          best = Settle(s[k], base, pos[k] + i + 1, best);
      if (best <= smallestId_) return best;
    }
  }
  for (int k = 0; k < kStreams && best > smallestId_; ++k)
    best = ScanSerial(base, pos[k] + common, end[k], s[k], best);
  return best;
}

void PatternAutomaton::ForEachOccurrence(std::string_view text,
                                         FunctionRef<void(std::uint32_t)> found) const {
  if (next_.empty()) return;
  const auto* begin = reinterpret_cast<const unsigned char*>(text.data());
  std::uint32_t s = 0;
  for (const unsigned char* p = begin; p != begin + text.size(); ++p) {
    s = next_[s + classOf_[*p]];
    if (s < outputStart_) continue;
    for (std::uint32_t out = s; out != kNone; out = suffixOutput_[OutputIndex(out)]) {
      const std::uint32_t o = OutputIndex(out);
      for (std::uint32_t i = endingsBegin_[o]; i < endingsBegin_[o + 1]; ++i)
        if (Confirmed(endings_[i], begin, p + 1)) found(endings_[i].id);
    }
  }
}

}  // namespace tevanor
