#include "rules/pattern_automaton.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <utility>

#include "text/cp1252.h"
#include "text/normal_form.h"

namespace tevanor {

namespace {

// Texts from this size on are cut into four overlapping pieces scanned side by side: each step
// of one scan waits for the table read of the step before, four independent scans keep the
// processor busy in the meantime.
constexpr std::size_t kInterleaveFrom = 4096;
constexpr int kStreams = 4;

unsigned char Fold(unsigned char byte, PatternAutomaton::Case rule) {
  switch (rule) {
    case PatternAutomaton::Case::kUpper:
      return ToUpper(byte);
    case PatternAutomaton::Case::kNormal:
      return NormalCode(byte);
    case PatternAutomaton::Case::kExact:
      break;
  }
  return byte;
}

// The trie of the folded patterns, children of a state sorted by class.
struct Trie {
  std::vector<std::uint32_t> childBegin;  // per state, into childClass and child
  std::vector<std::uint16_t> childClass;
  std::vector<std::uint32_t> child;
  std::vector<std::uint32_t> endOf;  // per pattern, the state where it ends

  std::uint32_t States() const { return static_cast<std::uint32_t>(childBegin.size() - 1); }
  std::uint32_t Child(std::uint32_t state, std::uint32_t cls) const {
    for (std::uint32_t e = childBegin[state]; e < childBegin[state + 1]; ++e)
      if (childClass[e] >= cls) return childClass[e] == cls ? child[e] : PatternAutomaton::kNone;
    return PatternAutomaton::kNone;
  }
};

// Sorted, the patterns that share a prefix stand together, so each one adds states only past
// its common prefix with the one before, and a state's children appear in class order (classes
// follow the byte order).
Trie BuildTrie(const std::vector<std::string>& folded,
               const std::array<std::uint32_t, 256>& classOfFolded) {
  std::vector<std::uint32_t> sorted(folded.size());
  for (std::uint32_t i = 0; i < sorted.size(); ++i) sorted[i] = i;
  std::sort(sorted.begin(), sorted.end(),
            [&folded](std::uint32_t x, std::uint32_t y) { return folded[x] < folded[y]; });

  Trie trie;
  trie.endOf.resize(folded.size());
  std::vector<std::uint32_t> parent = {PatternAutomaton::kNone};
  std::vector<std::uint16_t> label = {0};
  std::vector<std::uint32_t> path = {0};  // the states along the previous pattern
  std::string_view previous;
  for (const std::uint32_t p : sorted) {
    const std::string_view bytes = folded[p];
    std::size_t common = 0;
    while (common < bytes.size() && common < previous.size() && bytes[common] == previous[common])
      ++common;
    path.resize(common + 1);
    for (std::size_t d = common; d < bytes.size(); ++d) {
      parent.push_back(path.back());
      label.push_back(
          static_cast<std::uint16_t>(classOfFolded[static_cast<unsigned char>(bytes[d])]));
      path.push_back(static_cast<std::uint32_t>(parent.size() - 1));
    }
    trie.endOf[p] = path[bytes.size()];
    previous = bytes;
  }

  const auto states = static_cast<std::uint32_t>(parent.size());
  trie.childBegin.assign(states + 1, 0);
  for (std::uint32_t s = 1; s < states; ++s) ++trie.childBegin[parent[s] + 1];
  for (std::uint32_t s = 0; s < states; ++s) trie.childBegin[s + 1] += trie.childBegin[s];
  trie.childClass.resize(states - 1);
  trie.child.resize(states - 1);
  std::vector<std::uint32_t> fill(trie.childBegin.begin(), trie.childBegin.end() - 1);
  for (std::uint32_t s = 1; s < states; ++s) {
    const std::uint32_t e = fill[parent[s]]++;
    trie.childClass[e] = label[s];
    trie.child[e] = s;
  }
  return trie;
}

}  // namespace

PatternAutomaton PatternAutomaton::Build(std::span<const Pattern> patterns, Case rule,
                                         std::size_t denseCells) {
  PatternAutomaton a;
  if (patterns.empty()) return a;

  // Byte classes: one per byte value that some pattern uses, class 0 for all the others.
  std::array<bool, 256> used{};
  std::vector<std::string> folded;
  folded.reserve(patterns.size());
  for (const Pattern& p : patterns) {
    std::string& bytes = folded.emplace_back(p.bytes);
    for (char& c : bytes) {
      c = static_cast<char>(Fold(static_cast<unsigned char>(c), rule));
      used[static_cast<unsigned char>(c)] = true;
    }
    a.longest_ = std::max(a.longest_, p.bytes.size());
    a.smallestId_ = std::min(a.smallestId_, p.id);
  }
  std::array<std::uint32_t, 256> classOfFolded{};
  std::uint32_t classes = 1;
  for (int b = 0; b < 256; ++b)
    if (used[b]) classOfFolded[b] = classes++;
  for (int b = 0; b < 256; ++b)
    a.classOf_[b] = classOfFolded[Fold(static_cast<unsigned char>(b), rule)];
  a.rule_ = rule;
  if (rule == Case::kNormal) {
    a.skipClass_ = classes++;
    for (int b = 0; b < 256; ++b)
      if (NormalCode(static_cast<unsigned char>(b)) == 0) a.classOf_[b] = a.skipClass_;
    if (used[' ']) a.spaceClass_ = classOfFolded[' '];
  }
  a.stride_ = classes;

  const Trie trie = BuildTrie(folded, classOfFolded);
  const std::uint32_t states = trie.States();
  std::vector<std::uint32_t> ownMin(states, kNone);
  for (std::size_t i = 0; i < patterns.size(); ++i)
    ownMin[trie.endOf[i]] = std::min(ownMin[trie.endOf[i]], patterns[i].id);

  // Breadth first: failure links, for every state the smallest id it may report and the
  // nearest proper suffix state with endings of its own, and the full rows of the first
  // `denseStates` states (rows[i] for order[i], in trie numbers). A state's failure link is
  // shallower, so its row or its own failure link is there before it is needed.
  const std::size_t cells = std::bit_floor(std::clamp<std::size_t>(denseCells, 1, UINT32_MAX / 4));
  const auto denseStates =
      static_cast<std::uint32_t>(std::clamp<std::size_t>(cells / classes, 1, states));
  std::vector<std::uint32_t> rows(std::size_t{denseStates} * classes, 0);
  std::vector<std::uint32_t> rowOf(states, kNone);
  std::vector<std::uint32_t> fail(states, 0), minId(states, kNone), suffixOut(states, kNone);
  std::vector<bool> afterSpace(states, false);  // reached by a space (kNormal)
  std::vector<std::uint32_t> order;
  order.reserve(states);
  order.push_back(0);
  const auto next = [&](std::uint32_t s, std::uint32_t cls) {
    for (;; s = fail[s]) {
      if (rowOf[s] != kNone) return rows[std::size_t{rowOf[s]} * classes + cls];
      if (const std::uint32_t t = trie.Child(s, cls); t != kNone) return t;
    }
  };
  for (std::uint32_t i = 0; i < order.size(); ++i) {
    const std::uint32_t u = order[i];
    if (i < denseStates) {
      rowOf[u] = i;
      std::uint32_t* row = &rows[std::size_t{i} * classes];
      if (u != 0) std::copy_n(&rows[std::size_t{rowOf[fail[u]]} * classes], classes, row);
      for (std::uint32_t e = trie.childBegin[u]; e < trie.childBegin[u + 1]; ++e)
        row[trie.childClass[e]] = trie.child[e];
      // No form holds two spaces in a row, so no failure link is computed through these.
      if (rule == Case::kNormal) {
        row[a.skipClass_] = u;
        if (afterSpace[u]) row[a.spaceClass_] = u;
      }
    }
    for (std::uint32_t e = trie.childBegin[u]; e < trie.childBegin[u + 1]; ++e) {
      const std::uint32_t v = trie.child[e];
      afterSpace[v] = trie.childClass[e] == a.spaceClass_;
      const std::uint32_t f = u == 0 ? 0 : next(fail[u], trie.childClass[e]);
      fail[v] = f;
      minId[v] = std::min(ownMin[v], minId[f]);
      suffixOut[v] = ownMin[f] != kNone ? f : suffixOut[f];
      order.push_back(v);
    }
  }

  // Renumber, each group in breadth-first order: dense states that report nothing (the start
  // state stays 0), dense states that report, sparse states that report nothing, sparse states
  // that report. One comparison then tells that a state is dense and reports nothing.
  std::vector<std::uint32_t> number(states);
  std::uint32_t n = 0;
  const auto numberGroup = [&](std::uint32_t from, std::uint32_t to, bool reports,
                               std::uint32_t step) {
    for (std::uint32_t i = from; i < to; ++i)
      if ((minId[order[i]] != kNone) == reports) number[order[i]] = std::exchange(n, n + step);
  };
  numberGroup(0, denseStates, false, classes);
  a.fastEnd_ = std::bit_ceil(n);  // so that an OR of states tells whether all are below it
  n = a.fastEnd_;
  numberGroup(0, denseStates, true, classes);
  a.denseEnd_ = n;
  numberGroup(denseStates, states, false, 1);
  a.sparseOutputStart_ = n;
  numberGroup(denseStates, states, true, 1);
  a.denseOutputs_ = (a.denseEnd_ - a.fastEnd_) / classes;

  a.dense_.resize(a.denseEnd_);
  for (std::uint32_t i = 0; i < denseStates; ++i)
    for (std::uint32_t c = 0; c < classes; ++c)
      a.dense_[number[order[i]] + c] = number[rows[std::size_t{i} * classes + c]];

  // States by their new numbers: the sparse ones, then every one that reports.
  std::vector<std::uint32_t> sparse(states - denseStates), outputs;
  for (std::uint32_t i = denseStates; i < states; ++i)
    sparse[number[order[i]] - a.denseEnd_] = order[i];
  for (std::uint32_t s = 0; s < states; ++s)
    if (minId[s] != kNone) outputs.push_back(s);
  std::sort(outputs.begin(), outputs.end(),
            [&number](std::uint32_t x, std::uint32_t y) { return number[x] < number[y]; });

  a.start_ = a.spaceClass_ == kNone ? 0 : a.dense_[a.spaceClass_];
  if (rule == Case::kNormal)
    for (const std::uint32_t s : sparse) a.sparseAfterSpace_.push_back(afterSpace[s]);

  a.edgesBegin_.reserve(sparse.size() + 1);
  a.fail_.reserve(sparse.size());
  a.edgeClass_.reserve(states - 1);
  a.edgeTarget_.reserve(states - 1);
  for (const std::uint32_t s : sparse) {
    a.edgesBegin_.push_back(static_cast<std::uint32_t>(a.edgeClass_.size()));
    for (std::uint32_t e = trie.childBegin[s]; e < trie.childBegin[s + 1]; ++e) {
      a.edgeClass_.push_back(trie.childClass[e]);
      a.edgeTarget_.push_back(number[trie.child[e]]);
    }
    a.fail_.push_back(number[fail[s]]);
  }
  a.edgesBegin_.push_back(static_cast<std::uint32_t>(a.edgeClass_.size()));
  a.edgeClass_.shrink_to_fit();
  a.edgeTarget_.shrink_to_fit();

  a.minId_.resize(outputs.size());
  a.suffixOutput_.resize(outputs.size());
  for (std::size_t o = 0; o < outputs.size(); ++o) {
    a.minId_[o] = minId[outputs[o]];
    a.suffixOutput_[o] = suffixOut[outputs[o]] == kNone ? kNone : number[suffixOut[outputs[o]]];
  }
  // Endings grouped by the state where they end, in the patterns' order.
  a.endingsBegin_.assign(outputs.size() + 1, 0);
  for (const std::uint32_t end : trie.endOf) ++a.endingsBegin_[a.OutputIndex(number[end]) + 1];
  for (std::size_t o = 0; o < outputs.size(); ++o) a.endingsBegin_[o + 1] += a.endingsBegin_[o];
  a.endings_.resize(patterns.size());
  std::vector<std::uint32_t> fill(a.endingsBegin_.begin(), a.endingsBegin_.end() - 1);
  for (std::size_t i = 0; i < patterns.size(); ++i) {
    std::uint32_t exact = kNone;
    if (patterns[i].exact && rule == Case::kUpper) {
      exact = static_cast<std::uint32_t>(a.exactBegin_.size());
      a.exactBegin_.push_back(static_cast<std::uint32_t>(a.exactBytes_.size()));
      a.exactBytes_ += patterns[i].bytes;
    }
    a.endings_[fill[a.OutputIndex(number[trie.endOf[i]])]++] = {patterns[i].id, exact};
  }
  a.exactBegin_.push_back(static_cast<std::uint32_t>(a.exactBytes_.size()));
  a.exactBegin_.shrink_to_fit();
  a.exactBytes_.shrink_to_fit();
  return a;
}

std::size_t PatternAutomaton::MemoryBytes() const {
  const auto bytes = [](const auto& v) { return v.capacity() * sizeof(v[0]); };
  return sizeof(*this) + bytes(dense_) + bytes(edgesBegin_) + bytes(edgeClass_) +
         bytes(edgeTarget_) + bytes(fail_) + bytes(minId_) + bytes(endingsBegin_) +
         bytes(endings_) + bytes(suffixOutput_) + bytes(exactBegin_) + exactBytes_.capacity();
}

std::uint32_t PatternAutomaton::SparseStep(std::uint32_t state, std::uint32_t cls) const {
  if (cls == skipClass_ ||
      (cls == spaceClass_ && rule_ == Case::kNormal && sparseAfterSpace_[state - denseEnd_]))
    return state;
  do {
    const std::uint32_t j = state - denseEnd_;
    for (std::uint32_t e = edgesBegin_[j]; e < edgesBegin_[j + 1] && edgeClass_[e] <= cls; ++e)
      if (edgeClass_[e] == cls) return edgeTarget_[e];
    state = fail_[j];
  } while (state >= denseEnd_);
  return dense_[state + cls];
}

bool PatternAutomaton::Confirmed(const Ending& ending, const unsigned char* begin,
                                 const unsigned char* end) const {
  if (ending.exact == kNone) return true;
  const std::size_t size = exactBegin_[ending.exact + 1] - exactBegin_[ending.exact];
  return static_cast<std::size_t>(end - begin) >= size &&
         std::memcmp(end - size, exactBytes_.data() + exactBegin_[ending.exact], size) == 0;
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
  if (below <= smallestId_) return below;
  if (Interleaves(text)) {
    const PatternAutomaton* const self = this;
    ScanInterleaved<1>(&self, text, &below);
    return below;
  }
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  std::uint32_t state = start_;
  return ScanSerial(bytes, bytes, bytes + text.size(), state, below);
}

std::size_t PatternAutomaton::PieceStart(const unsigned char* base, std::size_t first) const {
  if (rule_ != Case::kNormal) return first - (longest_ - 1);
  // Back over as many bytes of the form as the longest pattern holds: a letter is one, a run
  // of separators one, a removed byte none.
  std::size_t p = first, form = 0;
  bool separatorAfter = false;
  while (p > 0 && form < longest_) {
    const std::uint32_t cls = classOf_[base[--p]];
    if (cls == skipClass_) continue;
    const bool separator = cls == spaceClass_;
    form += !(separator && separatorAfter);
    separatorAfter = separator;
  }
  return p;
}

std::uint32_t PatternAutomaton::ScanSerial(const unsigned char* begin, const unsigned char* from,
                                           const unsigned char* to, std::uint32_t& state,
                                           std::uint32_t best) const {
  std::uint32_t s = state;
  for (const unsigned char* p = from; p != to; ++p) {
    s = Step(s, classOf_[*p]);
    if (s >= fastEnd_ && Reports(s) && minId_[OutputIndex(s)] < best) {
      best = Settle(s, begin, p + 1, best);
      if (best <= smallestId_) break;
    }
  }
  state = s;
  return best;
}

std::pair<std::uint32_t, std::uint32_t> PatternAutomaton::SmallestIds(
    const PatternAutomaton& first, const PatternAutomaton& second, std::string_view text,
    std::uint32_t below) {
  if (below <= first.smallestId_) return {below, kNone};
  if (!first.Interleaves(text) || !second.Interleaves(text)) {
    const std::uint32_t found = first.SmallestId(text, below);
    return {found, found == kNone ? second.SmallestId(text) : kNone};
  }
  const PatternAutomaton* const both[2] = {&first, &second};
  std::uint32_t best[2] = {below, kNone};
  ScanInterleaved<2>(both, text, best);
  return {best[0], best[0] == kNone ? best[1] : kNone};
}

bool PatternAutomaton::Interleaves(std::string_view text) const {
  return !Empty() && text.size() >= kInterleaveFrom && longest_ * 16 <= text.size();
}

template <int count>
void PatternAutomaton::ScanInterleaved(const PatternAutomaton* const* automata,
                                       std::string_view text, std::uint32_t* best) {
  // Piece k reports the matches that end in its quarter; it starts early enough for every
  // automaton to see its longest pattern that ends at the quarter's first byte.
  const auto* base = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  const unsigned char* pos[kStreams];
  const unsigned char* end[kStreams];
  std::size_t common = n;
  for (int k = 0; k < kStreams; ++k) {
    const std::size_t first = n * k / kStreams;
    std::size_t start = first;
    for (int j = 0; j < count && k > 0; ++j)
      start = std::min(start, automata[j]->PieceStart(base, first));
    pos[k] = base + start;
    end[k] = base + n * (k + 1) / kStreams;
    common = std::min(common, static_cast<std::size_t>(end[k] - pos[k]));
  }

  // The four scans of an automaton take one read of its dense table a byte, through the byte's
  // column, while all of them stand in states that report nothing: the OR of their numbers is
  // below fastEnd_, a power of two. When one of them reaches a state that reports or a sparse
  // state, all the scans step one byte at a time until they are all back.
  const std::uint32_t* column[count][256];
  std::uint32_t fastEnd[count], s[count][kStreams];
  for (int j = 0; j < count; ++j) {
    const PatternAutomaton& a = *automata[j];
    for (int b = 0; b < 256; ++b) column[j][b] = a.dense_.data() + a.classOf_[b];
    fastEnd[j] = a.fastEnd_;
    std::fill_n(s[j], kStreams, 0u);
    s[j][0] = a.start_;
  }
  const auto allFast = [&] {
    for (int j = 0; j < count; ++j)
      if ((s[j][0] | s[j][1] | s[j][2] | s[j][3]) >= fastEnd[j]) return false;
    return true;
  };
  const std::uint32_t firstFloor = automata[0]->smallestId_;
  std::size_t i = 0;
  while (i < common) {
    if constexpr (count == 1) {
      const std::uint32_t* const* const c = column[0];
      const std::uint32_t f = fastEnd[0];
      std::uint32_t s0 = s[0][0], s1 = s[0][1], s2 = s[0][2], s3 = s[0][3];
      for (; i < common; ++i) {
        s0 = c[pos[0][i]][s0];
        s1 = c[pos[1][i]][s1];
        s2 = c[pos[2][i]][s2];
        s3 = c[pos[3][i]][s3];
        if ((s0 | s1 | s2 | s3) >= f) break;
      }
      s[0][0] = s0, s[0][1] = s1, s[0][2] = s2, s[0][3] = s3;
    } else {
      // Each byte of the text is read once for both automata.
      const std::uint32_t* const* const c = column[0];
      const std::uint32_t* const* const d = column[1];
      const std::uint32_t f = fastEnd[0], g = fastEnd[1];
      std::uint32_t s0 = s[0][0], s1 = s[0][1], s2 = s[0][2], s3 = s[0][3];
      std::uint32_t t0 = s[1][0], t1 = s[1][1], t2 = s[1][2], t3 = s[1][3];
      for (; i < common; ++i) {
        const unsigned b0 = pos[0][i], b1 = pos[1][i], b2 = pos[2][i], b3 = pos[3][i];
        s0 = c[b0][s0];
        t0 = d[b0][t0];
        s1 = c[b1][s1];
        t1 = d[b1][t1];
        s2 = c[b2][s2];
        t2 = d[b2][t2];
        s3 = c[b3][s3];
        t3 = d[b3][t3];
        if ((s0 | s1 | s2 | s3) >= f || (t0 | t1 | t2 | t3) >= g) break;
      }
      s[0][0] = s0, s[0][1] = s1, s[0][2] = s2, s[0][3] = s3;
      s[1][0] = t0, s[1][1] = t1, s[1][2] = t2, s[1][3] = t3;
    }
    if (i == common) break;
    for (++i;;) {
      for (int j = 0; j < count; ++j) {
        const PatternAutomaton& a = *automata[j];
        for (int k = 0; k < kStreams; ++k)
          if (s[j][k] >= fastEnd[j] && a.Reports(s[j][k]) &&
              a.minId_[a.OutputIndex(s[j][k])] < best[j])
            best[j] = a.Settle(s[j][k], base, pos[k] + i, best[j]);
      }
      if (best[0] <= firstFloor) return;
      if (i == common || allFast()) break;
      for (int j = 0; j < count; ++j)
        for (int k = 0; k < kStreams; ++k)
          s[j][k] = automata[j]->Step(s[j][k], automata[j]->classOf_[pos[k][i]]);
      ++i;
    }
  }
  for (int j = 0; j < count; ++j)
    for (int k = 0; k < kStreams && best[0] > firstFloor; ++k)
      best[j] = automata[j]->ScanSerial(base, pos[k] + common, end[k], s[j][k], best[j]);
}

void PatternAutomaton::ForEachOccurrence(std::string_view text,
                                         FunctionRef<void(std::uint32_t)> found) const {
  if (endings_.empty()) return;
  const auto* begin = reinterpret_cast<const unsigned char*>(text.data());
  std::uint32_t s = start_;
  for (const unsigned char* p = begin; p != begin + text.size(); ++p) {
    s = Step(s, classOf_[*p]);
    if (s < fastEnd_ || !Reports(s)) continue;
    for (std::uint32_t out = s; out != kNone; out = suffixOutput_[OutputIndex(out)]) {
      const std::uint32_t o = OutputIndex(out);
      for (std::uint32_t i = endingsBegin_[o]; i < endingsBegin_[o + 1]; ++i)
        if (Confirmed(endings_[i], begin, p + 1)) found(endings_[i].id);
    }
  }
}

}  // namespace tevanor
