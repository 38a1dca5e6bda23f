// The endgame table of kind 0: keys, the file reader, and the generated table's
// contents checked against the move rules and against the engine's own play.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "draughts_positions.h"
#include "engine/draughts_squares.h"
#include "engine/endgame_builder.h"
#include "engine/endgame_table.h"
#include "engine/kind_engine0.h"
#include "game/game_end.h"
#include "platform/random.h"

namespace tavlero {
namespace {

using testing::DarkCell;
using testing::MakePosition;

const std::string kTableFile = std::string(TAVLERO_DATA_DIR) + "/cfg/endgames.dat";

// The position (side +1 to move) a key stands for.
void DecodeKey(std::int32_t key, int* cells) {
  std::fill(cells, cells + kMaxCells, 0);
  for (int shift = 24; shift >= 0; shift -= 8) {
    const int code = (static_cast<std::uint32_t>(key) >> shift) & 0xFF;
    if (code < 32) cells[31 - code] = -2;
    else if (code < 64) cells[63 - code] = -1;
    else if (code >= 97) cells[code - 97] = 2;
    else if (code >= 65) cells[code - 65] = 1;
  }
}

std::string WriteRecords(const std::string& name, const std::vector<std::pair<std::int32_t, std::int32_t>>& records,
                         int extraBytes) {
  const std::string path = (std::filesystem::temp_directory_path() / name).string();
  std::ofstream out(path, std::ios::binary);
  for (const auto& [key, score] : records) {
    for (std::int32_t v : {key, score})
      for (int b = 0; b < 4; ++b) out.put(static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * b)) & 0xFF));
  }
  for (int i = 0; i < extraBytes; ++i) out.put('\x7f');
  return path;
}

TEST(EndgameKey, CodesSlotsAndTheTurnedBoard) {
  int cells[32] = {};
  cells[0] = 1;
  cells[31] = -2;
  EXPECT_EQ(MakeEndgameKey(1, cells), 0x00404041);

  // The same position with side -1 to move equals the board turned by 180 degrees,
  // colours swapped, with side +1 to move.
  SeedRand(17);
  for (int trial = 0; trial < 200; ++trial) {
    int position[32] = {}, turned[32] = {};
    for (int p = 0; p < 3; ++p) {
      const int codes[4] = {1, 2, -1, -2};
      position[RandomBelow(32)] = codes[RandomBelow(4)];
    }
    for (int i = 0; i < 32; ++i)
      turned[SquareAt(7 - SquareColumn(i), 7 - SquareRow(i))] = -position[i];
    EXPECT_EQ(MakeEndgameKey(-1, position), MakeEndgameKey(1, turned));
  }
}

TEST(EndgameTableFile, LaterRecordsWinShortTailsAndMissingFiles) {
  EndgameTable table;
  EXPECT_FALSE(table.Load("/nonexistent/endgames.dat"));
  EXPECT_EQ(table.Size(), 0u);
  const std::string path = WriteRecords("tavlero_endgames_test.dat", {{5, 100}, {6, -7}, {5, 200}}, 7);
  ASSERT_TRUE(table.Load(path));
  int score = 0;
  ASSERT_TRUE(table.Find(5, score));
  EXPECT_EQ(score, 200);
  EXPECT_EQ(table.Size(), 2u);
  // A second file adds to what is there.
  const std::string more = WriteRecords("tavlero_endgames_test2.dat", {{9, 1}}, 4);
  ASSERT_TRUE(table.Load(more));
  EXPECT_EQ(table.Size(), 3u);
  std::remove(path.c_str());
  std::remove(more.c_str());
}

