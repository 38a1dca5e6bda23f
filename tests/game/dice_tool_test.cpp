// The dice game's tavlero-tool commands, run as a separate program.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "engine/dice_engine.h"
#include "store/settings_tree.h"

namespace tavlero {
namespace {

struct ToolRun {
  int exitCode = -1;
  std::string out;
};

ToolRun RunTool(const std::string& arguments) {
  ToolRun run;
  const std::string command = std::string(TAVLERO_TOOL_PATH) + " " + arguments + " 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, got);
  const int status = pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

std::string WriteState(const std::string& name, const std::string& text) {
  const auto path = std::filesystem::temp_directory_path() / ("tavlero_dice_" + name + ".txt");
  std::ofstream(path) << text;
  return path.string();
}

TEST(DiceTool, ThinkListsFinalPositionsScoresAndTies) {
  const std::string start = WriteState("start",
                                       "Game.Position=[15 0 0 0 0 0 0 0 0 0 0 0 -15 0 0 0 0 0 0 0 0 0 0 0]\n"
                                       "Game.Player=1\nGame.dice1=3\nGame.dice2=5\nGame.double_counter=-1\n");
  const ToolRun run = RunTool("dice-think " + start + " Game");
  ASSERT_EQ(run.exitCode, 0);
  // The head checker goes 3 then 5, both at once, 5 then 3, both at once again.
  const std::string headLine = " 900 14 0 0 0 0 0 0 0 1 0 0 0 -15 0 0 0 0 0 0 0 0 0 0 0\n";
  EXPECT_EQ(run.out, "0" + headLine + "1" + headLine + "2" + headLine + "3" + headLine + "ties: 0 1 2 3\n");

  // A state written by the engine, under a deeper prefix; the head is open again
  // whatever the saved game was doing, and the ties are the best scores.
  DiceEngine saved;
  saved.points = {14, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -15, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0};
  saved.dice1 = 4;
  saved.dice2 = 1;
  saved.double_counter = -1;
  saved.headAllowed = 0;
  OSettingsTree tree;
  saved.SaveState(tree, "History.Pos3");
  const ToolRun mid = RunTool("dice-think " + WriteState("saved", tree.ToText()) + " History.Pos3");
  ASSERT_EQ(mid.exitCode, 0);
  EXPECT_NE(mid.out.find(" 13 0 0 0 0 1 0 0 0 0 0 0 -15 0 0 0 0 0 0 0 1 0 0 0\n"), std::string::npos);
  EXPECT_NE(mid.out.find(" 13 0 0 0 1 0 0 0 0 0 0 0 -15 0 0 0 0 0 0 0 0 1 0 0\n"), std::string::npos);
  std::istringstream lines(mid.out);
  std::string line;
  std::vector<int> scores;
  while (std::getline(lines, line) && line.rfind("ties:", 0) != 0) {
    scores.push_back(std::stoi(line.substr(line.find(' '))));
  }
  std::string ties = "ties:";
  const int best = *std::max_element(scores.begin(), scores.end());
  for (std::size_t i = 0; i < scores.size(); ++i) {
    if (scores[i] == best) ties += ' ' + std::to_string(i);
  }
  EXPECT_EQ(line, ties);
}

TEST(DiceTool, ThinkWithoutMovesAndWithBadInput) {
  const std::string spent = WriteState("spent",
                                       "Game.Position=[15 0 0 0 0 0 0 0 0 0 0 0 -15 0 0 0 0 0 0 0 0 0 0 0]\n"
                                       "Game.Player=1\nGame.dice1=0\nGame.dice2=0\nGame.double_counter=-1\n");
  const ToolRun none = RunTool("dice-think " + spent + " Game");
  EXPECT_EQ(none.exitCode, 0);
  EXPECT_EQ(none.out, "ties:\n");

  const ToolRun missing = RunTool("dice-think /nonexistent/tavlero/state.txt Game");
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.out, "");
  EXPECT_EQ(RunTool("dice-think " + spent).exitCode, 2);
}

TEST(DiceTool, SelfPlayPrintsAWholeGameForKindEight) {
  const ToolRun first = RunTool("selfplay 8 1 42");
  if (first.exitCode == 2 && first.out.empty()) GTEST_SKIP() << "the selfplay command is not in this tool";
  ASSERT_EQ(first.exitCode, 0);
  EXPECT_EQ(RunTool("selfplay 8 1 42").out, first.out);  // the seed fixes the game
  ASSERT_EQ(first.out.rfind("turn 1 side 1 dice ", 0), 0u);
  const std::size_t last = first.out.rfind("winner ");
  ASSERT_NE(last, std::string::npos);
  const std::string tail = first.out.substr(last);
  EXPECT_TRUE(tail == "winner 1\n" || tail == "winner 2\n") << tail;
  std::istringstream lines(first.out.substr(0, last));
  std::string line;
  int turns = 0;
  while (std::getline(lines, line)) {
    const std::size_t points = line.find(" points ");
    ASSERT_NE(points, std::string::npos) << line;
    EXPECT_EQ(std::count(line.begin() + static_cast<long>(points) + 1, line.end(), ' '), 24) << line;
    ++turns;
  }
  EXPECT_GT(turns, 20);
}

}  // namespace
}  // namespace tavlero
