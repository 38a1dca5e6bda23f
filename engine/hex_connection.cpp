#include "engine/hex_connection.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <utility>

#include "engine/search_engine.h"

namespace tavlero {

namespace {

constexpr int kNeighbours[6][2] = {{-1, 0}, {-1, -1}, {0, -1}, {0, 1}, {1, 1}, {1, 0}};

// Bridge partners of a cell, each with the two cells that carry the bridge.
struct Bridge {
  int dr, dq;
  int carrier1[2];
  int carrier2[2];
};
constexpr Bridge kBridges[6] = {
    {-1, -2, {-1, -1}, {0, -1}}, {-2, -1, {-1, -1}, {-1, 0}}, {-1, 1, {-1, 0}, {0, 1}},
    {1, 2, {1, 1}, {0, 1}},      {2, 1, {1, 1}, {1, 0}},      {1, -1, {1, 0}, {0, -1}},
};

int ClampSide(int n) { return std::clamp(n, 0, kHexMaxSide); }

// A set of cells of the grid: one bit per column q in each row r.
struct CellSet {
  std::uint16_t row[kHexMaxSide] = {};

  bool Empty(int n) const {
    for (int r = 0; r < n; ++r)
      if (row[r]) return false;
    return true;
  }
  bool Has(int r, int q) const { return row[r] >> q & 1; }
};

// The connection-distance computation over one side's grid. Every rule of it is a
// monotone spread (distances, levels, groups), so it is worked out a whole row at a
// time on cell sets.
class ConnectionMeter {
 public:
  explicit ConnectionMeter(const HexGrid& grid) : g_(grid), n_(grid.n), full_((1u << grid.n) - 1) {
    for (int r = 0; r < n_; ++r) {
      for (int q = 0; q < n_; ++q) {
        if (g_.own[r][q]) own_.row[r] |= static_cast<std::uint16_t>(1u << q);
        if (!g_.other[r][q]) free_.row[r] |= static_cast<std::uint16_t>(1u << q);
      }
      empty_.row[r] = free_.row[r] & ~own_.row[r];
    }
  }

  HexDistance Run() {
    HexDistance result;
    result.plain = n_ * n_ + 1;
    if (n_ <= 0) return result;
    const int plain = PlainDistance();
    if (plain < 0) return result;
    result.plain = plain;
    result.level = Level();
    return result;
  }

 private:
  // The cells next to a cell of the set (six neighbours, within the board).
  CellSet Neighbours(const CellSet& s) const {
    CellSet out;
    for (int r = 0; r < n_; ++r) {
      unsigned bits = s.row[r] << 1 | s.row[r] >> 1;
      if (r + 1 < n_) bits |= s.row[r + 1] | s.row[r + 1] >> 1;
      if (r > 0) bits |= s.row[r - 1] | s.row[r - 1] << 1;
      out.row[r] = static_cast<std::uint16_t>(bits & full_);
    }
    return out;
  }

  // The cells (r, q) whose cell (r + dr, q + dq) is in the set.
  CellSet Moved(const CellSet& s, int dr, int dq) const {
    CellSet out;
    for (int r = 0; r < n_; ++r) {
      const int from = r + dr;
      if (from < 0 || from >= n_) continue;
      const unsigned bits = dq >= 0 ? s.row[from] >> dq : s.row[from] << -dq;
      out.row[r] = static_cast<std::uint16_t>(bits & full_);
    }
    return out;
  }

  // Adds to `set` the own groups that touch it.
  void AddTouchingGroups(CellSet& set, const CellSet& excluded) const {
    for (bool grew = true; grew;) {
      grew = false;
      const CellSet around = Neighbours(set);
      for (int r = 0; r < n_; ++r) {
        const std::uint16_t added = around.row[r] & own_.row[r] & ~excluded.row[r] & ~set.row[r];
        if (added) {
          set.row[r] |= added;
          grew = true;
        }
      }
    }
  }

