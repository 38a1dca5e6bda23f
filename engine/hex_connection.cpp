#include "engine/hex_connection.h"

#include <algorithm>
#include <cstdint>

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

// The connection-distance computation over one side's grid: plain distances A
// (-1 unreached) and bridge levels B (kHexNoLevel unreached).
class ConnectionMeter {
 public:
  explicit ConnectionMeter(const HexGrid& grid) : g_(grid), n_(grid.n) {
    for (auto& row : a_) std::fill(std::begin(row), std::end(row), -1);
    for (auto& row : b_) std::fill(std::begin(row), std::end(row), kHexNoLevel);
  }

  HexDistance Run() {
    HexDistance result;
    result.plain = n_ * n_ + 1;
    if (n_ <= 0) return result;
    SeedNearEdge();
    ApplyNearEdgeTemplates();
    if (!SpreadPlainDistance()) return result;
    for (int r = 0; r < n_; ++r) {
      if (a_[r][n_ - 1] != -1) result.plain = std::min(result.plain, a_[r][n_ - 1]);
    }
    // The far column is reachable through free cells, so some level reaches it
    // within n * n steps; the bound only guards against a broken invariant.
    for (int k = startLevel_; level_ == kHexNoLevel && k <= n_ * n_ + 2; ++k) LevelStep(k);
    result.level = level_;
    return result;
  }

 private:
  // Marks the own group of (r, q) with plain distance `distance`.
  void FloodGroup(int r, int q, int distance) {
    if (a_[r][q] != -1) return;
    int stack[kHexMaxSide * kHexMaxSide][2];
    int top = 0;
    a_[r][q] = distance;
    stack[top][0] = r;
    stack[top][1] = q;
    ++top;
    while (top > 0) {
      --top;
      const int cr = stack[top][0], cq = stack[top][1];
      for (const auto& d : kNeighbours) {
        const int nr = cr + d[0], nq = cq + d[1];
        if (!g_.Own(nr, nq) || a_[nr][nq] != -1) continue;
        a_[nr][nq] = distance;
        stack[top][0] = nr;
        stack[top][1] = nq;
        ++top;
      }
    }
  }

  void SeedNearEdge() {
    for (int r = 0; r < n_; ++r) {
      if (g_.Own(r, 0)) {
        FloodGroup(r, 0, 0);
        b_[r][0] = 0;
        startLevel_ = 0;
      } else if (g_.Empty(r, 0)) {
        a_[r][0] = 1;
        b_[r][0] = 1;
      }
    }
  }

  bool AllFree(std::initializer_list<std::pair<int, int>> cells) const {
    for (const auto& [r, q] : cells) {
      if (!g_.Free(r, q)) return false;
    }
    return true;
  }
  // Every cell of column q, rows `from` ... `to`, is free.
  bool ColumnFree(int q, int from, int to) const {
    for (int r = from; r <= to; ++r) {
      if (!g_.Free(r, q)) return false;
    }
    return true;
  }

  void MarkNearAnchor(int r, int q) {
    if (g_.Own(r, q)) {
      b_[r][q] = 0;
      startLevel_ = 0;
    } else if (g_.Free(r, q)) {
      b_[r][q] = 1;
    }
  }

  // Shapes that join a cell of columns 1 to 3 to the near edge whatever the other side
  // plays into them.
  void ApplyNearEdgeTemplates() {
    for (int r = 1; r <= n_ - 1; ++r) {
      if (AllFree({{r, 0}, {r - 1, 0}})) MarkNearAnchor(r, 1);
    }
    for (int r = 2; r <= n_ - 2; ++r) {
      if (AllFree({{r, 1}, {r - 1, 1}, {r - 2, 0}, {r - 1, 0}, {r, 0}}) &&
          (AllFree({{r + 1, 2}, {r + 1, 1}, {r + 1, 0}}) || g_.Own(r - 2, 0) || g_.Own(r, 0))) {
        MarkNearAnchor(r, 2);
      }
    }
    for (int r = 3; r <= n_ - 1; ++r) {
      if (AllFree({{r - 1, 1}, {r, 1}, {r - 2, 0}, {r - 1, 0}, {r, 0}}) &&
          (AllFree({{r - 1, 2}, {r - 2, 1}, {r - 3, 0}}) || g_.Own(r - 2, 0) || g_.Own(r, 0))) {
        MarkNearAnchor(r, 2);
      }
    }
    for (int r = 4; r <= n_ - 3; ++r) {
      if (g_.Free(r + 1, 3) && ColumnFree(2, r - 2, r + 2) && ColumnFree(1, r - 3, r + 2) &&
          ColumnFree(0, r - 4, r + 2)) {
        MarkNearAnchor(r, 3);
      }
    }
  }

