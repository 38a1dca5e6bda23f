#include "gfx/surface.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/fake_text_renderer.h"
#include "platform/services.h"

namespace tavlero {
namespace {

// A w x h surface filled with one colour.
std::unique_ptr<OSurface> Filled(int w, int h, std::uint32_t colour) {
  auto surface = std::make_unique<OSurface>(w, h);
  surface->clearColour = colour;
  surface->Clear();
  return surface;
}

TEST(SurfaceLayoutTest, RowsRunBottomUpWithPaddedStrideAndASpareTopRow) {
  OSurface surface(5, 3);
  ASSERT_FALSE(surface.failed);
  EXPECT_EQ(surface.Stride(), 16);  // 15 bytes rounded up to 4
  EXPECT_EQ(OSheet::StrideFor(1), 4);
  EXPECT_EQ(OSheet::StrideFor(4), 12);
  const OSheet& sheet = *surface.Sheet();
  EXPECT_EQ(sheet.width, 5);
  EXPECT_EQ(sheet.height, 3);
  EXPECT_EQ(sheet.bits, surface.Pixels());

  // New surfaces are cleared to white, the default clear colour; the spare row is not touched.
  EXPECT_EQ(surface.PixelAt(4, 2), 0xFFFFFFu);
  EXPECT_EQ(sheet.bits[3 * 16], 0);

  // The top row is the highest memory row; bytes are blue, green, red.
  surface.SetPixel(0, 0, 0x112233);
  const std::uint8_t* top = surface.Pixels() + 2 * surface.Stride();
  EXPECT_EQ(top[0], 0x33);
  EXPECT_EQ(top[1], 0x22);
  EXPECT_EQ(top[2], 0x11);
  EXPECT_EQ(surface.Row(0), top);

  const platform::PixelSource source = surface.PixelSource();
  EXPECT_EQ(source.bottomRow, surface.Pixels());
  EXPECT_EQ(source.stride, 16);
  EXPECT_EQ(source.width, 5);
  EXPECT_EQ(source.height, 3);
}

TEST(SurfaceLayoutTest, ClearFillsOnlyTheClippedRectangle) {
  auto surface = Filled(6, 4, 0x000000);
  surface->clearColour = 0x0000FF;
  const ORect rect{4, 2, 10, 10};  // reaches past the right and bottom edges
  surface->Clear(&rect);
  EXPECT_EQ(surface->PixelAt(3, 3), 0u);
  EXPECT_EQ(surface->PixelAt(4, 1), 0u);
  EXPECT_EQ(surface->PixelAt(4, 2), 0x0000FFu);
  EXPECT_EQ(surface->PixelAt(5, 3), 0x0000FFu);
  const ORect outside{-5, -5, 0, 0};
  surface->Clear(&outside);
  EXPECT_EQ(surface->PixelAt(0, 0), 0u);
}

TEST(SurfaceLayoutTest, AbsurdOrNegativeSizesFailWithoutPixels) {
  OSurface negative(-1, 5);
  EXPECT_TRUE(negative.failed);
  EXPECT_FALSE(negative.HasPixels());
  EXPECT_EQ(negative.Pixels(), nullptr);
  OSurface huge(OSheet::kMaxSide + 1, 2);
  EXPECT_TRUE(huge.failed);

  // Drawing from or onto a surface without pixels does nothing.
  auto target = Filled(4, 4, 0x123456);
  target->Draw(&huge, 0, 0);
  huge.Draw(target.get(), 0, 0);
  huge.Clear();
  EXPECT_EQ(target->PixelAt(0, 0), 0x123456u);

  // A zero-sized surface is valid and harmless.
  OSurface empty(0, 0);
  EXPECT_FALSE(empty.failed);
  target->Draw(&empty, 1, 1);
  EXPECT_EQ(target->PixelAt(1, 1), 0x123456u);
}

TEST(SurfaceResizeTest, ResizeReplacesPixelsDropsThePlaneAndReportsFailure) {
  OSurface surface(4, 4);
  ASSERT_NE(surface.CreateTransparencyPlane(), nullptr);
  ASSERT_TRUE(surface.Resize(7, 2, 0x00FF00));
  EXPECT_EQ(surface.Width(), 7);
  EXPECT_EQ(surface.Height(), 2);
  EXPECT_EQ(surface.TransparencyPlane(), nullptr);
  EXPECT_EQ(surface.clearColour, 0x00FF00u);
  EXPECT_EQ(surface.PixelAt(6, 1), 0x00FF00u);

  ASSERT_TRUE(surface.Resize(3, 3));  // -1 keeps the clear colour
  EXPECT_EQ(surface.PixelAt(2, 2), 0x00FF00u);

  EXPECT_FALSE(surface.Resize(-3, 3));
  EXPECT_TRUE(surface.failed);
  EXPECT_FALSE(surface.HasPixels());
  ASSERT_TRUE(surface.Resize(2, 2));
  EXPECT_FALSE(surface.failed);
}

TEST(SurfaceDrawTest, SourceRectanglesAreClippedToTheSourceAndTheDestination) {
  auto source = Filled(4, 4, 0x0000FF);
  source->SetPixel(0, 0, 0xFF0000);
  source->SetPixel(3, 3, 0x00FF00);

  // Partly outside the source: only the part inside is drawn, where it would have been.
  auto target = Filled(10, 10, 0);
  const ORect partly{-2, -2, 2, 2};
  target->Draw(source.get(), 5, 5, &partly);
  EXPECT_EQ(target->PixelAt(7, 7), 0xFF0000u);  // source (0, 0)
  EXPECT_EQ(target->PixelAt(8, 8), 0x0000FFu);
  EXPECT_EQ(target->PixelAt(6, 6), 0u);          // outside the source: untouched
  EXPECT_EQ(target->PixelAt(9, 9), 0u);          // past the rectangle

  // Entirely outside the source: nothing.
  auto untouched = Filled(10, 10, 0);
  const ORect outside{4, 0, 8, 4};
  untouched->Draw(source.get(), 0, 0, &outside);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) ASSERT_EQ(untouched->PixelAt(x, y), 0u);