  bool TouchesFarColumn(const CellSet& s) const {
    for (int r = 0; r < n_; ++r)
      if (s.Has(r, n_ - 1)) return true;
    return false;
  }

  // Fewest empty cells on a chain of free cells from column 0 to column n - 1 (own
  // stones cost nothing), or -1 when there is none: waves from the near edge, each
  // taking in the own groups it touches.
  int PlainDistance() const {
    CellSet reached, wave, next;
    for (int r = 0; r < n_; ++r) {
      wave.row[r] = own_.row[r] & 1u;
      next.row[r] = empty_.row[r] & 1u;  // an empty edge cell is one step in
    }
    AddTouchingGroups(wave, CellSet{});
    for (int level = 0; level <= n_ * n_ + 1; ++level) {
      if (level > 0) AddTouchingGroups(wave, reached);
      for (int r = 0; r < n_; ++r) reached.row[r] |= wave.row[r];
      if (TouchesFarColumn(reached)) return level;
      const CellSet around = Neighbours(wave);
      bool any = false;
      for (int r = 0; r < n_; ++r) {
        next.row[r] |= around.row[r] & empty_.row[r] & ~reached.row[r];
        any |= next.row[r] != 0;
      }
      if (!any) return -1;
      wave = next;
      next = CellSet{};
    }
    return -1;
  }

  bool Own(int r, int q) const { return g_.Own(r, q); }
  bool Free(int r, int q) const { return g_.Free(r, q); }
  bool AllFree(std::initializer_list<std::pair<int, int>> cells) const {
    for (const auto& [r, q] : cells) {
      if (!Free(r, q)) return false;
    }
    return true;
  }
  // Every cell of column q, rows `from` ... `to`, is free.
  bool ColumnFree(int q, int from, int to) const {
    for (int r = from; r <= to; ++r) {
      if (!Free(r, q)) return false;
    }
    return true;
  }

  // Level 0 holds own stones on the near edge or on a near-edge template's anchor,
  // level 1 the free cells in those places.
  void MarkNearAnchor(int r, int q) {
    if (Own(r, q)) {
      levels_[0].row[r] |= static_cast<std::uint16_t>(1u << q);
    } else if (Free(r, q)) {
      levels_[1].row[r] |= static_cast<std::uint16_t>(1u << q);
    }
  }

  // Shapes that join a cell of columns 1 to 3 to the near edge whatever the other side
  // plays into them.
  void SeedNearEdge() {
    for (int r = 0; r < n_; ++r)
      if (Own(r, 0) || Free(r, 0)) MarkNearAnchor(r, 0);
    for (int r = 1; r <= n_ - 1; ++r) {
      if (AllFree({{r, 0}, {r - 1, 0}})) MarkNearAnchor(r, 1);
    }
    for (int r = 2; r <= n_ - 2; ++r) {
      if (AllFree({{r, 1}, {r - 1, 1}, {r - 2, 0}, {r - 1, 0}, {r, 0}}) &&
          (AllFree({{r + 1, 2}, {r + 1, 1}, {r + 1, 0}}) || Own(r - 2, 0) || Own(r, 0))) {
        MarkNearAnchor(r, 2);
      }
    }
    for (int r = 3; r <= n_ - 1; ++r) {
      if (AllFree({{r - 1, 1}, {r, 1}, {r - 2, 0}, {r - 1, 0}, {r, 0}}) &&
          (AllFree({{r - 1, 2}, {r - 2, 1}, {r - 3, 0}}) || Own(r - 2, 0) || Own(r, 0))) {
        MarkNearAnchor(r, 2);
      }
    }
    for (int r = 4; r <= n_ - 3; ++r) {
      if (Free(r + 1, 3) && ColumnFree(2, r - 2, r + 2) && ColumnFree(1, r - 3, r + 2) && ColumnFree(0, r - 4, r + 2)) {
        MarkNearAnchor(r, 3);
      }
    }
  }

