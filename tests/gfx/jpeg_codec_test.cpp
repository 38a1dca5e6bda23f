// JPEG through the library and back: decoding into surfaces and buffers, the size
// limit that keeps lying headers from allocating, and streams that break off or are
// not JPEG at all (they must fail or decode short, never end the program).
#include <gtest/gtest.h>

#include <cstdlib>

#include "container_test_support.h"
#include "gfx/jpeg_codec.h"
#include "gfx/surface.h"

namespace tavlero {
namespace {

using testing_support::Gradient;
using testing_support::ScratchFolder;
using testing_support::WriteBytes;

std::vector<std::uint8_t> Stream(int width, int height, int quality = 90) {
  std::vector<std::uint8_t> jpeg;
  EXPECT_TRUE(EncodeJpegFromBgr(Gradient(width, height).data(), width, height, quality, jpeg));
  return jpeg;
}

int WorstDifference(const OSurface& surface, const std::vector<std::uint8_t>& bgr) {
  int worst = 0;
  for (int y = 0; y < surface.Height(); ++y)
    for (int x = 0; x < surface.Width(); ++x) {
      const std::uint32_t got = surface.PixelAt(x, y);
      const std::uint8_t* p = bgr.data() + (static_cast<std::size_t>(y) * surface.Width() + x) * 3;
      for (int c = 0; c < 3; ++c) worst = std::max(worst, std::abs(static_cast<int>((got >> (8 * c)) & 0xFF) - p[c]));
    }
  return worst;
}

TEST(JpegCodec, DecodesIntoSurfacesOfAnySizeTopRowFirst) {
  const auto jpeg = Stream(40, 30);
  // A surface of the right size keeps its place; another size is resized to the stream.
  OSurface same(40, 30);
  ASSERT_TRUE(DecodeJpegMemory(same, jpeg.data(), jpeg.size(), 0));
  EXPECT_LE(WorstDifference(same, Gradient(40, 30)), 10);
  OSurface other(3, 3);
  ASSERT_TRUE(DecodeJpegMemory(other, jpeg.data(), jpeg.size(), 0));
  EXPECT_EQ(other.Width(), 40);
  EXPECT_EQ(other.Height(), 30);
  EXPECT_LE(WorstDifference(other, Gradient(40, 30)), 10);

  int width = 0, height = 0;
  std::vector<std::uint8_t> bgr;
  ASSERT_TRUE(DecodeJpegToBgr(jpeg.data(), jpeg.size(), width, height, bgr));
  EXPECT_EQ(width, 40);
  EXPECT_EQ(height, 30);
  EXPECT_EQ(bgr.size(), 40u * 30 * 3);
}

TEST(JpegCodec, RefusesWhatIsNoJpegAndSurvivesStreamsThatBreakOff) {
  OSurface surface(4, 4);
  const std::uint8_t junk[] = {0xFF, 0xD8, 0x00, 0x01, 0x02, 0x03, 0x04};
  EXPECT_FALSE(DecodeJpegMemory(surface, junk, sizeof junk, 0));
  EXPECT_FALSE(DecodeJpegMemory(surface, nullptr, 0, 0));
  EXPECT_FALSE(DecodeJpegMemory(surface, junk, 0, 0));
  EXPECT_EQ(surface.Width(), 4) << "a failed decode leaves the surface as it was";

  const auto jpeg = Stream(64, 48);
  for (std::size_t cut = 1; cut < jpeg.size(); cut += 13) {
    OSurface target(1, 1);
    // Cut in the headers: refused. Cut in the picture data: the rest is filled in.
    if (DecodeJpegMemory(target, jpeg.data(), cut, 0)) {
      EXPECT_EQ(target.Width(), 64);
      EXPECT_EQ(target.Height(), 48);
    }
  }
}

TEST(JpegCodec, HeaderClaimingAHugePictureIsRefused) {
  auto jpeg = Stream(16, 16);
  // Rewrite the frame header's height and width (SOF0: FF C0, length, precision, H, W).
  std::size_t sof = 0;
  for (std::size_t i = 0; i + 1 < jpeg.size(); ++i)
    if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC1)) {
      sof = i;
      break;
    }
  ASSERT_GT(sof, 0u);
  jpeg[sof + 5] = 0x3E, jpeg[sof + 6] = 0x80;  // 16000
  jpeg[sof + 7] = 0x3E, jpeg[sof + 8] = 0x80;
  OSurface surface(1, 1);
  EXPECT_FALSE(DecodeJpegMemory(surface, jpeg.data(), jpeg.size(), 0));
  EXPECT_EQ(surface.Width(), 1);
  EXPECT_LT(JpegPixelLimit(jpeg.size()), 16000u * 16000u);
}

TEST(JpegCodec, LoadsJpegFiles) {
  ScratchFolder folder;
  const std::string path = folder.File("picture.jpg");
  WriteBytes(path, Stream(25, 19));
  OSurface surface(1, 1);
  ASSERT_TRUE(OSurface::LoadJpegFile(surface, path, 0));
  EXPECT_EQ(surface.Width(), 25);
  EXPECT_EQ(surface.Height(), 19);
  EXPECT_LE(WorstDifference(surface, Gradient(25, 19)), 10);

  EXPECT_FALSE(OSurface::LoadJpegFile(surface, folder.File("missing.jpg"), 0));
  const std::string empty = folder.File("empty.jpg");
  WriteBytes(empty, {});
  EXPECT_FALSE(OSurface::LoadJpegFile(surface, empty, 0));
  EXPECT_EQ(surface.Width(), 25);
}

TEST(JpegCodec, EncoderRefusesBadArguments) {
  std::vector<std::uint8_t> jpeg;
  EXPECT_FALSE(EncodeJpegFromBgr(nullptr, 4, 4, 90, jpeg));
  const auto bgr = Gradient(4, 4);
  EXPECT_FALSE(EncodeJpegFromBgr(bgr.data(), 0, 4, 90, jpeg));
  EXPECT_FALSE(EncodeJpegFromBgr(bgr.data(), 4, -1, 90, jpeg));
}

}  // namespace
}  // namespace tavlero
