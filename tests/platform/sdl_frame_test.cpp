#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "platform/sdl/frame_buffer.h"
#include "platform/sdl/window_icon.h"

namespace tavlero::platform {
namespace {

// A bottom-up BGR picture whose pixel at top-down (x, y) is red x, green y, blue 7.
struct TestPicture {
  int width, height, stride;
  std::vector<std::uint8_t> bytes;
  TestPicture(int w, int h) : width(w), height(h), stride((w * 3 + 3) & ~3), bytes(stride * h, 0xEE) {
    for (int y = 0; y < h; ++y) {
      std::uint8_t* row = &bytes[(h - 1 - y) * stride];
      for (int x = 0; x < w; ++x) {
        row[x * 3 + 0] = 7;
        row[x * 3 + 1] = static_cast<std::uint8_t>(y);
        row[x * 3 + 2] = static_cast<std::uint8_t>(x);
      }
    }
  }
  PixelSource Source() const { return {bytes.data(), stride, width, height}; }
  static std::uint32_t Expected(int x, int y) { return (std::uint32_t(x) << 16) | (std::uint32_t(y) << 8) | 7; }
};

TEST(FrameBufferTest, BlitTurnsBottomUpBgrIntoTopDownPixels) {
  FrameBuffer frame;
  frame.Resize(20, 10);
  frame.TakeChanges();
  const TestPicture picture(5, 4);  // stride padded past 15 bytes
  frame.Blit(picture.Source(), 1, 1, 3, 2, 10, 6);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 20; ++x) {
      const bool inside = x >= 10 && x < 13 && y >= 6 && y < 8;
      EXPECT_EQ(frame.PixelAt(x, y), inside ? TestPicture::Expected(x - 9, y - 5) : 0u) << x << "," << y;
    }
  }
  const PixelRect changed = frame.TakeChanges();
  EXPECT_EQ(changed.x, 10);
  EXPECT_EQ(changed.y, 6);
  EXPECT_EQ(changed.width, 3);
  EXPECT_EQ(changed.height, 2);
  EXPECT_FALSE(frame.HasChanges());
}

TEST(FrameBufferTest, BlitsAreClippedToPictureAndFrame) {
  FrameBuffer frame;
  frame.Resize(8, 8);
  const TestPicture picture(6, 6);
  // Source starting left of and above the picture: the destination moves along.
  frame.Blit(picture.Source(), -2, -1, 4, 4, 0, 0);
  EXPECT_EQ(frame.PixelAt(2, 1), TestPicture::Expected(0, 0));
  EXPECT_EQ(frame.PixelAt(3, 3), TestPicture::Expected(1, 2));
  EXPECT_EQ(frame.PixelAt(1, 1), 0u);
  EXPECT_EQ(frame.PixelAt(4, 1), 0u);

  // Destination partly off every edge.
  frame.Resize(8, 8);
  frame.Blit(picture.Source(), 0, 0, 6, 6, -3, -2);
  EXPECT_EQ(frame.PixelAt(0, 0), TestPicture::Expected(3, 2));
  EXPECT_EQ(frame.PixelAt(2, 3), TestPicture::Expected(5, 5));
  EXPECT_EQ(frame.PixelAt(3, 0), 0u);
  frame.Blit(picture.Source(), 0, 0, 6, 6, 5, 6);
  EXPECT_EQ(frame.PixelAt(7, 7), TestPicture::Expected(2, 1));
  // More than the picture holds is cut to it.
  frame.Resize(8, 8);
  frame.TakeChanges();
  frame.Blit(picture.Source(), 4, 4, 100, 100, 0, 0);
  EXPECT_EQ(frame.PixelAt(1, 1), TestPicture::Expected(5, 5));
  EXPECT_EQ(frame.PixelAt(2, 2), 0u);
  const PixelRect changed = frame.TakeChanges();
  EXPECT_EQ(changed.width, 2);
  EXPECT_EQ(changed.height, 2);
}

TEST(FrameBufferTest, UnusableSourcesAndExtremeNumbersChangeNothing) {
  FrameBuffer frame;
  frame.Resize(4, 4);
  frame.TakeChanges();
  const TestPicture picture(3, 3);
  PixelSource shortRows = picture.Source();
  shortRows.stride = 8;  // less than 3 pixels of 3 bytes
  frame.Blit(shortRows, 0, 0, 3, 3, 0, 0);
  frame.Blit(PixelSource{}, 0, 0, 3, 3, 0, 0);
  frame.Blit(picture.Source(), 0, 0, -3, 3, 0, 0);
  frame.Blit(picture.Source(), 0, 0, 3, 3, 4, 0);
  frame.Blit(picture.Source(), INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MAX, INT_MAX);
  frame.Blit(picture.Source(), INT_MAX, 0, INT_MAX, 3, INT_MIN, 0);
  EXPECT_FALSE(frame.HasChanges());
  // The widest possible request still copies just the overlap.
  frame.Blit(picture.Source(), INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MIN, INT_MIN);
  frame.Blit(picture.Source(), 0, 0, INT_MAX, INT_MAX, 0, 0);
  EXPECT_EQ(frame.PixelAt(2, 2), TestPicture::Expected(2, 2));
}

TEST(FrameBufferTest, ChangesGatherIntoOneRectangle) {
  FrameBuffer frame;
  frame.Resize(50, 50);
  EXPECT_EQ(frame.TakeChanges().width, 50);
  const TestPicture picture(4, 4);
  frame.Blit(picture.Source(), 0, 0, 4, 4, 2, 30);
  frame.Blit(picture.Source(), 0, 0, 2, 2, 40, 5);
  const PixelRect changed = frame.TakeChanges();
  EXPECT_EQ(changed.x, 2);
  EXPECT_EQ(changed.y, 5);
  EXPECT_EQ(changed.width, 40);
  EXPECT_EQ(changed.height, 29);
}

TEST(WindowIconTest, PaintsAnOpaqueGlossyPieceOnADarkSquareAtAnySize) {
  for (int size : {16, 32, 48}) {
    SCOPED_TRACE(size);
    const std::vector<std::uint32_t> icon = PaintWindowIcon(size);
    ASSERT_EQ(icon.size(), static_cast<std::size_t>(size * size));
    const auto red = [](std::uint32_t p) { return int((p >> 16) & 255); };
    const auto green = [](std::uint32_t p) { return int((p >> 8) & 255); };
    const auto blue = [](std::uint32_t p) { return int(p & 255); };
    for (std::uint32_t p : icon) EXPECT_EQ(p >> 24, 0xFFu);
    // The corner is dark wood, the middle of the piece clearly red.
    const std::uint32_t corner = icon[(size - 2) * size + 1];
    EXPECT_LT(red(corner) + green(corner) + blue(corner), 3 * 140);
    EXPECT_GT(red(corner), blue(corner));
    const std::uint32_t centre = icon[(size / 2 + size / 8) * size + size / 2 + size / 8];
    EXPECT_GT(red(centre), 2 * green(centre));
    EXPECT_GT(red(centre), 2 * blue(centre));
    // The gloss is the brightest spot, up and to the left of the centre.
    std::size_t brightest = 0;
    for (std::size_t i = 0; i < icon.size(); ++i)
      if (green(icon[i]) > green(icon[brightest])) brightest = i;
    EXPECT_GT(green(icon[brightest]), 150);
    EXPECT_LT(int(brightest % size), size / 2);
    EXPECT_LT(int(brightest / size), size / 2);
  }
  EXPECT_TRUE(PaintWindowIcon(0).empty());
}

}  // namespace
}  // namespace tavlero::platform