  // Shapes that join a cell of column n-2 to n-4 to the far edge.
  bool FarTemplateAt(int r, int q) const {
    const int e = n_ - 1;
    if (q == e - 1 && r <= n_ - 2 && AllFree({{r, e}, {r + 1, e}})) return true;
    if (q == e - 2) {
      const bool body = AllFree({{r, e - 1}, {r + 1, e - 1}, {r, e}, {r + 1, e}, {r + 2, e}});
      if (body && r <= n_ - 4 &&
          (AllFree({{r + 1, e - 2}, {r + 2, e - 1}, {r + 3, e}}) || Own(r, e) || Own(r + 2, e))) {
        return true;
      }
      if (body && r >= 1 && r <= n_ - 3 &&
          (AllFree({{r - 1, e - 2}, {r - 1, e - 1}, {r - 1, e}}) || Own(r, e) || Own(r + 2, e))) {
        return true;
      }
    }
    if (q == e - 3 && n_ > 6 && r >= 2 && r <= n_ - 5 && Free(r - 1, e - 3) && ColumnFree(e - 2, r - 2, r + 2) &&
        ColumnFree(e - 1, r - 2, r + 3) && ColumnFree(e, r - 2, r + 4)) {
      return true;
    }
    return false;
  }

  // The own stones a level's cells take in: those next to a cell of the level, and
  // those bridged to an own stone of the level over two free carrier cells.
  CellSet Joined(const CellSet& level) const {
    CellSet joined = Neighbours(level);
    CellSet ownLevel;
    for (int r = 0; r < n_; ++r) ownLevel.row[r] = level.row[r] & own_.row[r];
    for (const Bridge& b : kBridges) {
      const CellSet partner = Moved(ownLevel, b.dr, b.dq);
      const CellSet carrier1 = Moved(free_, b.carrier1[0], b.carrier1[1]);
      const CellSet carrier2 = Moved(free_, b.carrier2[0], b.carrier2[1]);
      for (int r = 0; r < n_; ++r) joined.row[r] |= partner.row[r] & carrier1.row[r] & carrier2.row[r];
    }
    return joined;
  }

  // The fewest levels that reach the far edge: level k + 1 spreads from level k over
  // free cells, then takes in own stones joined to it until none is added; the level
  // that touches the far column or anchors a far-edge template is the answer.
  int Level() {
    SeedNearEdge();
    CellSet assigned;
    for (int r = 0; r < n_; ++r) assigned.row[r] = levels_[0].row[r] | levels_[1].row[r];
    const int first = levels_[0].Empty(n_) ? 1 : 0;
    CellSet previous = levels_[0];
    CellSet level = first == 0 ? levels_[0] : levels_[1];
    for (int k = first; k <= n_ * n_ + 2; ++k) {
      if (k > 1 || (k == 1 && first == 0)) {
        level = k == 1 ? levels_[1] : CellSet{};
        const CellSet spread = Neighbours(previous);
        for (int r = 0; r < n_; ++r) {
          level.row[r] |= spread.row[r] & free_.row[r] & ~assigned.row[r];
          assigned.row[r] |= level.row[r];
        }
      }
      for (bool grew = true; grew;) {
        grew = false;
        const CellSet joined = Joined(level);
        for (int r = 0; r < n_; ++r) {
          const std::uint16_t added = joined.row[r] & own_.row[r] & ~assigned.row[r];
          if (added) {
            level.row[r] |= added;
            assigned.row[r] |= added;
            grew = true;
          }
        }
      }
      if (TouchesFarColumn(level)) return k;
      for (int r = 0; r < n_; ++r) {
        for (int q = std::max(0, n_ - 4); q < n_ - 1; ++q)
          if (level.Has(r, q) && FarTemplateAt(r, q)) return k;
      }
      previous = level;
    }
    return kHexNoLevel;
  }