TEST(EndgameTableFile, EvaluationUsesTheTableOnlyForThreePiecesOrFewer) {
  KindEngine0 withTable;
  const std::string path =
      WriteRecords("tavlero_endgames_eval.dat",
                   {{MakeEndgameKey(1, MakePosition<KindEngine0>({{2, 6, 1}, {7, 1, -2}}, 1)->cells), 999999990}}, 0);
  ASSERT_TRUE(withTable.LoadEndgameTable(path));
  std::remove(path.c_str());
  withTable.CopyPosition(MakePosition<KindEngine0>({{2, 6, 1}, {7, 1, -2}}, 1)->cells);
  withTable.depth = 3;
  bool terminal = false;
  EXPECT_EQ(withTable.Evaluate(terminal), 999999987);
  EXPECT_TRUE(terminal);
  // Successors share the table: the king's step from (6,0) to (7,1) reaches the
  // stored position, its step to (5,1) does not.
  withTable.CopyPosition(MakePosition<KindEngine0>({{2, 6, 1}, {6, 0, -2}}, -1)->cells);
  withTable.player = -1;
  withTable.depth = 0;
  ASSERT_EQ(withTable.GenerateSuccessors(), 2);
  EXPECT_EQ(withTable.successors[1]->Evaluate(terminal), 999999989);
  EXPECT_TRUE(terminal);
  withTable.successors[0]->Evaluate(terminal);
  EXPECT_FALSE(terminal);
  withTable.ClearSuccessors();

  KindEngine0 without;
  without.CopyPosition(MakePosition<KindEngine0>({{0, 0, 1}, {7, 7, -2}}, 1)->cells);
  EXPECT_EQ(without.Evaluate(terminal), 1290 - 1319);
  EXPECT_FALSE(terminal);
}

class GeneratedEndgames : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!engine.LoadEndgameTable(kTableFile)) GTEST_SKIP() << "no generated table at " << kTableFile;
  }
  KindEngine0 engine;
};

TEST_F(GeneratedEndgames, EveryDecidedDistanceIsOnePlyMoreThanItsBestSuccessor) {
  const EndgameTable& table = engine.Endgames();
  ASSERT_EQ(table.Size(), 199520u);
  std::size_t index = 0, checked = 0;
  for (const auto& [key, score] : table.Entries()) {
    if (index++ % 37 != 0) continue;
    KindEngine0 node;
    int cells[kMaxCells];
    DecodeKey(key, cells);
    node.CopyPosition(cells);
    node.player = 1;
    ASSERT_EQ(MakeEndgameKey(1, node.cells), key);
    node.GenerateSuccessors();
    int bestWin = -1, longestLoss = -1;
    bool childDraw = false;
    for (const auto& child : node.successors) {
      bool minusLeft = false;
      for (int i = 0; i < 32; ++i) minusLeft |= child->cells[i] < 0;
      int childScore = -kWinScore;
      if (minusLeft) {
        ASSERT_TRUE(table.Find(MakeEndgameKey(-1, child->cells), childScore));
      }
      const int outcome = EndgameOutcome(childScore), plies = EndgamePlies(childScore);
      if (outcome < 0 && (bestWin < 0 || plies < bestWin)) bestWin = plies;
      if (outcome > 0) longestLoss = std::max(longestLoss, plies);
      if (outcome == 0) childDraw = true;
    }
    const int outcome = EndgameOutcome(score), plies = EndgamePlies(score);
    if (outcome > 0) {
      EXPECT_EQ(plies, bestWin + 1) << std::hex << key;
    } else if (outcome < 0) {
      EXPECT_TRUE(bestWin < 0 && !childDraw) << std::hex << key;
      EXPECT_EQ(plies, node.successors.empty() ? 0 : longestLoss + 1) << std::hex << key;
    } else {
      EXPECT_TRUE(bestWin < 0 && childDraw) << std::hex << key;
    }
    node.ClearSuccessors();
    ++checked;
  }
  EXPECT_GT(checked, 5000u);
}

TEST_F(GeneratedEndgames, LevelZeroWinsInExactlyTheStoredNumberOfPlies) {
  // Won three-piece positions of several lengths, played by the engine for both sides.
  std::vector<std::pair<std::int32_t, int>> samples;
  for (const auto& [key, score] : engine.Endgames().Entries()) {
    const int plies = EndgamePlies(score);
    const bool threePieces = (key & 0xFF) != 64 && ((key >> 8) & 0xFF) != 64;
    if (EndgameOutcome(score) > 0 && threePieces && plies >= 3 && plies % 4 == 3 &&
        std::none_of(samples.begin(), samples.end(), [&](auto& s) { return s.second == plies; }))
      samples.push_back({key, plies});
  }
  ASSERT_GE(samples.size(), 5u);
  SeedRand(3);
  for (const auto& [key, plies] : samples) {
    int cells[kMaxCells];
    DecodeKey(key, cells);
    engine.CopyPosition(cells);
    engine.player = 1;
    int played = 0;
    GameEnd end;
    while (!(end = CheckGameEnd(0, engine, false)).over && played < 200) {
      engine.Think(4);
      ++played;
    }
    EXPECT_EQ(end.winner, kFirstSideWon) << std::hex << key;
    EXPECT_EQ(played, plies) << std::hex << key;
  }
}

}  // namespace
}  // namespace tavlero
