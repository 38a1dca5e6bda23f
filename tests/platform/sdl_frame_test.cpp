#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "platform/sdl/frame_buffer.h"
#include "platform/sdl/window_icon.h"

namespace tavlero::platform {
namespace {

// A bottom-up BGR picture with padded rows whose pixel at top-down (x, y) is red x,
// green y, blue 7.
struct TestPicture {
  int width, height, stride;
  std::vector<std::uint8_t> bytes;
  TestPicture(int w, int h) : width(w), height(h), stride((w * 3 + 3) & ~3), bytes(stride * h, 0xEE) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        std::uint8_t* p = &bytes[(h - 1 - y) * stride + x * 3];
        p[0] = 7, p[1] = static_cast<std::uint8_t>(y), p[2] = static_cast<std::uint8_t>(x);
      }
  }
  PixelSource Source() const { return {bytes.data(), stride, width, height}; }
  static std::uint32_t At(int x, int y) { return (std::uint32_t(x) << 16) | (std::uint32_t(y) << 8) | 7; }
};

TEST(FrameBufferTest, BlitTurnsBottomUpBgrIntoTopDownPixelsAndGathersChanges) {
  FrameBuffer frame;
  frame.Resize(50, 40);
  EXPECT_EQ(frame.TakeChanges().width, 50);
  const TestPicture picture(5, 4);
  frame.Blit(picture.Source(), 1, 1, 3, 2, 10, 6);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 50; ++x) {
      const bool inside = x >= 10 && x < 13 && y >= 6 && y < 8;
      ASSERT_EQ(frame.PixelAt(x, y), inside ? TestPicture::At(x - 9, y - 5) : 0u) << x << "," << y;
    }
  frame.Blit(picture.Source(), 0, 0, 2, 2, 40, 30);
  const PixelRect changed = frame.TakeChanges();
  EXPECT_EQ(changed.x, 10);
  EXPECT_EQ(changed.y, 6);
  EXPECT_EQ(changed.width, 32);
  EXPECT_EQ(changed.height, 26);
  EXPECT_FALSE(frame.HasChanges());
}

TEST(FrameBufferTest, BlitsAreClippedToPictureAndFrame) {
  FrameBuffer frame;
  frame.Resize(8, 8);
  const TestPicture picture(6, 6);
  // Source starting left of and above the picture: the destination moves along.
  frame.Blit(picture.Source(), -2, -1, 4, 4, 0, 0);
  EXPECT_EQ(frame.PixelAt(2, 1), TestPicture::At(0, 0));
  EXPECT_EQ(frame.PixelAt(3, 3), TestPicture::At(1, 2));
  EXPECT_EQ(frame.PixelAt(1, 1), 0u);
  EXPECT_EQ(frame.PixelAt(4, 1), 0u);
  // Destination partly off the top-left and the bottom-right.
  frame.Resize(8, 8);
  frame.Blit(picture.Source(), 0, 0, 6, 6, -3, -2);
  EXPECT_EQ(frame.PixelAt(0, 0), TestPicture::At(3, 2));
  EXPECT_EQ(frame.PixelAt(2, 3), TestPicture::At(5, 5));
  EXPECT_EQ(frame.PixelAt(3, 0), 0u);
  frame.Blit(picture.Source(), 0, 0, 6, 6, 5, 6);
  EXPECT_EQ(frame.PixelAt(7, 7), TestPicture::At(2, 1));
}

TEST(FrameBufferTest, UnusableSourcesAndExtremeNumbersAreSafe) {
  FrameBuffer frame;
  frame.Resize(4, 4);
  frame.TakeChanges();
  const TestPicture picture(3, 3);
  PixelSource shortRows = picture.Source();
  shortRows.stride = 8;  // less than 3 pixels of 3 bytes
  frame.Blit(shortRows, 0, 0, 3, 3, 0, 0);
  frame.Blit(PixelSource{}, 0, 0, 3, 3, 0, 0);
  frame.Blit(picture.Source(), 0, 0, -3, 3, 0, 0);
  frame.Blit(picture.Source(), INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MAX, INT_MAX);
  frame.Blit(picture.Source(), INT_MAX, 0, INT_MAX, 3, INT_MIN, 0);
  EXPECT_FALSE(frame.HasChanges());
  frame.Blit(picture.Source(), INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MIN, INT_MIN);
  frame.Blit(picture.Source(), 0, 0, INT_MAX, INT_MAX, 0, 0);
  EXPECT_EQ(frame.PixelAt(2, 2), TestPicture::At(2, 2));
  EXPECT_EQ(frame.PixelAt(3, 3), 0u);
}

TEST(WindowIconTest, PaintsAnOpaqueGlossyRedPieceOnADarkSquare) {
  for (int size : {16, 32}) {
    SCOPED_TRACE(size);
    const std::vector<std::uint32_t> icon = PaintWindowIcon(size);
    ASSERT_EQ(icon.size(), static_cast<std::size_t>(size * size));
    const auto channel = [](std::uint32_t p, int shift) { return int((p >> shift) & 255); };
    for (std::uint32_t p : icon) ASSERT_EQ(p >> 24, 0xFFu);
    const std::uint32_t corner = icon[(size - 2) * size + 1];
    EXPECT_LT(channel(corner, 16) + channel(corner, 8) + channel(corner, 0), 3 * 140);
    const std::uint32_t piece = icon[(size / 2 + size / 8) * (size + 1)];
    EXPECT_GT(channel(piece, 16), 2 * channel(piece, 8));
    // The gloss is the brightest spot, up and to the left of the centre.
    std::size_t brightest = 0;
    for (std::size_t i = 0; i < icon.size(); ++i)
      if (channel(icon[i], 8) > channel(icon[brightest], 8)) brightest = i;
    EXPECT_GT(channel(icon[brightest], 8), 150);
    EXPECT_LT(int(brightest % size), size / 2);
    EXPECT_LT(int(brightest / size), size / 2);
  }
}

}  // namespace
}  // namespace tavlero::platform
