#include "app/data_location.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/working_folder.h"

namespace tavlero {
namespace {

namespace fs = std::filesystem;

class DataLocationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "tavlero-data-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    root = pattern;
  }
  void TearDown() override { fs::remove_all(root); }

  // PREFIX/bin/tavlero and PREFIX/share/tavlero holding clp/ and cfg/help.dat.
  fs::path Install(const std::string& name) {
    const fs::path prefix = root / name;
    fs::create_directories(prefix / "bin");
    fs::create_directories(prefix / "share/tavlero/clp");
    fs::create_directories(prefix / "share/tavlero/cfg");
    std::ofstream(prefix / "bin/tavlero") << "program";
    std::ofstream(prefix / "share/tavlero/cfg/help.dat") << "help";
    return prefix;
  }

  fs::path root;
};

TEST_F(DataLocationTest, TheDataBesideTheProgramIsTakenOnlyWhenItHoldsPictures) {
  const fs::path prefix = Install("usr");
  EXPECT_EQ(GameDataFolder("/build/data", (prefix / "bin/tavlero").string()), prefix / "share/tavlero");
  // A link to the program from another folder (say /usr/games) leads to the same data.
  fs::create_symlink(prefix / "bin/tavlero", root / "tavlero");
  EXPECT_EQ(GameDataFolder("/build/data", (root / "tavlero").string()), prefix / "share/tavlero");
  // A build-tree program, or a share/tavlero without pictures, keeps the build's data.
  EXPECT_EQ(GameDataFolder("/build/data", (root / "no-such-program").string()), "/build/data");
  fs::remove(prefix / "share/tavlero/clp");
  EXPECT_EQ(GameDataFolder("/build/data", (prefix / "bin/tavlero").string()), "/build/data");
}

TEST_F(DataLocationTest, AMovedPrefixRenewsTheWorkingFoldersLinksAndKeepsThePlayersFiles) {
  const fs::path folder = root / "home/tavlero";
  const fs::path first = Install("first");
  std::string error;
  ASSERT_TRUE(PrepareWorkingFolder(folder.string(), (first / "share/tavlero").string(), error)) << error;
  std::ofstream(folder / "cfg/board.dat") << "options";

  // The prefix moves: the old links dangle and must be replaced, not kept.
  const fs::path second = root / "second";
  fs::rename(first, second);
  ASSERT_TRUE(PrepareWorkingFolder(folder.string(), GameDataFolder("/build/data", (second / "bin/tavlero").string()),
                                   error))
      << error;
  EXPECT_EQ(fs::read_symlink(folder / "clp"), second / "share/tavlero/clp");
  EXPECT_EQ(fs::read_symlink(folder / "cfg/help.dat"), second / "share/tavlero/cfg/help.dat");
  std::string help, options;
  std::ifstream(folder / "cfg/help.dat") >> help;
  std::ifstream(folder / "cfg/board.dat") >> options;
  EXPECT_EQ(help, "help");
  EXPECT_EQ(options, "options");
}

}  // namespace
}  // namespace tavlero
