// The history of positions, its saved-game file, and tavlero-tool show-game run as a
// separate program on such files.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "engine/dice_engine.h"
#include "engine/kind_engines.h"
#include "game/board_geometry.h"
#include "game/game_history.h"
#include "store/file_bytes.h"
#include "store/sealed_file.h"

namespace tavlero {
namespace {

class GameHistoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = ::testing::TempDir() + "history-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
  }
  void TearDown() override {
    SetSealedFileReplaceHook(nullptr);
    (void)std::system(("rm -rf '" + folder_ + "'").c_str());
  }
  std::string Path(const std::string& name) const { return folder_ + "/" + name; }

  // Runs `show-game FILE`; returns the exit code, fills standard output and error.
  int ShowGame(const std::string& file, std::string& out, std::string& err) const {
    std::string command = "'";
    command += TAVLERO_TOOL_PATH;
    command += "' show-game " + file + " >'" + Path("out") + "' 2>'" + Path("err") + "'";
    const int status = std::system(command.c_str());
    out.clear(), err.clear();
    ReadFileBytes(Path("out"), out);
    ReadFileBytes(Path("err"), err);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::string folder_;
};

TEST_F(GameHistoryTest, PositionsOfBothEngineFamiliesComeBackFromTheFile) {
  GameHistory history;
  std::vector<std::unique_ptr<SearchEngine>> played;
  for (int i = 0; i < 3; ++i) played.push_back(StartKindEngine(0));
  played[1]->Think(2);
  played[2]->cells[5] = 2, played[2]->cells[9] = -3, played[2]->player = -1;
  for (int i = 0; i < 3; ++i) history.Store(i + 1, *played[i]);
  history.latest = 3;
  ASSERT_TRUE(history.Save(Path("game0.dat")));
  GameHistory loaded;
  loaded.Store(12, *played[0]);  // replaced by the file
  loaded.Load(Path("game0.dat"));
  EXPECT_EQ(std::pair(loaded.latest, loaded.current), std::pair(3, 3));
  EXPECT_FALSE(loaded.Has(12));
  EXPECT_TRUE(loaded.Has(1));
  for (int i = 0; i < 3; ++i) {
    auto back = StartKindEngine(0);
    back->GenerateSuccessors();  // a stale successor list must not survive a restore
    loaded.Restore(i + 1, *back);
    EXPECT_EQ(std::vector<int>(back->cells, back->cells + kMaxCells),
              std::vector<int>(played[i]->cells, played[i]->cells + kMaxCells));
    EXPECT_EQ(back->player, played[i]->player);
    EXPECT_TRUE(back->successors.empty());
  }
  history.Clear();
  history.Store(12, *played[0]);  // "pos1" must not claim the keys of "pos12"
  EXPECT_FALSE(history.Has(1));

  DiceEngine turn;
  turn.SetStartPosition();
  turn.dice1 = 3, turn.dice2 = 5, turn.double_counter = -1;
  turn.Think();
  turn.dice1 = turn.dice2 = 4, turn.double_counter = 4;
  GameHistory dice;
  dice.Store(2, turn);
  dice.latest = 2;
  ASSERT_TRUE(dice.Save(Path("game8.dat")));
  dice.Load(Path("game8.dat"));
  DiceEngine back;
  dice.Restore(2, back);
  EXPECT_EQ(back.points, turn.points);
  EXPECT_EQ(std::vector<int>({back.player, back.dice1, back.dice2, back.double_counter}),
            std::vector<int>({turn.player, 4, 4, 4}));
}

TEST_F(GameHistoryTest, UnreadableFilesGiveAnEmptyHistoryAndAFailedSaveKeepsTheOld) {
  GameHistory history;
  history.Store(1, *StartKindEngine(3));
  history.latest = 1;
  ASSERT_TRUE(history.Save(Path("good.dat")));
  std::string sealed, plain;
  ASSERT_TRUE(ReadFileBytes(Path("good.dat"), sealed));
  ASSERT_TRUE(LoadSealedFile(Path("good.dat"), plain, "GiRoMuLaPeVo"));
  ASSERT_TRUE(SaveSealedFile(Path("foreign.dat"), plain, "OtherKey1234"));
  std::vector<std::string> bad = {Path("missing.dat"), Path("foreign.dat"), folder_};
  for (std::size_t at = 0; at < sealed.size(); at += sealed.size() / 7 + 1) {
    bad.push_back(Path("damaged" + std::to_string(at)));
    ASSERT_TRUE(WriteFileBytes(bad.back(), std::string(sealed).replace(at, 1, 1, static_cast<char>(sealed[at] ^ 4))));
  }
  for (const std::string& path : bad) {
    GameHistory loaded;
    loaded.Load(Path("good.dat"));
    loaded.Load(path);
    EXPECT_EQ(std::pair(loaded.latest, loaded.current), std::pair(-1, -1)) << path;
    EXPECT_EQ(loaded.Tree().Size(), 0u) << path;
  }

  EXPECT_FALSE(history.Save(Path("no/such/folder/game3.dat")));
  history.latest = 2;
  SetSealedFileReplaceHook([](const std::string&) { return false; });
  EXPECT_FALSE(history.Save(Path("good.dat")));
  history.Load(Path("good.dat"));
  EXPECT_EQ(history.latest, 1);
}

TEST_F(GameHistoryTest, ShowGamePrintsEveryStoredPosition) {
  auto start = StartKindEngine(0);
  ASSERT_EQ(start->cells[DarkSquareAt(1, 7)], 1);  // side +1 starts at the top
  auto kings = StartKindEngine(0);
  std::fill(std::begin(kings->cells), std::end(kings->cells), 0);
  kings->cells[DarkSquareAt(2, 0)] = 2, kings->cells[DarkSquareAt(5, 7)] = -2;
  kings->cells[DarkSquareAt(4, 4)] = -1, kings->cells[DarkSquareAt(3, 3)] = 3, kings->player = -1;
  GameHistory history;
  history.Store(1, *start);
  history.Store(2, *kings);
  history.Tree().SetRaw("pos3.Player", "-2147483648");  // nothing else stored
  history.latest = 3;
  ASSERT_TRUE(history.Save(Path("game0.dat")));
  std::string out, err;
  EXPECT_EQ(ShowGame(Path("game0.dat"), out, err), 0) << err;
  const std::string empty = "........\n";
  EXPECT_EQ(out, "PosNum 3\npos 1 player 1\n.x.x.x.x\nx.x.x.x.\n.x.x.x.x\n" + empty + empty +
                     "o.o.o.o.\n.o.o.o.o\no.o.o.o.\npos 2 player -1\n.....O..\n" + empty + empty + "....o...\n" +
                     empty + empty + empty + "..X.....\npos 3 player -1\n" + empty + empty + empty + empty + empty +
                     empty + empty + empty);

  // The rhombus prints its top row (row 0) first; the dice game its points and dice.
  auto rhombus = StartKindEngine(4);
  rhombus->cells[10] = 1, rhombus->cells[110] = -1;
  history.Clear();
  history.Store(1, *rhombus);
  history.latest = 1;
  ASSERT_TRUE(history.Save(Path("game4.dat")));
  EXPECT_EQ(ShowGame(Path("game4.dat"), out, err), 0);
  std::string board = "..........x\n";
  for (int row = 1; row < 10; ++row) board += "...........\n";
  EXPECT_EQ(out, "PosNum 1\npos 1 player 1\n" + board + "o..........\n");
  DiceEngine dice;
  dice.SetStartPosition();
  dice.points[3] = -2, dice.points[12] = -13, dice.dice1 = 6, dice.dice2 = 2, dice.double_counter = -1;
  GameHistory race;
  race.Store(1, dice);
  race.latest = 1;
  ASSERT_TRUE(race.Save(Path("game8.dat")));
  EXPECT_EQ(ShowGame(Path("game8.dat"), out, err), 0);
  EXPECT_EQ(out, "PosNum 1\npos 1 player 1\n15 0 0 -2 0 0 0 0 0 0 0 0 -13 0 0 0 0 0 0 0 0 0 0 0\ndice 6 2 steps -1\n");

  // Unreadable, damaged, foreign-key files and names without a kind: one error line.
  ASSERT_TRUE(std::rename(Path("game8.dat").c_str(), Path("saved.dat").c_str()) == 0);
  std::string sealed;
  ASSERT_TRUE(ReadFileBytes(Path("game0.dat"), sealed));
  ASSERT_TRUE(WriteFileBytes(Path("game3.dat"), sealed.substr(0, sealed.size() - 1)));
  ASSERT_TRUE(SaveSealedFile(Path("game2.dat"), "PosNum=1\n", "OtherKey1234"));
  for (const char* name : {"missing5.dat", "game2.dat", "game3.dat", "saved.dat"}) {
    EXPECT_EQ(ShowGame(Path(name), out, err), 1) << name;
    EXPECT_TRUE(out.empty() && !err.empty() && err.find('\n') == err.size() - 1) << name << ": " << err;
  }
  EXPECT_EQ(ShowGame("", out, err), 2);
}

}  // namespace
}  // namespace tavlero
