#include "store/settings_tree.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace tavlero {
namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

Entries EntriesOf(const OSettingsTree& tree) {
  return Entries(tree.Entries().begin(), tree.Entries().end());
}

Entries Load(const std::string& text, int* failed = nullptr) {
  OSettingsTree tree;
  tree.LoadText(text);
  if (failed != nullptr) *failed = tree.failed;
  return EntriesOf(tree);
}

TEST(SettingsTreeWriteTest, RendersNestedGroupsInKeyOrder) {
  OSettingsTree tree;
  tree.SetInt("Game.Options.Sound", 1);
  tree.SetString("Game.Scores.Table", "");
  tree.SetString("Game.Options.PlayerName1", "\xCA\xEE\xEC\xEF\xFC\xFE\xF2\xE5\xF0");  // CP1251
  tree.SetInt("Game.Options.Level", 0);
  tree.failed = 1;
  EXPECT_EQ(tree.ToText(),
            "Game = {\n"
            "\tOptions = {\n"
            "\t\tLevel=0\n"
            "\t\tPlayerName1=\"\xCA\xEE\xEC\xEF\xFC\xFE\xF2\xE5\xF0\"\n"
            "\t\tSound=1\n"
            "\t}\n"
            "\tScores = {\n"
            "\t\tTable=\"\"\n"
            "\t}\n"
            "}\n");
  EXPECT_EQ(tree.failed, 0);
  EXPECT_EQ(OSettingsTree().ToText(), "");
}

TEST(SettingsTreeWriteTest, OrdersKeysByUnsignedBytesWithPrefixesFirst) {
  OSettingsTree tree;
  for (const char* key : {"b", "Game.Options.MusicVolume", "\xC0", "Game.Options.Music", "Game.Options.", "a.b.c",
                          "a.b", "Z", "1"}) {
    tree.SetInt(key, 0);
  }
  std::vector<std::string> keys;
  for (const auto& entry : tree.Entries()) keys.push_back(entry.first);
  EXPECT_EQ(keys, (std::vector<std::string>{"1", "Game.Options.", "Game.Options.Music", "Game.Options.MusicVolume",
                                            "Z", "a.b", "a.b.c", "b", "\xC0"}));
  // A group and a leaf of the same name, an empty leaf, a top-level leaf.
  OSettingsTree mixed;
  mixed.SetInt("a.b", 1);
  mixed.SetInt("a.b.c", 2);
  mixed.SetInt("a.", 3);
  mixed.SetInt("top", 4);
  const std::string text = mixed.ToText();
  EXPECT_EQ(text, "a = {\n\t=3\n\tb=1\n\tb = {\n\t\tc=2\n\t}\n}\ntop=4\n");
  OSettingsTree back;
  back.LoadText(text);
  EXPECT_EQ(EntriesOf(back), EntriesOf(mixed));
}

TEST(SettingsTreeReadTest, EmptyTextsCommentsAndWhitespace) {
  int failed = -1;
  EXPECT_TRUE(Load("", &failed).empty());
  EXPECT_EQ(failed, 0);
  EXPECT_TRUE(Load(" \t\r\n // only a comment\n  // and another without line feed", &failed).empty());
  EXPECT_EQ(failed, 0);
  // Comments and whitespace between every item; a NUL ends LoadText's input.
  EXPECT_EQ(Load("g // c\n = // c\n { // c\n a // c\n = // c\n 5 // c\n } b=6", &failed),
            (Entries{{"b", "6"}, {"g.a", "5"}}));
  EXPECT_EQ(failed, 0);
  EXPECT_EQ(Load(std::string("a=1\0b=2", 7), &failed), (Entries{{"a", "1"}}));
}

TEST(SettingsTreeReadTest, GroupsCloseNestAndMayStayOpen) {
  int failed = -1;
  EXPECT_EQ(Load("Game = {\n\tOptions = {\n\t\tLevel=3\n\t\tName=\"x\"", &failed),
            (Entries{{"Game.Options.Level", "3"}, {"Game.Options.Name", "\"x\""}}));
  EXPECT_EQ(failed, 0);
  // A bare token ends before "}", which then closes the group it stands in.
  EXPECT_EQ(Load("g = { a=1} b=2", &failed), (Entries{{"b", "2"}, {"g.a", "1"}}));
  EXPECT_EQ(failed, 0);
  EXPECT_EQ(Load("g={h={a=1}}c=3", &failed), (Entries{{"c", "3"}, {"g.h.a", "1"}}));
  EXPECT_EQ(failed, 0);
  // A key written twice keeps the value read last.
  EXPECT_EQ(Load("a=1 g={x=1} a=2 g = { x = \"y\" }", &failed), (Entries{{"a", "2"}, {"g.x", "\"y\""}}));
  EXPECT_EQ(failed, 0);
}

