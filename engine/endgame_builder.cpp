#include "engine/endgame_builder.h"

#include <algorithm>
#include <cstdio>
#include <unordered_map>

#include "engine/draughts_rules.h"
#include "engine/draughts_squares.h"
#include "engine/endgame_table.h"
#include "engine/search_engine.h"

namespace tavlero {

namespace {

constexpr int kSquares = kDarkCellCount;
constexpr int kLastRow = kDraughtsBoard - 1;
// A successor in which the side to move has no pieces left: lost at once.
constexpr int kNoPiecesLeft = -1;

struct Position {
  int cells[kSquares];
};

// The pieces a square may hold in a position seen from the side to move (+1): men
// never stand on their own promotion row.
bool CanHold(int square, int code) {
  const int row = SquareRow(square);
  if (code == 1) return row != 0;
  if (code == -1) return row != kLastRow;
  return true;
}

class EndgameSolver {
 public:
  void Enumerate() {
    constexpr int kCodes[4] = {1, 2, -1, -2};
    Position p{};
    for (int a = 0; a < kSquares; ++a) {
      for (int ca : kCodes) {
        if (!CanHold(a, ca)) continue;
        p.cells[a] = ca;
        for (int b = a + 1; b < kSquares; ++b) {
          for (int cb : kCodes) {
            if (!CanHold(b, cb)) continue;
            p.cells[b] = cb;
            Add(p);
            for (int c = b + 1; c < kSquares; ++c) {
              for (int cc : kCodes) {
                if (!CanHold(c, cc)) continue;
                p.cells[c] = cc;
                Add(p);
                p.cells[c] = 0;
              }
            }
            p.cells[b] = 0;
          }
        }
        p.cells[a] = 0;
      }
    }
  }

  void LinkSuccessors() {
    firstChild_.assign(positions_.size() + 1, 0);
    for (std::size_t i = 0; i < positions_.size(); ++i) {
      firstChild_[i] = static_cast<int>(children_.size());
      Position board = positions_[i];
      GenerateDraughtsMoves(kShortKingRules, board.cells, 1,
                            [this](const int* after, const int*, int) { children_.push_back(ChildOf(after)); });
    }
    firstChild_[positions_.size()] = static_cast<int>(children_.size());
  }

  // Resolves wins and losses level by level: a position is won in L plies when a
  // move reaches a position lost in L-1, and lost in L when every move reaches a
  // position won and the longest of those wins takes L-1 plies.
  void Solve() {
    const std::size_t count = positions_.size();
    outcome_.assign(count, 0);
    plies_.assign(count, 0);
    for (std::size_t i = 0; i < count; ++i)
      if (firstChild_[i] == firstChild_[i + 1]) outcome_[i] = -1;  // no move: lost now
    for (int level = 1;; ++level) {
      std::vector<std::size_t> won, lost;
      for (std::size_t i = 0; i < count; ++i) {
        if (outcome_[i] != 0) continue;
        bool allWon = true;
        int longest = 0;
        bool wins = false;
        for (int c = firstChild_[i]; c < firstChild_[i + 1]; ++c) {
          const int child = children_[c];
          if (child == kNoPiecesLeft) {
            if (level == 1) wins = true;
            allWon = false;
            continue;
          }
          const int o = outcome_[child];
          if (o == -1 && plies_[child] == level - 1) wins = true;
          if (o != 1) allWon = false;
          else longest = std::max(longest, plies_[child]);
        }
        if (wins) won.push_back(i);
        else if (allWon && longest == level - 1) lost.push_back(i);
      }
      if (won.empty() && lost.empty()) break;
      for (std::size_t i : won) outcome_[i] = 1, plies_[i] = level;
      for (std::size_t i : lost) outcome_[i] = -1, plies_[i] = level;
    }
  }

  std::vector<EndgameRecord> Records() const {
    std::vector<EndgameRecord> records;
    records.reserve(positions_.size());
    for (std::size_t i = 0; i < positions_.size(); ++i) {
      std::int32_t score = 0;
      if (outcome_[i] > 0) score = kWinScore - plies_[i];
      if (outcome_[i] < 0) score = plies_[i] - kWinScore;
      records.push_back({keys_[i], score});
    }
    std::sort(records.begin(), records.end(),
              [](const EndgameRecord& a, const EndgameRecord& b) { return a.key < b.key; });
    return records;
  }

 private:
  void Add(const Position& p) {
    bool own = false, other = false;
    for (int code : p.cells) {
      own |= code > 0;
      other |= code < 0;
    }
    if (!own || !other) return;
    const std::int32_t key = MakeEndgameKey(1, p.cells);
    if (index_.emplace(key, static_cast<int>(positions_.size())).second) {
      positions_.push_back(p);
      keys_.push_back(key);
    }
  }

  // The successor seen from its own side to move (-1).
  int ChildOf(const int* after) const {
    bool moverLeft = false;
    for (int i = 0; i < kSquares; ++i) moverLeft |= after[i] < 0;
    if (!moverLeft) return kNoPiecesLeft;
    const auto it = index_.find(MakeEndgameKey(-1, after));
    // Every successor of a listed position is listed: pieces are never added.
    return it == index_.end() ? kNoPiecesLeft : it->second;
  }

  std::vector<Position> positions_;
  std::vector<std::int32_t> keys_;
  std::unordered_map<std::int32_t, int> index_;
  std::vector<int> firstChild_;
  std::vector<int> children_;
  std::vector<int> outcome_;
  std::vector<int> plies_;
};

void PutLittleEndian(unsigned char* out, std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  out[0] = static_cast<unsigned char>(v);
  out[1] = static_cast<unsigned char>(v >> 8);
  out[2] = static_cast<unsigned char>(v >> 16);
  out[3] = static_cast<unsigned char>(v >> 24);
}

}  // namespace

std::vector<EndgameRecord> BuildEndgameRecords() {
  EndgameSolver solver;
  solver.Enumerate();
  solver.LinkSuccessors();
  solver.Solve();
  return solver.Records();
}

bool WriteEndgameFile(const std::string& fileName, const std::vector<EndgameRecord>& records) {
  std::FILE* file = std::fopen(fileName.c_str(), "wb");
  if (!file) return false;
  bool ok = true;
  for (const EndgameRecord& r : records) {
    unsigned char bytes[8];
    PutLittleEndian(bytes, r.key);
    PutLittleEndian(bytes + 4, r.score);
    ok = ok && std::fwrite(bytes, 1, sizeof bytes, file) == sizeof bytes;
  }
  return std::fclose(file) == 0 && ok;
}

int EndgameOutcome(std::int32_t score) { return score > 0 ? 1 : score < 0 ? -1 : 0; }

int EndgamePlies(std::int32_t score) {
  if (score > 0) return kWinScore - score;
  if (score < 0) return score + kWinScore;
  return 0;
}

}  // namespace tavlero