  // Destination clipping on every side, and positions past the right or bottom edge.
  auto small = Filled(3, 3, 0);
  small->Draw(source.get(), -3, -3);
  EXPECT_EQ(small->PixelAt(0, 0), 0x00FF00u);  // source (3, 3)
  EXPECT_EQ(small->PixelAt(1, 1), 0u);
  small->Draw(source.get(), 2, 2);
  EXPECT_EQ(small->PixelAt(2, 2), 0xFF0000u);
  auto far = Filled(3, 3, 0);
  far->Draw(source.get(), 3, 0);
  far->Draw(source.get(), 0, 3);
  far->Draw(nullptr, 0, 0);
  EXPECT_EQ(far->PixelAt(2, 2), 0u);

  // A rectangle inside the source lands with its top-left at (x, y).
  auto placed = Filled(5, 5, 0);
  const ORect corner{3, 3, 4, 4};
  placed->Draw(source.get(), 1, 1, &corner);
  EXPECT_EQ(placed->PixelAt(1, 1), 0x00FF00u);
  EXPECT_EQ(placed->PixelAt(2, 2), 0u);
}

TEST(SurfaceDrawTest, ColourKeyFromTheTopLeftPixelMakesMagentaTransparent) {
  auto sprite = Filled(3, 2, 0xFF00FF);
  sprite->SetPixel(1, 0, 0x102030);
  sprite->SetPixel(2, 1, 0x405060);
  sprite->SetColourKey(-1);
  EXPECT_EQ(sprite->colourKey, 0xFF00FF);

  auto target = Filled(3, 2, 0x00AA00);
  target->Draw(sprite.get(), 0, 0);
  EXPECT_EQ(target->PixelAt(0, 0), 0x00AA00u);
  EXPECT_EQ(target->PixelAt(1, 0), 0x102030u);
  EXPECT_EQ(target->PixelAt(2, 1), 0x405060u);
  EXPECT_EQ(target->PixelAt(0, 1), 0x00AA00u);

  // An explicit key replaces it; a key no 24-bit colour can equal keys nothing out.
  sprite->SetColourKey(0x1000000);
  target->Draw(sprite.get(), 0, 0);
  EXPECT_EQ(target->PixelAt(0, 0), 0xFF00FFu);
}

TEST(SurfaceDrawTest, TransparencyLevelsBlendWithAnArithmeticShiftAndSilhouettesUseTheClearColour) {
  auto source = Filled(2, 1, 0x6464C8);  // red 100, green 100, blue 200
  source->SetPixel(1, 0, 0xFF00FF);
  source->colourKey = 0xFF00FF;
  auto target = Filled(2, 1, 0xC8C864);  // red 200, green 200, blue 100

  source->transparencyLevel = 128;
  target->Draw(source.get(), 0, 0);
  // ((D - S) * 128 >> 8) + S: 200/100 -> 150, 100/200 -> 150; the keyed pixel stays.
  EXPECT_EQ(target->PixelAt(0, 0), 0x969696u);
  EXPECT_EQ(target->PixelAt(1, 0), 0xC8C864u);

  // The shift rounds towards minus infinity: D 0, S 255, t 1 gives 254, not 255.
  auto white = Filled(1, 1, 0xFFFFFF);
  auto black = Filled(1, 1, 0x000000);
  white->transparencyLevel = 1;
  black->Draw(white.get(), 0, 0);
  EXPECT_EQ(black->PixelAt(0, 0), 0xFEFEFEu);

  // Level 256 or more: non-key pixels become the destination's clear colour.
  target->clearColour = 0x0A0B0C;
  source->transparencyLevel = 256;
  target->Draw(source.get(), 0, 0);
  EXPECT_EQ(target->PixelAt(0, 0), 0x0A0B0Cu);
  EXPECT_EQ(target->PixelAt(1, 0), 0xC8C864u);
  source->transparencyLevel = 1000;
  target->SetPixel(0, 0, 0);
  target->Draw(source.get(), 0, 0);
  EXPECT_EQ(target->PixelAt(0, 0), 0x0A0B0Cu);
}

TEST(SurfaceDrawTest, TransparencyPlaneValuesPlusTheLevelDecideEachPixel) {
  auto source = Filled(4, 1, 0x0000FF);
  std::uint8_t* plane = source->CreateTransparencyPlane();
  ASSERT_NE(plane, nullptr);
  EXPECT_EQ(source->TransparencyAt(0, 0), 255);  // created invisible
  plane[0] = 0;
  plane[1] = 128;
  plane[2] = 255;
  plane[3] = 100;
  source->colourKey = 0x0000FF;  // ignored when there is a plane

  auto target = Filled(4, 1, 0xFF0000);
  target->Draw(source.get(), 0, 0);
  EXPECT_EQ(target->PixelAt(0, 0), 0x0000FFu);
  // red (255 - 0) * 128 >> 8 = 127; blue ((0 - 255) * 128 >> 8) + 255 = -128 + 255 = 127.
  EXPECT_EQ(target->PixelAt(1, 0), 0x7F007Fu);
  EXPECT_EQ(target->PixelAt(2, 0), 0xFF0000u);

  // The level is added: 100 + 155 reaches 255 and leaves the destination.
  auto second = Filled(4, 1, 0xFF0000);
  source->transparencyLevel = 155;
  second->Draw(source.get(), 0, 0);
  EXPECT_EQ(second->PixelAt(3, 0), 0xFF0000u);
  EXPECT_NE(second->PixelAt(0, 0), 0xFF0000u);

  // Plane rows run bottom-up like the pixels.
  OSurface tall(1, 2);
  std::uint8_t* tallPlane = tall.CreateTransparencyPlane();
  tallPlane[0] = 7;  // bottom row
  tallPlane[1] = 9;  // top row
  EXPECT_EQ(tall.TransparencyAt(0, 1), 7);
  EXPECT_EQ(tall.TransparencyAt(0, 0), 9);
  EXPECT_EQ(OSurface::TransparencyPlaneSize(3, 2), 3u * 2 + 1 + 3);
}

TEST(SurfaceSharingTest, CopiesSharePixelsUntilTheLastOneGoes) {
  std::weak_ptr<OSheet> sheet;
  {
    auto original = std::make_unique<OSurface>(3, 3);
    original->offsetX = 4;
    original->offsetY = 5;
    original->transparencyLevel = 40;
    original->colourKey = 0x123456;
    original->command = 3;
    original->argument1 = 1;
    original->argument2 = 2;
    sheet = original->Sheet();

    auto copy = std::make_unique<OSurface>(*original);
    EXPECT_EQ(copy->Pixels(), original->Pixels());
    EXPECT_EQ(copy->Store(), original->Store());
    EXPECT_EQ(original->Store()->shareCount, 1);
    EXPECT_EQ(copy->offsetX, 4);
    EXPECT_EQ(copy->offsetY, 5);
    EXPECT_EQ(copy->transparencyLevel, 40);
    EXPECT_EQ(copy->colourKey, 0x123456);
    EXPECT_EQ(copy->command, 0);  // the step is not copied
    EXPECT_EQ(copy->argument1, 0);

    original->SetPixel(1, 1, 0xABCDEF);
    EXPECT_EQ(copy->PixelAt(1, 1), 0xABCDEFu);

    original.reset();
    ASSERT_FALSE(sheet.expired());
    EXPECT_EQ(copy->PixelAt(1, 1), 0xABCDEFu);  // still readable through the copy
    EXPECT_EQ(copy->Store()->shareCount, 0);
  }
  EXPECT_TRUE(sheet.expired());
}

TEST(SurfaceSharingTest, SheetsHoldPicturesLeftToRightAndRefuseOnesThatDoNotFit) {
  std::shared_ptr<OSheet> sheet = OSheet::Create(10, 4);
  ASSERT_NE(sheet, nullptr);
  OSurface first(4, 4, sheet);
  OSurface second(3, 2, sheet);
  EXPECT_EQ(sheet->users, 2);
  EXPECT_EQ(sheet->nextFreeX, 7);
  EXPECT_EQ(first.Store()->xInSheet, 0);
  EXPECT_EQ(second.Store()->xInSheet, 4);
  EXPECT_EQ(second.Sheet(), sheet);
  EXPECT_EQ(second.Pixels(), sheet->bits + 4 * 3);
  EXPECT_EQ(second.Stride(), sheet->stride);

  // Pictures in one sheet do not touch each other.
  first.clearColour = 0x111111;
  first.Clear();
  second.clearColour = 0x222222;
  second.Clear();
  EXPECT_EQ(first.PixelAt(3, 3), 0x111111u);
  EXPECT_EQ(second.PixelAt(0, 1), 0x222222u);

  // Too wide for what is left, or too tall: a sheet of its own instead of overrunning.
  OSurface wide(4, 1, sheet);
  OSurface tall(1, 5, sheet);
  EXPECT_NE(wide.Sheet(), sheet);
  EXPECT_NE(tall.Sheet(), sheet);
  EXPECT_EQ(sheet->users, 2);
  EXPECT_EQ(sheet->nextFreeX, 7);
}

TEST(SurfaceSubPixelTest, FractionalPositionsMixNeighboursAndNeedAPlane) {
  auto source = Filled(1, 1, 0xFFFFFF);
  source->CreateTransparencyPlane()[0] = 0;

  // At a whole position it is an ordinary draw.
  auto exact = Filled(3, 1, 0);
  exact->DrawSubPixel(source.get(), 1.0, 0.0);
  EXPECT_EQ(exact->PixelAt(1, 0), 0xFFFFFFu);
  EXPECT_EQ(exact->PixelAt(2, 0), 0u);

  // Half a pixel to the right: both pixels get half the colour (transparency 127).
  auto half = Filled(3, 1, 0);
  half->DrawSubPixel(source.get(), 1.5, 0.0);
  EXPECT_EQ(half->PixelAt(0, 0), 0u);
  const std::uint32_t left = half->PixelAt(1, 0), right = half->PixelAt(2, 0);
  EXPECT_GT(left & 0xFF, 0x70u);
  EXPECT_LT(left & 0xFF, 0x90u);
  EXPECT_EQ(left, right);

  // Negative fractions are taken towards minus infinity: -0.5 covers pixel 0 by half.
  auto negative = Filled(2, 1, 0);
  negative->DrawSubPixel(source.get(), -0.5, 0.0);
  EXPECT_EQ(negative->PixelAt(0, 0), left);

  // A clip rectangle limits the pixels written.
  auto clipped = Filled(3, 1, 0);
  const ORect clip{2, 0, 3, 1};
  clipped->DrawSubPixel(source.get(), 1.5, 0.0, &clip);
  EXPECT_EQ(clipped->PixelAt(1, 0), 0u);
  EXPECT_EQ(clipped->PixelAt(2, 0), right);

  // Without a plane nothing is drawn.
  auto plain = Filled(1, 1, 0xFFFFFF);
  auto untouched = Filled(2, 1, 0);
  untouched->DrawSubPixel(plain.get(), 0.25, 0.0);
  EXPECT_EQ(untouched->PixelAt(0, 0), 0u);
}

TEST(SurfaceScaleTest, BilinearScalingKeepsFlatColoursAndInterpolatesBetweenPixels) {
  const std::uint8_t flat[] = {10, 20, 30, 10, 20, 30, 0, 0};  // 2 x 1, stride 8
  std::uint8_t out[5 * 3 * 4] = {};
  OSurface::ScaleBilinear(flat, 2, 1, 8, out, 5, 4, 15);
  for (int i = 0; i < 5 * 4; ++i) {
    ASSERT_EQ(out[i * 3], 10);
    ASSERT_EQ(out[i * 3 + 1], 20);
    ASSERT_EQ(out[i * 3 + 2], 30);
  }

  const std::uint8_t ramp[] = {0, 0, 0, 200, 200, 200};  // black to grey
  std::uint8_t wide[4 * 3] = {};
  OSurface::ScaleBilinear(ramp, 2, 1, 6, wide, 4, 1, 12);
  EXPECT_EQ(wide[0], 0);
  EXPECT_EQ(wide[9], 200);
  EXPECT_GT(wide[3], wide[0]);
  EXPECT_GT(wide[6], wide[3]);
  EXPECT_GT(wide[9], wide[6]);

  std::uint8_t same[6] = {};
  OSurface::ScaleBilinear(ramp, 2, 1, 6, same, 2, 1, 6);
  EXPECT_EQ(same[0], 0);
  EXPECT_EQ(same[3], 200);
}

class SurfaceTextTest : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = DrawingStyle(); }
  void TearDown() override { DrawingStyle() = saved_; }
  platform::FakeTextRenderer renderer_;
  platform::ScopedServices services_{platform::Services{nullptr, &renderer_, nullptr}};
  OTextStyle saved_;
};

