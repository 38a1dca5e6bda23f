// The seal, unseal and settings commands of tavlero-tool, run as a separate program.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "store/file_bytes.h"
#include "store/sealed_file.h"
#include "store/settings_tree.h"

namespace tavlero {
namespace {

struct RunResult {
  int exit_code = -1;
  std::string out;
  std::string err;
};

class ToolCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = ::testing::TempDir() + "tool-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
  }
  void TearDown() override { (void)std::system(("rm -rf '" + folder_ + "'").c_str()); }

  std::string Path(const char* name) const { return folder_ + "/" + name; }

  RunResult Run(const std::string& arguments) const {
    const std::string command = std::string("'") + TAVLERO_TOOL_PATH + "' " + arguments + " >'" + Path("stdout") +
                                "' 2>'" + Path("stderr") + "'";
    RunResult result;
    const int status = std::system(command.c_str());
    result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    ReadFileBytes(Path("stdout"), result.out);
    ReadFileBytes(Path("stderr"), result.err);
    return result;
  }

  std::string folder_;
};

// One line on standard error, nothing on standard output.
void ExpectOneErrorLine(const RunResult& result) {
  EXPECT_NE(result.exit_code, 0);
  EXPECT_EQ(result.out, "");
  ASSERT_FALSE(result.err.empty());
  EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << result.err;
}

TEST_F(ToolCommandsTest, SealAndUnsealRoundTripAndRefuseBadInput) {
  const std::string plain("binary \0\xFF\xC0 content\n", 20);
  ASSERT_TRUE(WriteFileBytes(Path("plain"), plain));

  RunResult result = Run("seal 50719384 '" + Path("plain") + "' '" + Path("sealed") + "'");
  EXPECT_EQ(result.exit_code, 0) << result.err;
  std::string content;
  ASSERT_TRUE(LoadSealedFile(Path("sealed"), content, "50719384"));
  EXPECT_EQ(content, plain);

  result = Run("unseal 50719384 '" + Path("sealed") + "' '" + Path("back") + "'");
  EXPECT_EQ(result.exit_code, 0) << result.err;
  std::string back;
  ASSERT_TRUE(ReadFileBytes(Path("back"), back));
  EXPECT_EQ(back, plain);

  ExpectOneErrorLine(Run("unseal 50719386 '" + Path("sealed") + "' '" + Path("wrong") + "'"));
  EXPECT_FALSE(ReadFileBytes(Path("wrong"), back));
  std::string sealed;
  ASSERT_TRUE(ReadFileBytes(Path("sealed"), sealed));
  sealed[3] ^= 0x10;
  ASSERT_TRUE(WriteFileBytes(Path("damaged"), sealed));
  ExpectOneErrorLine(Run("unseal 50719384 '" + Path("damaged") + "' '" + Path("out") + "'"));
  ExpectOneErrorLine(Run("unseal 50719384 '" + Path("missing") + "' '" + Path("out") + "'"));
  ExpectOneErrorLine(Run("seal 50719384 '" + Path("missing") + "' '" + Path("out") + "'"));
  ExpectOneErrorLine(Run("seal 50719384 '" + Path("plain") + "' '" + Path("no/such/folder") + "'"));

  result = Run("seal 50719384 onlytwo");
  EXPECT_EQ(result.exit_code, 2);
  EXPECT_EQ(result.err, "usage: tavlero-tool seal KEY IN OUT\n");
}

TEST_F(ToolCommandsTest, SettingsListsRawEntriesInKeyOrderAndTheFailedFlag) {
  ASSERT_TRUE(WriteFileBytes(Path("plain.txt"),
                             "Game = {\n\tOptions = {\n\t\tSound=1\n\t\tName=\"a\\tb\"\n\t}\n"
                             "\tList=[1 2 3]\n\tGrid={ [ab] [cd] }\n}\n"));
  RunResult result = Run("settings '" + Path("plain.txt") + "'");
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(result.out,
            "Game.Grid={[ab][cd]}\n"
            "Game.List=[1 2 3]\n"
            "Game.Options.Name=\"a\\tb\"\n"
            "Game.Options.Sound=1\n"
            "# failed 0\n");

  ASSERT_TRUE(WriteFileBytes(Path("broken.txt"), "a=1\n}\nb=2\n"));
  result = Run("settings '" + Path("broken.txt") + "'");
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.out, "a=1\n# failed 1\n");

  OSettingsTree tree;
  tree.SetInt("Game.Options.Level", 2);
  tree.SetString("Game.Scores.Table", "x\ty\tz\t5\n");
  ASSERT_TRUE(SaveSealedFile(Path("board.dat"), tree.ToText(), "50719384"));
  result = Run("settings '" + Path("board.dat") + "' 50719384");
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(result.out, "Game.Options.Level=2\nGame.Scores.Table=\"x\\ty\\tz\\t5\\n\"\n# failed 0\n");

  ExpectOneErrorLine(Run("settings '" + Path("board.dat") + "' 50719386"));
  ExpectOneErrorLine(Run("settings '" + Path("missing.txt") + "'"));
  EXPECT_EQ(Run("settings").exit_code, 2);
}

}  // namespace
}  // namespace tavlero