TEST(SettingsTreeReadTest, SyntaxErrorsKeepWhatWasReadBefore) {
  int failed = 0;
  EXPECT_EQ(Load("a=1\n}\nb=2\n", &failed), (Entries{{"a", "1"}}));  // "}" with no group open
  EXPECT_EQ(failed, 1);
  EXPECT_EQ(Load("a=1}", &failed), (Entries{{"a", "1"}}));  // the same at the very end
  EXPECT_EQ(failed, 1);
  EXPECT_EQ(Load("a=1 b 2", &failed), (Entries{{"a", "1"}}));  // name without "="
  EXPECT_EQ(failed, 1);
  EXPECT_EQ(Load("a=1 b=", &failed), (Entries{{"a", "1"}}));  // value cut off
  EXPECT_EQ(failed, 1);
  EXPECT_EQ(Load("a=1 g = {", &failed), (Entries{{"a", "1"}}));
  EXPECT_EQ(failed, 1);
  // A name cut off by the end of the input is a name without "=", whatever the
  // flag said before the load.
  OSettingsTree tree;
  tree.GetInt("absent", 0);
  tree.LoadText("a=1 b");
  EXPECT_EQ(tree.failed, 1);
  tree.failed = 0;
  tree.LoadText("a=1 b");
  EXPECT_EQ(tree.failed, 1);
  // A closing "}" at the very end of the input is honoured.
  tree.failed = 1;
  tree.LoadText("g={a=1}");
  EXPECT_EQ(tree.failed, 0);
  EXPECT_EQ(EntriesOf(tree), (Entries{{"g.a", "1"}}));
}

TEST(SettingsTreeReadTest, QuotedBracketedAndBareValues) {
  int failed = -1;
  EXPECT_EQ(Load("q=\"a \\\" b\\\\\" l=[1 2\n 3] t=x//y\ne=} z=1", &failed),
            (Entries{{"e", ""}, {"l", "[1 2\n 3]"}, {"q", "\"a \\\" b\\\\\""}, {"t", "x//y"}}));
  EXPECT_EQ(failed, 1);  // "e=}" closed a group that was never open
  EXPECT_EQ(Load("g={e=} q=\"say \\\\\\\"hi\\\"\" n=-12", &failed),
            (Entries{{"g.e", ""}, {"n", "-12"}, {"q", "\"say \\\\\\\"hi\\\"\""}}));
  EXPECT_EQ(failed, 0);
  // Cut off by the end of the input: the closing character is supplied.
  EXPECT_EQ(Load("q=\"abc", &failed), (Entries{{"q", "\"abc\""}}));
  EXPECT_EQ(failed, 0);
  EXPECT_EQ(Load("l=[1 2", &failed), (Entries{{"l", "[1 2]"}}));
  EXPECT_EQ(failed, 0);
  EXPECT_EQ(Load("q=\"ab\\\"", &failed), (Entries{{"q", "\"ab\\\"\""}}));
}

TEST(SettingsTreeReadTest, GridValues) {
  int failed = -1;
  EXPECT_EQ(Load("g = { [ab] , [cd] // note [zz]\n [e f] } x=1", &failed),
            (Entries{{"g", "{[ab][cd][e f]}"}, {"x", "1"}}));
  EXPECT_EQ(failed, 0);
  EXPECT_EQ(Load("h={ // c\n[1]}\n", &failed), (Entries{{"h", "{[1]}"}}));
  EXPECT_EQ(failed, 0);
  // A grid whose closing "}" ends the text is refused; with a line feed it is kept.
  EXPECT_EQ(Load("a=1 g={[ab][cd]}", &failed), (Entries{{"a", "1"}}));
  EXPECT_EQ(failed, 1);
  EXPECT_EQ(Load("a=1 g={[ab][cd]", &failed), (Entries{{"a", "1"}}));
  EXPECT_EQ(failed, 1);
  EXPECT_EQ(Load("a=1 g={[ab] // no line feed }", &failed), (Entries{{"a", "1"}}));
  EXPECT_EQ(failed, 1);
  EXPECT_EQ(Load("a=1 g={[ab", &failed), (Entries{{"a", "1"}}));
  EXPECT_EQ(failed, 1);
}

TEST(SettingsTreeTypedTest, GetIntConversions) {
  OSettingsTree tree;
  tree.LoadText("h=0x1f H=0X1F n=12abc q=\"7\" m=-42 s=+5 w=0xzz b=[3] big=99999999999 neg=0xFFFFFFFF e=\"\"");
  EXPECT_EQ(tree.GetInt("h", -1), 31);
  EXPECT_EQ(tree.GetInt("H", -1), 0);
  EXPECT_EQ(tree.GetInt("n", -1), 12);
  EXPECT_EQ(tree.GetInt("q", -1), 0);
  EXPECT_EQ(tree.GetInt("m", -1), -42);
  EXPECT_EQ(tree.GetInt("s", -1), 5);
  EXPECT_EQ(tree.GetInt("w", -1), -1);  // "0x" without digits gives the default
  EXPECT_EQ(tree.GetInt("b", -1), 0);
  EXPECT_EQ(tree.GetInt("big", -1), 2147483647);
  EXPECT_EQ(tree.GetInt("neg", 0), -1);
  EXPECT_EQ(tree.failed, 0);
  EXPECT_EQ(tree.GetInt("absent", 77), 77);
  EXPECT_EQ(tree.failed, 1);
  EXPECT_EQ(tree.GetInt("e", 5), 0);
  EXPECT_EQ(tree.failed, 0);  // every read sets the flag afresh

  tree.SetInt("min", -2147483647 - 1);
  EXPECT_EQ(*tree.FindRaw("min"), "-2147483648");
  EXPECT_EQ(tree.GetInt("min", 0), -2147483647 - 1);
}