TEST_F(SurfaceTextTest, TextUsesTheSharedDrawingStyleAndBlendsInTheTextColour) {
  OTextStyle& style = DrawingStyle();
  style.sizePoints = 10;
  style.textColour = 0xFF0000;
  style.styleFlags = OTextStyle::kBold | OTextStyle::kUnderline;
  style.faceName = "Times New Roman";

  int width = 0, height = 0;
  OSurface::TextExtent("abc", width, height);
  EXPECT_EQ(width, 3 * 7);  // ceil(10 x 0.6) + 1 for bold
  EXPECT_EQ(height, 16);    // ceil(10 x 96 / 72 x 1.15)
  EXPECT_EQ(renderer_.lastFont.face, "Times New Roman");
  EXPECT_TRUE(renderer_.lastFont.bold);
  EXPECT_FALSE(renderer_.lastFont.italic);
  EXPECT_TRUE(renderer_.lastFont.underline);

  style.styleFlags = 0;
  auto surface = Filled(20, 20, 0xFFFFFF);
  surface->DrawText("a b", 2, 3);
  // Glyph boxes: one pixel in from the cell, from a quarter of the line height down.
  EXPECT_EQ(surface->PixelAt(2 + 1, 3 + 4), 0xFF0000u);
  EXPECT_EQ(surface->PixelAt(2, 3 + 4), 0xFFFFFFu);        // cell edge
  EXPECT_EQ(surface->PixelAt(2 + 6 + 2, 3 + 4), 0xFFFFFFu);  // the space
  EXPECT_EQ(surface->PixelAt(2 + 12 + 1, 3 + 4), 0xFF0000u);

  // Text running off the surface is clipped, not written past it.
  surface->DrawText("wide text that overflows", 15, 15);
  surface->DrawText("x", -100, -100);
  SUCCEED();
}

TEST(SurfaceTextWithoutRendererTest, MeasuresNothingAndDrawsNothing) {
  platform::ScopedServices none{platform::Services{}};
  int width = 5, height = 5;
  OSurface::TextExtent("abc", width, height);
  EXPECT_EQ(width, 0);
  EXPECT_EQ(height, 0);
  auto surface = Filled(4, 4, 0xFFFFFF);
  surface->DrawText("abc", 0, 0);
  EXPECT_EQ(surface->PixelAt(1, 1), 0xFFFFFFu);
}

}  // namespace
}  // namespace tavlero
