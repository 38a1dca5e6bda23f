// Screens put together from the generated pictures, written to the test output folder
// for people to look at (board-preview-*.png): the board screen of each board kind and
// a dialog. The checks make sure the pieces really land on their cells.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "gfx/png_writer.h"
#include "gfx/sprite.h"

namespace tavlero {
namespace {

std::unique_ptr<OSprite> Picture(const std::string& name) {
  auto sprite = std::make_unique<OSprite>();
  sprite->Load(std::string(TAVLERO_DATA_DIR) + "/clp/" + name + ".clp");
  return sprite;
}

// Frame k of sub-sprite s (s = -1: of the sprite's own frames).
const OSurface* Frame(const OSprite& sprite, int k, int s = -1) {
  const auto& frames = s < 0 ? sprite.frames : sprite.subSprites.at(s)->frames;
  return frames.at(k);
}

void Put(OSurface& screen, const OSurface* frame, int x, int y) {
  ASSERT_NE(frame, nullptr);
  screen.Draw(frame, x + frame->offsetX, y + frame->offsetY);
}

void Save(const OSurface& screen, const std::string& name) {
  std::filesystem::create_directories(TAVLERO_TEST_OUTPUT_DIR);
  EXPECT_TRUE(WriteSurfacePng(screen, std::string(TAVLERO_TEST_OUTPUT_DIR) + "/" + name, false));
}

// The side panel as the board screen lays it out.
void Panel(OSurface& screen, int kind, int level) {
  Put(screen, Frame(*Picture("jp9"), 0), 600, 0);
  Put(screen, Frame(*Picture("bg5"), kind), 605, 30);
  Put(screen, Frame(*Picture("bg4"), level), 606, 100);
  const std::pair<int, int> buttons[] = {{0, 128}, {6, 178}, {21, 229}, {14, 278}, {1, 379}};
  for (auto [index, y] : buttons) Put(screen, Frame(*Picture("but" + std::to_string(index)), 0, index == 6 ? 2 : 0), 605, y);
  int x = 633 + Picture("but16")->width;
  for (int index : {3, 17, 23, 4}) {
    auto button = Picture("but" + std::to_string(index));
    Put(screen, Frame(*button, 0, 0), x, 0);
    x += button->width;
  }
  for (int y : {440, 503}) Put(screen, Frame(*Picture("bg1"), 0), 605, y);
  Put(screen, Frame(*Picture("bg10"), 1), 635, 455);
  Put(screen, Frame(*Picture("bg10"), 0), 635, 519);
}

TEST(PicturePreview, DraughtsBoardScreen) {
  OSurface screen(800, 600);
  Put(screen, Frame(*Picture("jp2"), 0), 0, 0);
  Panel(screen, 3, 1);
  auto darkMan = Picture("checker1"), darkKing = Picture("checker2");
  auto lightMan = Picture("checker3"), lightKing = Picture("checker4");
  const std::uint32_t emptyDark = screen.PixelAt(19 + 35, 19 + 7 * 70 + 35);
  for (int row = 0; row < 8; ++row)
    for (int column = 0; column < 8; ++column) {
      if ((row + column) % 2 != 0 || (row > 2 && row < 5)) continue;
      const int x = 19 + 70 * column, y = 19 + 70 * (7 - row);
      // Show every frame somewhere: selected, hovered and movable pieces.
      const int frame = row == 2 && column == 2 ? 1 : row == 2 && column == 4 ? 3 : row == 5 && column == 3 ? 2 : 0;
      const OSprite& piece = row < 3 ? (column == 6 ? *lightKing : *lightMan) : (column == 1 ? *darkKing : *darkMan);
      Put(screen, Frame(piece, frame), x, y);
    }
  EXPECT_NE(screen.PixelAt(19 + 35, 19 + 7 * 70 + 35), emptyDark) << "the man on a1 is drawn on its cell";
  Save(screen, "board-preview-draughts.png");
}

TEST(PicturePreview, DiscStoneHexAndDiceBoards) {
  {
    OSurface screen(800, 600);
    Put(screen, Frame(*Picture("jp2"), 0), 0, 0);
    Panel(screen, 1, 0);
    auto disc = Picture("checker11"), hint = Picture("bg10");
    const int cells[][3] = {{3, 4, 0}, {4, 3, 0}, {3, 3, 1}, {4, 4, 1}, {5, 4, 0}};
    for (auto [c, r, frame] : cells) Put(screen, Frame(*disc, frame), 19 + 70 * c, 19 + 70 * (7 - r));
    for (auto [c, r] : {std::pair{2, 3}, std::pair{5, 5}, std::pair{3, 2}})
      Put(screen, Frame(*hint, 0), 19 + 70 * c, 19 + 70 * (7 - r));
    Put(screen, Frame(*Picture("but25"), 0), 170, 272);
    Save(screen, "board-preview-discs.png");
  }
  {
    OSurface screen(800, 600);
    Put(screen, Frame(*Picture("jp4"), 0), 0, 0);
    Panel(screen, 2, 2);
    auto white = Picture("checker5"), black = Picture("checker6");
    for (int i = 0; i < 5; ++i) Put(screen, Frame(*black, 0), 22 + 40 * (5 + i), 22 + 40 * (13 - (5 + i)));
    for (int i = 0; i < 4; ++i) Put(screen, Frame(*white, 0), 22 + 40 * (6 + i), 22 + 40 * (13 - (5 + i)));
    Put(screen, Frame(*Picture("bg9"), 1), 120, 250);
    Save(screen, "board-preview-stones.png");
  }
  {
    static const int kRowShift[11] = {192, 173, 154, 135, 116, 96, 76, 56, 36, 17, -2};
    static const int kRowTop[11] = {123, 154, 184, 214, 245, 275, 306, 336, 366, 397, 427};
    OSurface screen(800, 600);
    Put(screen, Frame(*Picture("jp12"), 0), 0, 0);
    Panel(screen, 4, 1);
    auto blue = Picture("checker7"), red = Picture("checker8");
    for (int r = 0; r < 11; ++r) Put(screen, Frame(*red, 0), kRowShift[r] + 37 * 5, kRowTop[r]);
    for (int c = 0; c < 11; c += 2) Put(screen, Frame(*blue, 0), kRowShift[8] + 37 * c, kRowTop[8]);
    Save(screen, "board-preview-hex.png");
  }
  {
    static const int kColumn[12] = {27, 68, 109, 150, 190, 230, 320, 360, 402, 443, 483, 523};
    OSurface screen(800, 600);
    Put(screen, Frame(*Picture("jp13"), 0), 0, 0);
    Panel(screen, 8, 0);
    auto dark = Picture("checker9"), light = Picture("checker10");
    for (int k = 0; k < 15; ++k) Put(screen, Frame(*dark, 0), kColumn[11], 15 + 33 * k);
    for (int k = 0; k < 13; ++k) Put(screen, Frame(*light, 0), kColumn[0], 536 - 33 * k);
    for (int k = 0; k < 2; ++k) Put(screen, Frame(*light, 0), kColumn[3], 536 - 33 * k);
    Put(screen, Frame(*Picture("jp10"), 0), kColumn[4], 536);
    Put(screen, Frame(*Picture("bg6"), 4), 200, 280);
    Put(screen, Frame(*Picture("bg7"), 1), 240, 300);
    Put(screen, Frame(*Picture("bg3"), 0), 30, 500);
    Put(screen, Frame(*Picture("bg2"), 0), 370, 500);
    Save(screen, "board-preview-dice.png");
  }
}

TEST(PicturePreview, OptionsAndPlayersDialogs) {
  OSurface screen(800, 600);
  Put(screen, Frame(*Picture("jp2"), 0), 0, 0);
  Panel(screen, 0, 0);
  // Options, placed as the dialogs are: x = (585 - w) / 2 + 60, y = (600 - h) / 2.
  auto background = Picture("bg8");
  const int w = background->width + 5, h = background->height + 5;
  const int left = (585 - w) / 2 + 60, top = (600 - h) / 2;
  Put(screen, Frame(*background, 0), left, top);
  Put(screen, Frame(*Picture("jp1"), 0), left + (background->width - Picture("jp1")->width) / 2, top);
  auto box = Picture("but10");
  Put(screen, Frame(*box, 0, 1), left + 40, top + 74);
  Put(screen, Frame(*box, 0, 5), left + 40, top + 114);
  Put(screen, Frame(*box, 0, 0), left + 40, top + 154);
  auto slider = Picture("but12");
  Put(screen, Frame(*slider, 3), left + 250, top + 72);
  Put(screen, Frame(*slider, 5), left + 250, top + 112);
  auto levels = Picture("but18");
  for (int k = 0; k < 3; ++k) Put(screen, Frame(*levels, k, k == 1 ? 1 : k == 2 ? 2 : 0), left + 40, top + 200 + 32 * k);
  Put(screen, Frame(*Picture("but2"), 0, 0), left + 90, top + 340);
  Put(screen, Frame(*Picture("but5"), 0, 2), left + 230, top + 340);
  Save(screen, "board-preview-options.png");

  OSurface players(800, 600);
  Put(players, Frame(*Picture("jp4"), 0), 0, 0);
  Panel(players, 2, 0);
  auto face = Picture("bg11");
  const int pl = (585 - face->width - 5) / 2 + 60, pt = (600 - face->height - 5) / 2;
  Put(players, Frame(*face, 0), pl, pt);
  Put(players, Frame(*Picture("jp5"), 0), pl + (face->width - Picture("jp5")->width) / 2, pt);
  auto field = Picture("but19");
  Put(players, Frame(*field, 0, 1), pl + 170, pt + 80);
  Put(players, Frame(*field, 0, 0), pl + 170, pt + 120);
  auto opponent = Picture("but20"), first = Picture("but22");
  Put(players, Frame(*opponent, 0, 1), pl + 40, pt + 180);
  Put(players, Frame(*opponent, 1, 2), pl + 40, pt + 212);
  Put(players, Frame(*first, 0, 0), pl + 40, pt + 260);
  Put(players, Frame(*first, 1, 1), pl + 40, pt + 292);
  Put(players, Frame(*Picture("but2"), 0, 0), pl + 90, pt + 380);
  Put(players, Frame(*Picture("but5"), 0, 0), pl + 230, pt + 380);
  Save(players, "board-preview-players.png");
}

}  // namespace
}  // namespace tavlero
