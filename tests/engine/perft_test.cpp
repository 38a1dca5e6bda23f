// Move-generation counts from the start positions, and the perft/think commands.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "engine/kind_engines.h"
#include "store/settings_tree.h"

namespace tavlero {
namespace {

TEST(Perft, StartPositionsOfTheDraughtsKinds) {
  const long long expected[] = {7, 49, 302, 1469, 7361, 36768, 179740};
  for (int depth = 1; depth <= 7; ++depth) {
    auto e = StartKindEngine(0);
    EXPECT_EQ(Perft(*e, depth), expected[depth - 1]) << "kind 0 depth " << depth;
  }
  // Kind 5 moves as kind 0; kind 6 as kind 3. The flying kings of kind 3 only differ
  // once kings appear.
  for (int depth = 1; depth <= 6; ++depth) {
    auto k5 = StartKindEngine(5);
    EXPECT_EQ(Perft(*k5, depth), expected[depth - 1]) << "kind 5 depth " << depth;
    auto k3 = StartKindEngine(3), k6 = StartKindEngine(6);
    EXPECT_EQ(Perft(*k3, depth), Perft(*k6, depth)) << depth;
  }
  auto k3 = StartKindEngine(3);
  EXPECT_EQ(Perft(*k3, 4), 1469);
  // Kind 7: eight steps of the front row and eight hops of the back row.
  auto k7 = StartKindEngine(7);
  EXPECT_EQ(Perft(*k7, 1), 16);
  EXPECT_EQ(Perft(*k7, 2), 256);
}

std::string RunTool(const std::string& arguments) {
  const std::string command = std::string(TAVLERO_TOOL_PATH) + " " + arguments;
  std::FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return {};
  std::string out;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  pclose(pipe);
  return out;
}

TEST(Perft, ToolCommandsPrintTheAgreedFormats) {
  EXPECT_EQ(RunTool("perft 0 4"), "1469\n");

  // A kind-7 state with a forced choice: the lone man of side +1 on (4,4).
  auto e = CreateKindEngine(7);
  std::fill(std::begin(e->cells), std::end(e->cells), 0);
  e->cells[4 * 8 + 4] = 1;
  e->cells[2 * 8 + 4] = -1;
  e->cells[0 * 8 + 7] = -1;
  e->SetBoardSize(8);
  e->player = 1;
  OSettingsTree tree;
  e->SaveState(tree, "Game.Root");
  const std::string path = (std::filesystem::temp_directory_path() / "tavlero_think_state.txt").string();
  std::ofstream(path) << tree.ToText();

  EXPECT_EQ(RunTool("perft 7 1 " + path + " Game.Root"), "3\n");
  EXPECT_EQ(RunTool("think 7 2 " + path + " Game.Root"),
            "0 -998 36=0 37=1\n"
            "1 -998 35=1 36=0\n"
            "2 -999999998 28=1 36=0\n"
            "ties: 0 1\n");
  std::remove(path.c_str());
}

}  // namespace
}  // namespace tavlero
