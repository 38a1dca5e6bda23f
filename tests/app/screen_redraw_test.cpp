#include <gtest/gtest.h>

#include "screen_test_support.h"

namespace tavlero::screen_test {
namespace {

constexpr std::uint32_t kBackground = 0x000033;
constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kBlue = 0x0000FF;

class ScreenRedrawTest : public ::testing::Test {
 protected:
  ScreenRedrawTest() : screen(&fixture.window, 100, 50, 60, 40) { screen.backgroundColour = kBackground; }
  void Show() {
    screen.ShowModal(&current);
    fixture.desktop.ClearBlits();
  }
  // The window pixel at a point of the screen.
  std::uint32_t At(int x, int y) const { return fixture.desktop.PixelAt(100 + x, 50 + y); }

  WindowFixture fixture;
  RecordingScreen screen;
  OScreen* current = nullptr;
};

TEST_F(ScreenRedrawTest, FullRedrawDrawsVisibleSpritesAtTheirWholePositionsPlusOffsets) {
  OSprite* sprite = Block(4, 4, kRed, 5.7, 6.2);
  sprite->frames[0]->offsetX = 1;
  sprite->frames[0]->offsetY = 2;
  OSprite* hidden = Block(4, 4, kBlue, 30, 30);
  hidden->visible = false;
  screen.AddSprite(sprite);
  screen.AddSprite(hidden);
  Show();
  screen.OnFrame(30);

  ASSERT_EQ(fixture.desktop.Blits().size(), 1u);
  const auto& blit = fixture.desktop.Blits()[0];
  EXPECT_EQ(blit.dstX, 100);
  EXPECT_EQ(blit.dstY, 50);
  EXPECT_EQ(blit.width, 60);
  EXPECT_EQ(blit.height, 40);
  EXPECT_EQ(At(0, 0), kBackground);
  EXPECT_EQ(At(6, 8), kRed);
  EXPECT_EQ(At(9, 11), kRed);
  EXPECT_EQ(At(10, 8), kBackground);
  EXPECT_EQ(At(31, 31), kBackground);
  EXPECT_EQ(sprite->lastDrawn.x, 6);
  EXPECT_EQ(sprite->lastDrawn.y, 8);
  EXPECT_TRUE(sprite->lastDrawn.visible);
  EXPECT_FALSE(hidden->lastDrawn.visible);

  // Without present the surface is drawn but not copied.
  fixture.desktop.ClearBlits();
  screen.present = false;
  screen.OnFrame(30);
  EXPECT_TRUE(fixture.desktop.Blits().empty());

  // A skipped redraw happens once.
  screen.present = true;
  screen.skipNextRedraw = true;
  screen.OnFrame(30);
  EXPECT_TRUE(fixture.desktop.Blits().empty());
  EXPECT_FALSE(screen.skipNextRedraw);
  screen.OnFrame(30);
  EXPECT_EQ(fixture.desktop.Blits().size(), 1u);
}

TEST_F(ScreenRedrawTest, DirtyRectanglesMergeUntilNoneOverlaps) {
  screen.AddDirtyRect({0, 0, 10, 10});
  screen.AddDirtyRect({5, 5, 15, 15});
  ASSERT_EQ(screen.DirtyRects().size(), 1u);
  screen.AddDirtyRect({12, 0, 20, 4});  // overlaps only the union of the first two
  ASSERT_EQ(screen.DirtyRects().size(), 1u);
  EXPECT_EQ(screen.DirtyRects()[0], (ORect{0, 0, 20, 15}));

  OScreen other(nullptr, 0, 0, 50, 50);
  other.AddDirtyRect({0, 0, 10, 10});
  other.AddDirtyRect({5, 20, 30, 30});
  other.AddDirtyRect({10, 0, 20, 5});    // touching is not overlapping
  other.AddDirtyRect({30, 30, 30, 40});  // empty and overlapping nothing: dropped
  EXPECT_EQ(other.DirtyRects().size(), 3u);
  // Overlaps only the second; the grown rectangle then reaches the first and the third.
  other.AddDirtyRect({15, 5, 25, 25});
  ASSERT_EQ(other.DirtyRects().size(), 1u);
  EXPECT_EQ(other.DirtyRects()[0], (ORect{0, 0, 30, 30}));
}

TEST_F(ScreenRedrawTest, DirtyRectangleRedrawRepaintsOnlyWhatChanged) {
  screen.redrawMode = OScreen::kRedrawDirty;
  OSprite* backdrop = Block(60, 40, kBlue, 0, 0);
  backdrop->z = 10;
  OSprite* piece = Block(4, 4, kRed, 5, 5);
  piece->AddFrame(Picture(4, 4, 0x00FF00));
  piece->stopped = true;  // frames change only when the test says so
  screen.AddSprite(piece);
  screen.AddSprite(backdrop);
  Show();  // sorted: backdrop first, piece in front
  EXPECT_EQ(At(6, 6), kRed);

  // Nothing changed: nothing is copied.
  screen.OnFrame(30);
  EXPECT_TRUE(fixture.desktop.Blits().empty());

  // A move repaints the old place (the backdrop shows again) and the new one.
  piece->x = 20;
  screen.OnFrame(30);
  EXPECT_EQ(fixture.desktop.Blits().size(), 2u);
  EXPECT_EQ(At(6, 6), kBlue);
  EXPECT_EQ(At(21, 6), kRed);
  EXPECT_TRUE(screen.DirtyRects().empty());

  // A frame change and a transparency change each count as changes.
  fixture.desktop.ClearBlits();
  piece->SetFrame(1, -1);
  screen.OnFrame(30);
  EXPECT_EQ(At(21, 6), 0x00FF00u);
  fixture.desktop.ClearBlits();
  piece->SetTransparency(256);  // silhouette in the clear colour, the background
  screen.OnFrame(30);
  EXPECT_EQ(fixture.desktop.Blits().size(), 1u);
  EXPECT_EQ(At(21, 6), kBackground);

  // Hiding clears the old area; removing marks it dirty.
  piece->SetTransparency(0);
  screen.OnFrame(30);
  piece->visible = false;
  screen.OnFrame(30);
  EXPECT_EQ(At(21, 6), kBlue);
  piece->visible = true;
  screen.OnFrame(30);
  EXPECT_EQ(At(21, 6), 0x00FF00u);
  screen.RemoveSprite(piece, true);
  screen.OnFrame(30);
  EXPECT_EQ(At(21, 6), kBlue);
}

TEST_F(ScreenRedrawTest, ChangedSpriteRedrawErasesWithASilhouetteAndKeepsStillSprites) {
  screen.redrawMode = OScreen::kRedrawChanged;
  OSprite* piece = Block(4, 4, kRed, 5, 5);
  piece->frames[0]->SetPixel(0, 0, 0xFF00FF);
  piece->SetColourKey(-1);
  OSprite* still = Block(3, 3, kBlue, 40, 20);
  screen.AddSprite(piece);
  screen.AddSprite(still);
  Show();

  screen.OnFrame(30);
  EXPECT_TRUE(fixture.desktop.Blits().empty());

  piece->x = 5.6;  // less than a pixel: nothing
  screen.OnFrame(30);
  EXPECT_TRUE(fixture.desktop.Blits().empty());

  piece->x = 7;
  screen.OnFrame(30);
  ASSERT_EQ(fixture.desktop.Blits().size(), 1u);
  const auto& blit = fixture.desktop.Blits()[0];
  EXPECT_EQ(blit.dstX + 0, 100 + 5);  // the span of both places
  EXPECT_EQ(blit.width, 6);
  EXPECT_EQ(At(5, 6), kBackground);  // erased
  EXPECT_EQ(At(7, 6), kRed);
  EXPECT_EQ(At(7, 5), kBackground);  // the keyed corner stays transparent
  EXPECT_EQ(At(41, 21), kBlue);

  fixture.desktop.ClearBlits();
  piece->alwaysRedraw = true;
  screen.OnFrame(30);
  EXPECT_EQ(fixture.desktop.Blits().size(), 1u);
}

TEST_F(ScreenRedrawTest, SubPixelSpritesFilterWithAPlaneAndFallBackToWholePixelsWithout) {
  OSprite* smooth = Block(1, 1, 0xFFFFFF, 2.5, 2);
  smooth->frames[0]->CreateTransparencyPlane()[0] = 0;
  smooth->subPixel = true;
  OSprite* plain = Block(2, 2, kRed, 10.5, 10);
  plain->subPixel = true;
  screen.AddSprite(smooth);
  screen.AddSprite(plain);
  Show();
  EXPECT_NE(At(2, 2), kBackground);
  EXPECT_NE(At(3, 2), kBackground);
  EXPECT_NE(At(2, 2), 0xFFFFFFu);
  EXPECT_EQ(At(10, 10), kRed);
}

TEST_F(ScreenRedrawTest, PaintBelowPaintsTheStackBottomUp) {
  RecordingScreen upper(&fixture.window, 110, 60, 10, 10);
  upper.backgroundColour = kRed;
  screen.AddSprite(Block(60, 40, kBlue, 0, 0));
  Show();
  upper.ShowModal(&current);
  fixture.desktop.ClearBlits();
  upper.PaintBelow();
  upper.Draw();
  ASSERT_EQ(fixture.desktop.Blits().size(), 2u);
  EXPECT_EQ(fixture.desktop.Blits()[0].dstX, 100);
  EXPECT_EQ(fixture.desktop.Blits()[1].dstX, 110);
  EXPECT_EQ(At(5, 5), kBlue);
  EXPECT_EQ(At(12, 12), kRed);
}

}  // namespace
}  // namespace tavlero::screen_test