TEST(SettingsTreeTypedTest, StringsEscapeAndDecode) {
  OSettingsTree tree;
  const std::string awkward = "tab\there\nquote\" back\\slash cr\r \xC0\xFF end";
  tree.SetString("s", awkward);
  EXPECT_EQ(*tree.FindRaw("s"), "\"tab\\there\\nquote\\\" back\\\\slash cr\r \xC0\xFF end\"");
  EXPECT_EQ(tree.GetString("s"), awkward);
  tree.SetString("nul", std::string("ab\0cd", 5));
  EXPECT_EQ(*tree.FindRaw("nul"), "\"ab\\0cd\"");
  EXPECT_EQ(tree.GetString("nul"), "ab");  // handed back NUL-terminated

  tree.LoadText("bare=abc one=x other=[a\\qb\\]");
  EXPECT_EQ(tree.GetString("bare"), "b");
  EXPECT_EQ(tree.GetString("one"), "");
  EXPECT_EQ(tree.GetString("other"), "a\\qb\\");  // unknown escape and trailing backslash stay
  EXPECT_EQ(tree.failed, 0);
  EXPECT_EQ(tree.GetString("absent", "dflt"), "dflt");
  EXPECT_EQ(tree.failed, 1);
  EXPECT_EQ(tree.GetString("absent"), "");
}

TEST(SettingsTreeTypedTest, IntegerLists) {
  OSettingsTree tree;
  const int values[] = {0, 1, -1, 2, -2147483647 - 1, 2147483647};
  tree.SetIntList("l", values, 6);
  EXPECT_EQ(*tree.FindRaw("l"), "[0 1 -1 2 -2147483648 2147483647]");
  EXPECT_EQ(tree.GetIntList("l"), std::vector<int>(values, values + 6));
  tree.SetIntList("c", std::vector<int>{5, 6}, ',');
  EXPECT_EQ(*tree.FindRaw("c"), "[5,6]");
  EXPECT_EQ(tree.GetIntList("c", ','), (std::vector<int>{5, 6}));
  tree.SetIntList("e", nullptr, 0);
  EXPECT_EQ(*tree.FindRaw("e"), "[]");
  EXPECT_TRUE(tree.GetIntList("e").empty());
  EXPECT_EQ(tree.failed, 0);

  tree.LoadText("l=[  3   x  -4 ] c=[,,1,,2,] z=7");
  EXPECT_EQ(tree.GetIntList("l"), (std::vector<int>{3, 0, -4}));
  EXPECT_EQ(tree.GetIntList("c", ','), (std::vector<int>{1, 2}));
  EXPECT_TRUE(tree.GetIntList("z").empty());
  EXPECT_TRUE(tree.GetIntList("absent").empty());
  EXPECT_EQ(tree.failed, 1);
}

TEST(SettingsTreeFileTest, LoadFileReadsBytesAndClearsOnMissingFile) {
  const std::string path = ::testing::TempDir() + "settings_tree_file_test.txt";
  std::string text = "g={a=1}\n";
  text += std::string("b=2\0c=3\n", 8);  // a NUL byte in a file is whitespace
  for (int i = 0; i < 400; ++i) {  // well over one 1024-byte piece
    const std::string number = std::to_string(i);
    text.append(1, 'k').append(number).append(1, '=').append(number).append(1, '\n');
  }
  std::FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::fwrite(text.data(), 1, text.size(), file);
  std::fclose(file);

  OSettingsTree tree;
  EXPECT_TRUE(tree.LoadFile(path));
  EXPECT_EQ(tree.failed, 0);
  EXPECT_EQ(tree.Size(), 403u);
  EXPECT_EQ(tree.GetInt("c", 0), 3);
  EXPECT_EQ(tree.GetInt("k399", 0), 399);
  std::remove(path.c_str());

  EXPECT_FALSE(tree.LoadFile(path));
  EXPECT_EQ(tree.failed, 1);
  EXPECT_EQ(tree.Size(), 0u);
  EXPECT_FALSE(tree.LoadFile(::testing::TempDir()));  // a folder is not a settings file
  EXPECT_EQ(tree.failed, 1);
}

}  // namespace
}  // namespace tavlero