  const HexGrid& g_;
  const int n_;
  const unsigned full_;
  CellSet own_, free_, empty_;
  CellSet levels_[2];  // the near-edge seeds of levels 0 and 1
};

}  // namespace

template <typename Cell>
int ListHexMoves(const Cell* cells, int n, int* moves) {
  n = ClampSide(n);
  int count = 0;
  for (int x = 0; x < n; ++x) {
    for (int y = 0; y < n; ++y) {
      if (cells[y * n + x] == 0) moves[count++] = y * n + x;
    }
  }
  return count;
}

template <typename Cell>
int HexConnectedSide(const Cell* cells, int n) {
  n = ClampSide(n);
  for (const int side : {1, -1}) {
    bool reached[kHexMaxSide * kHexMaxSide] = {};
    int stack[kHexMaxSide * kHexMaxSide];
    int top = 0;
    // Side +1 starts from row 0, side -1 from column 0.
    for (int i = 0; i < n; ++i) {
      const int cell = side > 0 ? i : i * n;
      if (cells[cell] == side) {
        reached[cell] = true;
        stack[top++] = cell;
      }
    }
    while (top > 0) {
      const int cell = stack[--top];
      const int r = cell / n, q = cell % n;
      for (const auto& d : kNeighbours) {
        const int nr = r + d[0], nq = q + d[1];
        if (nr < 0 || nr >= n || nq < 0 || nq >= n) continue;
        const int next = nr * n + nq;
        if (reached[next] || cells[next] != side) continue;
        reached[next] = true;
        stack[top++] = next;
      }
    }
    for (int i = 0; i < n; ++i) {
      if (reached[side > 0 ? (n - 1) * n + i : i * n + n - 1]) return side;
    }
  }
  return 0;
}

template <typename Cell>
HexGrid MakeHexGrid(const Cell* cells, int n, int side) {
  HexGrid grid;
  grid.n = ClampSide(n);
  for (int r = 0; r < grid.n; ++r) {
    for (int q = 0; q < grid.n; ++q) {
      const int code = side > 0 ? cells[q * grid.n + r] : cells[r * grid.n + q];
      grid.own[r][q] = code == side;
      grid.other[r][q] = code == -side;
    }
  }
  return grid;
}

HexDistance MeasureConnection(const HexGrid& grid) { return ConnectionMeter(grid).Run(); }

template <typename Cell>
int EvaluateHex(const Cell* cells, int n, int player, int depth, bool& decided) {
  const int side = player < 0 ? -1 : 1;
  n = ClampSide(n);
  decided = false;
  // The score for the side to move, before it is turned to the root side's view.
  std::int64_t score = 0;
  const int connected = HexConnectedSide(cells, n);
  if (connected != 0) {
    decided = true;
    score = connected == side ? kWinScore : -kWinScore;
  } else {
    const HexDistance distance = MeasureConnection(MakeHexGrid(cells, n, side));
    if (distance.plain == 0) {
      decided = true;
      score = kWinScore;
    } else if (distance.level == 0) {
      score = 100000000 - 100 * static_cast<std::int64_t>(distance.plain);
    } else {
      score = -1000 * static_cast<std::int64_t>(distance.level) - 1000 * static_cast<std::int64_t>(distance.plain);
      // Only a board without any way through gets here without a level, and such a
      // board is already won by the other side; never let it pass for a decided game.
      score = std::max<std::int64_t>(score, -(kWinScore - 1));
    }
  }
  if (depth & 1) score = -score;
  return DepthDiscount(static_cast<int>(score), depth);
}

#define TAVLERO_HEX_CONNECTION(Cell)                                  \
  template int ListHexMoves<Cell>(const Cell*, int, int*);            \
  template int HexConnectedSide<Cell>(const Cell*, int);              \
  template HexGrid MakeHexGrid<Cell>(const Cell*, int, int);          \
  template int EvaluateHex<Cell>(const Cell*, int, int, int, bool&);
TAVLERO_HEX_CONNECTION(int)
TAVLERO_HEX_CONNECTION(std::int8_t)
#undef TAVLERO_HEX_CONNECTION

}  // namespace tavlero
