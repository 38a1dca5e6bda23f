#include "store/game_options.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <tuple>

#include "platform/cp1251.h"
#include "store/sealed_file.h"

namespace tavlero {
namespace {

using platform::Utf8ToCp1251;

// Every field in one line, so a mismatch shows which one differs.
std::string Describe(const GameOptions& o) {
  std::string text;
  for (int value : {o.autosave, o.sound, o.soundVolume, o.music, o.musicVolume, o.paused, o.level,
                    o.gameSpeed, o.score, o.gameKind, o.newGameNeeded, o.windowMode,
                    int{o.twoPlayers}, int{o.computerFirst}, int{o.undoVisible}}) {
    text += std::to_string(value) + ' ';
  }
  return text + "|" + o.playerName + "|" + o.playerName1 + "|" + o.playerName2 + "|" + o.scores.ToText();
}

class GameOptionsFileTest : public ::testing::Test {
 protected:
  void TearDown() override {
    SetSealedFileReplaceHook(nullptr);
    std::remove(path_.c_str());
  }
  void WriteBytes(const std::string& bytes) {
    std::FILE* file = std::fopen(path_.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
  const std::string path_ = ::testing::TempDir() + "board-" + std::to_string(::getpid()) + ".dat";
};

TEST_F(GameOptionsFileTest, SaveThenLoadKeepsEveryField) {
  GameOptions saved;
  saved.autosave = 1, saved.sound = 0, saved.soundVolume = 1234, saved.music = 0;
  saved.musicVolume = 4321, saved.paused = 1, saved.level = 2, saved.gameSpeed = 5;
  saved.score = 7, saved.gameKind = 8, saved.newGameNeeded = 1, saved.windowMode = 1;
  saved.twoPlayers = true, saved.computerFirst = true, saved.undoVisible = true;
  saved.playerName = Utf8ToCp1251("Пётр \"Ёж\" \\ №1");
  saved.playerName1 = Utf8ToCp1251("Иван"), saved.playerName2 = Utf8ToCp1251("Мария");
  saved.scores.Add({saved.playerName1, "x", "y", -3});
  saved.scores.Add({saved.playerName2, "x", "z", 40});
  ASSERT_TRUE(SaveGameOptions(path_, saved));

  GameOptions loaded;
  EXPECT_TRUE(LoadGameOptions(path_, loaded));
  EXPECT_EQ(Describe(loaded), Describe(saved));
}

TEST_F(GameOptionsFileTest, FirstStartAndUnusableFilesGiveResetValues) {
  GameOptions fresh;
  fresh.soundVolume = 77, fresh.musicVolume = 88;
  EXPECT_FALSE(LoadGameOptions(path_, fresh));
  // Sound and music on, level 0, speed 2, kind 0, new game asked for, nothing running,
  // first move not the computer's, volumes as they were, default names, no scores.
  EXPECT_EQ(Describe(fresh), "0 1 77 1 88 0 0 2 0 0 1 0 0 0 0 ||" + Utf8ToCp1251("Компьютер|Аноним|"));

  const auto expect_like_missing_file = [&](const std::string& bytes, const char* what) {
    WriteBytes(bytes);
    GameOptions options;
    options.soundVolume = 77, options.musicVolume = 88;
    EXPECT_FALSE(LoadGameOptions(path_, options)) << what;
    EXPECT_EQ(Describe(options), Describe(fresh)) << what;
  };
  OSettingsTree tree;
  tree.SetInt("Game.Options.Level", 2);
  tree.SetString("Game.Options.PlayerName1", "Bob");
  tree.SetInt("Game.Options.SoundVolume", 5);
  tree.SetInt("Game.Options.UndoVisible", 1);
  expect_like_missing_file(SealBytes(tree.ToText(), kOptionsKey), "no score group");

  tree.SetInt("Game.Options.Autosave", 1);
  tree.SetString("Game.Scores.Table", "a\tb\tc\t5\n");
  expect_like_missing_file(SealBytes(tree.ToText(), "12345678"), "foreign key");
  std::string damaged = SealBytes(tree.ToText(), kOptionsKey);
  damaged[4] ^= 0x5A;
  expect_like_missing_file(damaged, "damaged");
}

TEST_F(GameOptionsFileTest, StoredValuesAreReadByTheirRules) {
  OSettingsTree tree;
  for (const char* flag : {"TwoPlayerFlag", "UndoVisible", "Sound"}) tree.SetInt(std::string("Game.Options.") + flag, 2);
  tree.SetInt("Game.Options.GameKind", 9);  // outside the nine kinds
  tree.SetInt("Game.Options.Level", -1);
  tree.SetString("Game.Scores.Table", "");
  WriteBytes(SealBytes(tree.ToText(), kOptionsKey));
  GameOptions o;
  o.twoPlayers = o.undoVisible = true, o.gameKind = 4, o.level = 1;
  ASSERT_TRUE(LoadGameOptions(path_, o));
  // FirstMoveFlag is absent: the first player moves first.
  EXPECT_EQ(std::make_tuple(o.twoPlayers, o.undoVisible, o.sound, o.computerFirst, o.gameKind, o.level),
            std::make_tuple(false, false, 1, true, 0, 0));
}

TEST_F(GameOptionsFileTest, FailedSaveIsReportedAndKeepsTheOldFile) {
  GameOptions old_options;
  old_options.autosave = 1, old_options.level = 2;
  ASSERT_TRUE(SaveGameOptions(path_, old_options));
  GameOptions newer = old_options;
  newer.level = 1;
  EXPECT_FALSE(SaveGameOptions(::testing::TempDir() + "no-such-folder/board.dat", newer));
  SetSealedFileReplaceHook([](const std::string&) { return false; });
  EXPECT_FALSE(SaveGameOptions(path_, newer));

  GameOptions loaded;
  EXPECT_TRUE(LoadGameOptions(path_, loaded));
  EXPECT_EQ(Describe(loaded), Describe(old_options));
}

std::string Order(const ScoreTable& table) {
  std::string order;
  for (const ScoreRecord& r : table.Records()) order += r.first + "," + r.second + "," + r.third + "/" + std::to_string(r.score) + " ";
  return order;
}

TEST(ScoreTableTest, TextKeepsTenHighestPerGroupAndReadsBackInOrder) {
  ScoreTable table;
  for (int score : {5, 11, 1, 7, 3, 9, 2, 10, 4, 8, 6}) {
    std::string name = "p";
    name += std::to_string(score);
    table.Add({name, "b", "c", score});
  }
  table.Add({"other", "b", "d", 0});
  table.Add({"tie", "e", "f", 7});
  table.Add({"tab\tin name", "e", "f", 7});
  ScoreTable read;
  read.AddFromText(table.ToText());
  EXPECT_EQ(Order(read),
            "other,b,d/0 p2,b,c/2 p3,b,c/3 p4,b,c/4 p5,b,c/5 p6,b,c/6 p7,b,c/7 tie,e,f/7 tab in name,e,f/7 "
            "p8,b,c/8 p9,b,c/9 p10,b,c/10 p11,b,c/11 ");
  EXPECT_EQ(read.ToText(), table.ToText());
}

TEST(ScoreTableTest, ReadsLinesCharacterByCharacter) {
  ScoreTable table;
  // Carriage returns vanish, lines with two or four tabs add nothing, "x" has no digits,
  // the last line needs no line feed.
  table.AddFromText("a\tb\tc\tx\nq\tw\r\te\t-5\r\ntwo\ttabs\n4\ttabs\t\t\t1\n\nlast\tb\tc\t 12");
  EXPECT_EQ(Order(table), "q,w,e/-5 a,b,c/0 last,b,c/12 ");
}

}  // namespace
}  // namespace tavlero
