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
#include "virtual_display.h"

namespace tavlero::e2e {
namespace {

namespace fs = std::filesystem;

constexpr int kKind = 0;
constexpr int kSide = 8;
constexpr int kHalfCell = 35;
const BoardCell kFrom{2, 2};  // c3
const BoardCell kTo{3, 3};    // d4

// Generous limits: the game may run under the sanitizers on a busy machine.
constexpr int kWindowAppearsMs = 30000;
constexpr int kBoardShownMs = 30000;
constexpr int kAnswerMs = 30000;
constexpr int kExitMs = 20000;

// A fresh folder, removed with the object.
struct TemporaryFolder {
  TemporaryFolder() {
    std::string pattern = (fs::temp_directory_path() / "tavlero-e2e-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path = pattern;
  }
  ~TemporaryFolder() {
    std::error_code ignored;
    if (!path.empty()) fs::remove_all(path, ignored);
  }
  fs::path path;
};

// Calls `done` until it says yes or the time is up; false when it never did.
bool PollUntil(int timeoutMs, const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
}

std::string FileText(const fs::path& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// The start position as the engine sets it up, in the reading's terms.
BoardReading StartPosition() {
  const std::unique_ptr<SearchEngine> engine = StartKindEngine(kKind);
  BoardReading board{};
  for (int i = 0; i < kDarkSquares; ++i) board[i] = CellOwner(engine->cells[i]);
  return board;
}

int Index(BoardCell cell) { return CellIndex(kKind, kSide, cell.column, cell.row); }

void SavePng(const RgbImage& shot, const std::string& name) {
  fs::create_directories(TAVLERO_TEST_OUTPUT_DIR);
  EXPECT_TRUE(WritePngRgba(std::string(TAVLERO_TEST_OUTPUT_DIR) + "/" + name, shot.width, shot.height,
                           shot.ToRgba().data()));
}

class PlayInRealWindow : public ::testing::Test {
 protected:
  // The window's part of a screenshot of the whole screen; empty on failure.
  RgbImage WindowShot() {
    RgbImage screen;
    std::string error;
    const std::optional<WindowGeometry> place = display.Geometry(window);
    if (!place || !display.Screenshot(screen, error)) return {};
    return screen.Crop(place->x, place->y, place->width, place->height);
  }
  bool ClickCell(BoardCell cell) {
    const ScreenPoint corner = CellScreenPoint(kKind, kSide, cell.column, cell.row);
    return display.Click(window, corner.x + kHalfCell, corner.y + kHalfCell);
  }
  std::string GameLog() { return "game's output:\n" + FileText(home.path / "game.log"); }

  TemporaryFolder home;  // the game's XDG_DATA_HOME
  VirtualDisplay display;
  ChildProcess game;     // declared after the display: ended before the server goes
  std::string window;
};

TEST_F(PlayInRealWindow, TheHumansMoveAndTheAnswerReachTheScreenAndTheSavedGame) {
  const std::string missing = VirtualDisplay::MissingPrograms();
  if (!missing.empty()) GTEST_SKIP() << "needs " << missing << " (./setup.sh installs them)";
  const fs::path gameProgram = fs::path(TAVLERO_TEST_OUTPUT_DIR).parent_path() / "tavlero";
  ASSERT_TRUE(fs::exists(gameProgram)) << gameProgram << " is missing: build the tavlero target first";
  ASSERT_FALSE(home.path.empty());

  // Autosave on, so that closing the window keeps the game.
  const fs::path folder = home.path / "tavlero";
  fs::create_directories(folder / "cfg");
  GameOptions options;
  options.Reset();
  options.autosave = 1;
  options.gameKind = kKind;
  options.computerFirst = false;
  const fs::path optionsFile = folder / kOptionsFileName;
  ASSERT_TRUE(SaveGameOptions(optionsFile.string(), options));
  // Dated an hour back, so that the file's date tells whether closing wrote it again.
  const fs::file_time_type backdated = fs::last_write_time(optionsFile) - std::chrono::hours(1);
  fs::last_write_time(optionsFile, backdated);

  std::string error;
  ASSERT_TRUE(display.Start(error)) << error;
  // Under the sanitizers the desktop's libraries (X11, D-Bus) that a real display brings
  // in keep allocations to the end; the game's own leaks are the other tests' business.
  const char* sanitizerOptions = std::getenv("ASAN_OPTIONS");
  const std::string noLeakCheck =
      (sanitizerOptions != nullptr ? std::string(sanitizerOptions) + ":" : std::string()) + "detect_leaks=0";
  ASSERT_TRUE(game.Start({gameProgram.string()},
                         display.Environment({{"XDG_DATA_HOME", home.path.string()},
                                              {"SDL_VIDEODRIVER", std::nullopt},
                                              {"SDL_AUDIODRIVER", "dummy"},
                                              {"ASAN_OPTIONS", noLeakCheck}}),
                         (home.path / "game.log").string()));
  const std::optional<std::string> found = display.FindWindow("OMainWindow", kWindowAppearsMs);
  ASSERT_TRUE(found) << "no OMainWindow window on " << display.Name() << "\n" << GameLog();
  window = *found;

  // The intro goes on a click; the board screen takes the window to 800 x 600. SDL
  // drops a click that it handles within 10 ms of the window getting the focus (which
  // the pointer brings here, there being no window manager), so the pointer goes in
  // first and the click is repeated while the intro stays.
  const auto boardShown = [&] {
    const std::optional<WindowGeometry> place = display.Geometry(window);
    return place && place->width == 800 && place->height == 600;
  };
  ASSERT_TRUE(display.MovePointer(window, 200, 200));
  bool shown = false;
  for (int attempt = 0; attempt < 5 && !shown; ++attempt) {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    ASSERT_TRUE(display.Click(window, 200, 200));
    shown = PollUntil(1000, boardShown);
  }
  ASSERT_TRUE(shown || PollUntil(kBoardShownMs, boardShown)) << "the window never became 800 x 600\n" << GameLog();

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