  // Breadth-first waves: own stones cost nothing, empty cells one each. Returns
  // whether the far column was reached.
  bool SpreadPlainDistance() {
    for (int level = 0; level <= n_ * n_ + 1; ++level) {
      for (int r = 0; r < n_; ++r) {
        for (int q = 0; q < n_; ++q) {
          if (a_[r][q] != level) continue;
          for (const auto& d : kNeighbours) {
            const int nr = r + d[0], nq = q + d[1];
            if (g_.Own(nr, nq) && a_[nr][nq] == -1) FloodGroup(nr, nq, level);
          }
        }
      }
      for (int r = 0; r < n_; ++r) {
        if (a_[r][n_ - 1] != -1) return true;
      }
      bool assigned = false;
      for (int r = 0; r < n_; ++r) {
        for (int q = 0; q < n_; ++q) {
          if (a_[r][q] != level) continue;
          for (const auto& d : kNeighbours) {
            const int nr = r + d[0], nq = q + d[1];
            if (g_.Empty(nr, nq) && a_[nr][nq] == -1) {
              a_[nr][nq] = level + 1;
              assigned = true;
            }
          }
        }
      }
      // The empty cells of column 0 start at distance 1, so the wave after the first
      // runs even when the first assigned nothing.
      if (!assigned && level > 0) return false;
    }
    return false;
  }

  bool HasFreeNeighbourAt(int r, int q, int k) const {
    for (const auto& d : kNeighbours) {
      const int nr = r + d[0], nq = q + d[1];
      if (g_.Free(nr, nq) && b_[nr][nq] == k) return true;
    }
    return false;
  }

  bool HasBridgePartnerAt(int r, int q, int k) const {
    for (const Bridge& b : kBridges) {
      const int pr = r + b.dr, pq = q + b.dq;
      if (g_.Own(pr, pq) && b_[pr][pq] == k && g_.Free(r + b.carrier1[0], q + b.carrier1[1]) &&
          g_.Free(r + b.carrier2[0], q + b.carrier2[1])) {
        return true;
      }
    }
    return false;
  }

  // Shapes that join a cell of column n-2 to n-4 to the far edge.
  bool FarTemplateAt(int r, int q) const {
    const int e = n_ - 1;
    if (q == e - 1 && r <= n_ - 2 && AllFree({{r, e}, {r + 1, e}})) return true;
    if (q == e - 2) {
      const bool body = AllFree({{r, e - 1}, {r + 1, e - 1}, {r, e}, {r + 1, e}, {r + 2, e}});
      if (body && r <= n_ - 4 &&
          (AllFree({{r + 1, e - 2}, {r + 2, e - 1}, {r + 3, e}}) || g_.Own(r, e) || g_.Own(r + 2, e))) {
        return true;
      }
      if (body && r >= 1 && r <= n_ - 3 &&
          (AllFree({{r - 1, e - 2}, {r - 1, e - 1}, {r - 1, e}}) || g_.Own(r, e) || g_.Own(r + 2, e))) {
        return true;
      }
    }
    if (q == e - 3 && n_ > 6 && r >= 2 && r <= n_ - 5 && g_.Free(r - 1, e - 3) &&
        ColumnFree(e - 2, r - 2, r + 2) && ColumnFree(e - 1, r - 2, r + 3) && ColumnFree(e, r - 2, r + 4)) {
      return true;
    }
    return false;
  }

  // One level: spread level k one step through free cells, let own stones take the
  // level of a touching free cell or a bridged own stone, then look for a finished
  // connection to the far edge. Scans run from the last row and column backwards.
  void LevelStep(int k) {
    const int e = n_ - 1;
    if (k > 0) {
      for (int r = e; r >= 0; --r) {
        for (int q = e; q >= 0; --q) {
          if (b_[r][q] != k - 1) continue;
          for (const auto& d : kNeighbours) {
            const int nr = r + d[0], nq = q + d[1];
            if (g_.Free(nr, nq) && b_[nr][nq] > k) b_[nr][nq] = k;
          }
        }
      }
    }
    for (bool changed = true; changed;) {
      changed = false;
      for (int r = e; r >= 0; --r) {
        for (int q = e; q >= 0; --q) {
          if (!g_.Own(r, q) || b_[r][q] <= k) continue;
          if (!HasFreeNeighbourAt(r, q, k) && !HasBridgePartnerAt(r, q, k)) continue;
          b_[r][q] = k;
          changed = true;
          if (q == e || (q == e - 1 && r < e && g_.Free(r, e) && g_.Free(r + 1, e))) {
            level_ = k;
            return;
          }
        }
      }
    }
    for (int r = e; r >= 0; --r) {
      for (int q = e; q >= 0; --q) {
        if (b_[r][q] == k && g_.Free(r, q) && FarTemplateAt(r, q)) {
          level_ = k;
          return;
        }
      }
    }
    for (int r = 0; r < n_; ++r) level_ = std::min(level_, b_[r][e]);
  }

  const HexGrid& g_;
  const int n_;
  int a_[kHexMaxSide][kHexMaxSide];
  int b_[kHexMaxSide][kHexMaxSide];
  int startLevel_ = 1;
  int level_ = kHexNoLevel;
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
