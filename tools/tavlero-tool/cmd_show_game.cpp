// tavlero-tool show-game FILE: prints a saved game, position by position.
//
// FILE is a kind's saved game ("game3.dat"); the digit just before ".dat" names the
// kind. The output, read by other programs, is
//
//   PosNum N
//   pos K player P                       for K = 1 ... N, then the position:
//
// kinds 0 to 7: one line per board row, top row of the screen first, one character
// per column from the left: '.' empty (or a light square, or a piece already jumped
// in a capture), 'x'/'o' a man, disc or stone of side +1/-1, 'X'/'O' a king.
// kind 8: the 24 point counts on one line ("15 0 ... -15", negative for side -1),
// then "dice A B steps S" with the two dice and the step counter.
//
// Each position is loaded into a fresh engine of the kind exactly as the game loads
// it, so the engine's clamps of damaged values show in the output.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "command.h"
#include "engine/dice_engine.h"
#include "engine/kind_engines.h"
#include "game/board_geometry.h"
#include "game/game_history.h"
#include "store/sealed_file.h"

namespace tavlero::tool {
namespace {

int RunShowGame(const std::vector<std::string>& args);

const ToolCommand kShowGame{"show-game", "show-game FILE", "print the positions of a saved game (gameK.dat)",
                            RunShowGame};
const ToolCommandRegistration kShowGameRegistration{kShowGame};

constexpr int kDiceKind = 8;

// The kind named by the digit just before ".dat" in the file's name; -1 without one.
int KindOfFileName(const std::string& path) {
  const std::string name = std::filesystem::path(path).filename().string();
  const std::string suffix = ".dat";
  if (name.size() <= suffix.size() || name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) {
    return -1;
  }
  const char digit = name[name.size() - suffix.size() - 1];
  if (digit < '0' || digit > '9') return -1;
  const int kind = digit - '0';
  return kind <= kDiceKind ? kind : -1;
}

char CellCharacter(int code) {
  switch (code) {
    case 1: return 'x';
    case -1: return 'o';
    case 2: return 'X';
    case -2: return 'O';
    default: return '.';  // empty, or a piece jumped in a capture: it is being removed
  }
}

void PrintBoard(int kind, const SearchEngine& engine) {
  const int n = KindBoardSize(kind);
  // Rows count from the bottom of the screen, except on the rhombus (kind 4).
  const bool topRowFirst = kind == 4;
  std::string line;
  for (int step = 0; step < n; ++step) {
    const int row = topRowFirst ? step : n - 1 - step;
    line.clear();
    for (int column = 0; column < n; ++column) {
      const int index = CellIndex(kind, n, column, row);
      line += index >= 0 && index < kMaxCells ? CellCharacter(engine.cells[index]) : '.';
    }
    std::printf("%s\n", line.c_str());
  }
}

void PrintBoardPosition(int kind, GameHistory& history, int number) {
  std::unique_ptr<SearchEngine> engine = CreateKindEngine(kind);
  engine->SetBoardSize(KindBoardSize(kind));
  history.Restore(number, *engine);
  std::printf("pos %d player %d\n", number, engine->player);
  PrintBoard(kind, *engine);
}

void PrintDicePosition(GameHistory& history, int number) {
  DiceEngine engine;
  history.Restore(number, engine);
  std::printf("pos %d player %d\n", number, engine.player);
  for (int point = 0; point < DiceEngine::kPoints; ++point) {
    std::printf(point == 0 ? "%d" : " %d", engine.points[point]);
  }
  std::printf("\ndice %d %d steps %d\n", engine.dice1, engine.dice2, engine.double_counter);
}

int RunShowGame(const std::vector<std::string>& args) {
  if (args.size() != 1) return UsageError(kShowGame);
  const std::string& path = args[0];
  const int kind = KindOfFileName(path);
  if (kind < 0) {
    std::fprintf(stderr, "tavlero-tool: cannot tell the game kind of '%s' (expected a name like game3.dat)\n",
                 path.c_str());
    return 1;
  }
  // The game itself takes an unreadable file for an empty history; here it is an error.
  std::string text;
  if (!LoadSealedFile(path, text, kSavedGameKey)) {
    std::fprintf(stderr, "tavlero-tool: cannot read '%s' as a saved game\n", path.c_str());
    return 1;
  }
  GameHistory history;
  history.Load(path);
  std::printf("PosNum %d\n", history.latest);
  // Counted wider than int so that a hand-edited PosNum of INT_MAX cannot overflow it.
  for (long long number = 1; number <= history.latest; ++number) {
    if (kind == kDiceKind) {
      PrintDicePosition(history, static_cast<int>(number));
    } else {
      PrintBoardPosition(kind, history, static_cast<int>(number));
    }
  }
  return 0;
}

}  // namespace
}  // namespace tavlero::tool
