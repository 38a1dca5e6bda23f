// The built game on a real X display of its own: the intro clicked away, the human's
// move c3-d4 made with two clicks, the computer's answer waited for, the window closed
// with Alt+F4. What the screen showed is read from screenshots and compared with what
// the program left in its working folder.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

#include "board_reading.h"
#include "child_process.h"
#include "engine/kind_engines.h"
#include "game/cell_codes.h"
#include "game/board_geometry.h"
#include "game/game_history.h"
#include "gfx/png_writer.h"
#include "store/game_options.h"
#include "real_window_game.h"
#include "virtual_display.h"

namespace tavlero::e2e {
namespace {

constexpr int kKind = 0;
constexpr int kSide = 8;
constexpr int kHalfCell = 35;
const BoardCell kFrom{2, 2};  // c3
const BoardCell kTo{3, 3};    // d4
constexpr int kAnswerMs = 30000;

// The start position as the engine sets it up, in the reading's terms.
BoardReading StartPosition() {
  const std::unique_ptr<SearchEngine> engine = StartKindEngine(kKind);
  BoardReading board{};
  for (int i = 0; i < kDarkSquares; ++i) board[i] = CellOwner(engine->cells[i]);
  return board;
}

int Index(BoardCell cell) { return CellIndex(kKind, kSide, cell.column, cell.row); }

class PlayInRealWindow : public RealWindowGame {
 protected:
  bool ClickCell(BoardCell cell) {
    const ScreenPoint corner = CellScreenPoint(kKind, kSide, cell.column, cell.row);
    return display.Click(window, corner.x + kHalfCell, corner.y + kHalfCell);
  }
};

TEST_F(PlayInRealWindow, TheHumansMoveAndTheAnswerReachTheScreenAndTheSavedGame) {
  // Autosave on, so that closing the window keeps the game.
  GameOptions options;
  options.Reset();
  options.autosave = 1;
  options.gameKind = kKind;
  options.computerFirst = false;
  const fs::path optionsFile = OptionsFile();
  StartWith(options);
  if (HasFatalFailure()) return;
  // Dated an hour back, so that the file's date tells whether closing wrote it again.
  const fs::file_time_type backdated = fs::last_write_time(optionsFile) - std::chrono::hours(1);
  fs::last_write_time(optionsFile, backdated);
  const fs::path folder = Folder();

  // The looks of the pieces are learnt from the first screenshot that shows the start
  // position whole.
  const BoardReading start = StartPosition();
  RgbImage startShot;
  std::optional<BoardLooks> looks;
  const bool startShown = PollUntil(kBoardShownMs, [&] {
    startShot = WindowShot();
    looks.emplace(startShot);
    return startShot.width == 800 && looks->Read(startShot) == start;
  });
  if (startShot.width > 0) SavePng(startShot, "e2e-start.png");
  ASSERT_TRUE(startShown) << "the start position was never shown; last read:\n"
                          << BoardText(looks->Read(startShot)) << GameLog();

  ASSERT_TRUE(ClickCell(kFrom));
  ASSERT_TRUE(ClickCell(kTo));

  // The answer has landed when a dark piece stands where none stood at the start and
  // two screenshots in a row agree (no piece on its way).
  RgbImage afterShot;
  BoardReading after{}, previous{};
  const auto darkMoved = [&](const BoardReading& board) {
    int dark = 0;
    bool moved = false;
    for (int i = 0; i < kDarkSquares; ++i) {
      dark += board[i] == 1;
      moved = moved || (board[i] == 1 && start[i] != 1);
    }
    return dark == 12 && moved;
  };
  const bool answered = PollUntil(kAnswerMs, [&] {
    afterShot = WindowShot();
    if (afterShot.width != 800) return false;
    previous = after;
    after = looks->Read(afterShot);
    return darkMoved(after) && after == previous;
  });
  if (afterShot.width > 0) SavePng(afterShot, "e2e-after-move.png");
  ASSERT_TRUE(answered) << "no answer of the computer was seen; last read:\n" << BoardText(after) << GameLog();

  // The light piece went from c3 to d4 and no other light piece moved.
  BoardReading expectedLight = start;
  expectedLight[Index(kFrom)] = 0;
  expectedLight[Index(kTo)] = -1;
  for (int i = 0; i < kDarkSquares; ++i) {
    EXPECT_EQ(after[i] == -1, expectedLight[i] == -1) << "square " << i << "\n" << BoardText(after);
  }
  // Exactly one dark piece moved, from row 5 to row 4.
  std::vector<BoardCell> left, arrived;
  for (int i = 0; i < kDarkSquares; ++i) {
    if (start[i] == 1 && after[i] != 1) left.push_back(CellOfIndex(kKind, kSide, i));
    if (start[i] != 1 && after[i] == 1) arrived.push_back(CellOfIndex(kKind, kSide, i));
  }
  ASSERT_EQ(left.size(), 1u) << BoardText(after);
  ASSERT_EQ(arrived.size(), 1u) << BoardText(after);
  EXPECT_EQ(left[0].row, 5);
  EXPECT_EQ(arrived[0].row, 4);
  EXPECT_EQ(std::abs(left[0].column - arrived[0].column), 1);

  // Alt+F4 closes the window, and the program ends by itself.
  display.Key(window, "alt+F4");
  const std::optional<int> status = game.WaitExit(kExitMs);
  ASSERT_TRUE(status) << "the game did not end after Alt+F4\n" << GameLog();
  EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << "wait status " << *status << "\n" << GameLog();

  // The options were written back on closing, still with Autosave on.
  EXPECT_GT(fs::last_write_time(optionsFile), backdated) << "the options were not written on closing";
  GameOptions reread;
  EXPECT_TRUE(LoadGameOptions(optionsFile.string(), reread));
  EXPECT_EQ(reread.autosave, 1);
  EXPECT_EQ(reread.gameKind, kKind);

  // The saved game ends with the position the screen showed last, the human to move.
  GameHistory saved;
  saved.Load((folder / GameHistory::FileName(kKind)).string());
  ASSERT_GE(saved.latest, 2);
  const std::unique_ptr<SearchEngine> last = StartKindEngine(kKind);
  saved.Restore(saved.latest, *last);
  EXPECT_EQ(last->cells[Index(kTo)], -1);
  EXPECT_EQ(last->cells[Index(kFrom)], 0);
  BoardReading savedBoard{};
  for (int i = 0; i < kDarkSquares; ++i) savedBoard[i] = CellOwner(last->cells[i]);
  EXPECT_EQ(savedBoard, after) << "saved:\n" << BoardText(savedBoard) << "shown:\n" << BoardText(after);
  EXPECT_EQ(last->player, -1);
}

}  // namespace
}  // namespace tavlero::e2e
