// Loading picture containers: what the writer stores comes back bit for bit (JPEG
// frames within the codec's loss), sequences become frames or sub-sprites with their
// offsets, keys and steps, and shared sheets hold the frames side by side.
#include <gtest/gtest.h>

#include <cstdlib>

#include "container_test_support.h"
#include "gfx/sprite.h"

namespace tavlero {
namespace {

using testing_support::AlphaPattern;
using testing_support::Encode;
using testing_support::Gradient;
using testing_support::Pattern;
using testing_support::ScratchFolder;
using testing_support::WriteBytes;

struct Loaded {
  ScratchFolder folder;
  OSprite sprite;
  bool ok = false;
  explicit Loaded(const PictureContainer& container) {
    const std::string path = folder.File("picture.clp");
    WriteBytes(path, Encode(container));
    ok = sprite.Load(path);
  }
};

void ExpectPixels(const OSurface& frame, const std::vector<std::uint8_t>& bgr, int width, int height) {
  ASSERT_EQ(frame.Width(), width);
  ASSERT_EQ(frame.Height(), height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const std::uint8_t* p = bgr.data() + (static_cast<std::size_t>(y) * width + x) * 3;
      ASSERT_EQ(frame.PixelAt(x, y), p[0] | (p[1] << 8) | (static_cast<std::uint32_t>(p[2]) << 16))
          << "at " << x << "," << y;
    }
}

void ExpectAlpha(const OSurface& frame, const std::vector<std::uint8_t>& alpha, int width, int height) {
  ASSERT_NE(frame.TransparencyPlane(), nullptr);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      ASSERT_EQ(frame.TransparencyAt(x, y), alpha[static_cast<std::size_t>(y) * width + x]) << "at " << x << "," << y;
}

PictureSequenceEntry Entry(int frame, std::int32_t key = clp::kNoKey, int command = 0, int a1 = 0, int a2 = 0,
                           int ox = 0, int oy = 0) {
  return {ox, oy, frame, key, command, a1, a2};
}

TEST(ContainerLoad, EveryFrameTypeRoundTrips) {
  PictureContainer container;
  container.AddFrame(PictureFrame::Raw(5, 3, Pattern(5, 3, 1)));
  container.AddFrame(PictureFrame::Raw(4, 6, Pattern(4, 6, 2), AlphaPattern(4, 6)));
  container.AddFrame(PictureFrame::Jpeg(32, 24, Gradient(32, 24), {}, 95));
  container.AddFrame(PictureFrame::Jpeg(17, 9, Gradient(17, 9), AlphaPattern(17, 9), 95));
  // Types 5 and 6 carry a plane like 4; any unknown type is raw without one.
  PictureFrame five = PictureFrame::Raw(2, 2, Pattern(2, 2, 3), AlphaPattern(2, 2));
  five.type = 5;
  PictureFrame odd = PictureFrame::Raw(3, 2, Pattern(3, 2, 4));
  odd.type = 77;
  container.AddFrame(five);
  container.AddFrame(odd);
  auto& sequence = container.AddSequence();
  for (int i = 0; i < 6; ++i) sequence.push_back(Entry(i));

  Loaded loaded(container);
  ASSERT_TRUE(loaded.ok);
  const OSprite& sprite = loaded.sprite;
  ASSERT_EQ(sprite.frames.size(), 6u);
  EXPECT_TRUE(sprite.subSprites.empty());

  ExpectPixels(*sprite.frames[0], Pattern(5, 3, 1), 5, 3);
  EXPECT_EQ(sprite.frames[0]->TransparencyPlane(), nullptr);
  ExpectPixels(*sprite.frames[1], Pattern(4, 6, 2), 4, 6);
  ExpectAlpha(*sprite.frames[1], AlphaPattern(4, 6), 4, 6);
  ExpectPixels(*sprite.frames[4], Pattern(2, 2, 3), 2, 2);
  ExpectAlpha(*sprite.frames[4], AlphaPattern(2, 2), 2, 2);
  ExpectPixels(*sprite.frames[5], Pattern(3, 2, 4), 3, 2);
  EXPECT_EQ(sprite.frames[5]->TransparencyPlane(), nullptr);

  // JPEG frames: within the codec's loss, and the plane exact.
  for (int index : {2, 3}) {
    const OSurface& frame = *sprite.frames[index];
    const int w = index == 2 ? 32 : 17, h = index == 2 ? 24 : 9;
    ASSERT_EQ(frame.Width(), w);
    ASSERT_EQ(frame.Height(), h);
    const auto expected = Gradient(w, h);
    int worst = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const std::uint32_t got = frame.PixelAt(x, y);
        const std::uint8_t* p = expected.data() + (static_cast<std::size_t>(y) * w + x) * 3;
        for (int c = 0; c < 3; ++c) worst = std::max(worst, std::abs(static_cast<int>((got >> (8 * c)) & 0xFF) - p[c]));
      }
    EXPECT_LE(worst, 12) << "frame " << index;
  }
  EXPECT_EQ(sprite.frames[2]->TransparencyPlane(), nullptr);
  ExpectAlpha(*sprite.frames[3], AlphaPattern(17, 9), 17, 9);

  EXPECT_EQ(sprite.width, 32);
  EXPECT_EQ(sprite.height, 24);
  EXPECT_EQ(sprite.CurrentPicture(), sprite.frames[0]);
}

TEST(ContainerLoad, EntriesGiveOffsetsKeysAndSteps) {
  PictureContainer container;
  auto top_left_red = Pattern(3, 3, 5);
  top_left_red[0] = 0x00, top_left_red[1] = 0x00, top_left_red[2] = 0xFF;  // blue, green, red
  container.AddFrame(PictureFrame::Raw(3, 3, top_left_red));
  container.AddFrame(PictureFrame::Raw(2, 2, Pattern(2, 2, 6)));
  container.AddSequence() = {Entry(0, 0xFFFFFF, 3, 1, -1, 4, -7), Entry(1, 0x1000000, 5, 11, 12, -2, 9),
                             Entry(0, clp::kNoKey, 1, 0, 0, 30, 40)};
  Loaded loaded(container);
  ASSERT_TRUE(loaded.ok);
  const auto& frames = loaded.sprite.frames;
  ASSERT_EQ(frames.size(), 3u);

  // 0xFFFFFF is an ordinary colour: white.
  EXPECT_EQ(frames[0]->colourKey, 0xFFFFFF);
  EXPECT_EQ(frames[0]->offsetX, 4);
  EXPECT_EQ(frames[0]->offsetY, -7);
  EXPECT_EQ(frames[0]->command, 3);
  EXPECT_EQ(frames[0]->argument1, 1);
  EXPECT_EQ(frames[0]->argument2, -1);
  // 0x1000000 and above: the colour of the frame's top-left pixel.
  EXPECT_EQ(frames[1]->colourKey, static_cast<int>(frames[1]->PixelAt(0, 0)));
  EXPECT_EQ(frames[1]->command, 5);
  EXPECT_EQ(frames[1]->argument1, 11);
  EXPECT_EQ(frames[1]->argument2, 12);
  // A frame used a second time is a copy sharing the pixels, with its own entry data.
  EXPECT_NE(frames[2], frames[0]);
  EXPECT_EQ(frames[2]->Store(), frames[0]->Store());
  EXPECT_EQ(frames[2]->colourKey, -1);
  EXPECT_EQ(frames[2]->offsetX, 30);
  EXPECT_EQ(frames[2]->offsetY, 40);
  EXPECT_EQ(frames[2]->command, 1);
  EXPECT_EQ(frames[0]->offsetX, 4);
  EXPECT_EQ(frames[2]->PixelAt(0, 0), 0xFF0000u);
}

TEST(ContainerLoad, SequenceCountChoosesFramesOrSubSprites) {
  PictureContainer container;
  for (int i = 0; i < 3; ++i) container.AddFrame(PictureFrame::Raw(2 + i, 2, Pattern(2 + i, 2, i)));

  // No sequences: every frame in file order, keyed by its top-left pixel.
  {
    Loaded loaded(container);
    ASSERT_TRUE(loaded.ok);
    ASSERT_EQ(loaded.sprite.frames.size(), 3u);
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(loaded.sprite.frames[i]->Width(), 2 + i);
      EXPECT_EQ(loaded.sprite.frames[i]->colourKey, static_cast<int>(loaded.sprite.frames[i]->PixelAt(0, 0)));
    }
  }
  // One sequence: straight into the sprite, in entry order.
  container.AddSequence() = {Entry(2), Entry(0)};
  {
    Loaded loaded(container);
    ASSERT_EQ(loaded.sprite.frames.size(), 2u);
    EXPECT_TRUE(loaded.sprite.subSprites.empty());
    EXPECT_EQ(loaded.sprite.frames[0]->Width(), 4);
  }
  // Two sequences: two sub-sprites; the unused frame 1 is dropped.
  container.AddSequence() = {Entry(0), Entry(2), Entry(2)};
  {
    Loaded loaded(container);
    const OSprite& sprite = loaded.sprite;
    EXPECT_TRUE(sprite.frames.empty());
    ASSERT_EQ(sprite.subSprites.size(), 2u);
    EXPECT_EQ(sprite.subSprites[0]->frames.size(), 2u);
    EXPECT_EQ(sprite.subSprites[1]->frames.size(), 3u);
    EXPECT_EQ(sprite.subSprites[1]->parent, &sprite);
    EXPECT_EQ(sprite.width, 4);
    EXPECT_EQ(sprite.subSprites[0]->frames[1]->Store(), sprite.subSprites[1]->frames[0]->Store());
  }
}

TEST(ContainerLoad, SharedSheetHoldsTheFramesSideBySide) {
  PictureContainer container;
  container.sheetWidth = 20;
  container.sheetHeight = 6;
  container.AddFrame(PictureFrame::Raw(5, 6, Pattern(5, 6, 1)));
  container.AddFrame(PictureFrame::Jpeg(8, 4, Gradient(8, 4), AlphaPattern(8, 4)));
  container.AddFrame(PictureFrame::Raw(7, 3, Pattern(7, 3, 2), AlphaPattern(7, 3)));
  container.AddSequence() = {Entry(0), Entry(1)};
  container.AddSequence() = {Entry(2)};
  Loaded loaded(container);
  ASSERT_TRUE(loaded.ok);
  ASSERT_NE(loaded.sprite.sheet, nullptr);
  EXPECT_EQ(loaded.sprite.sheet->width, 20);
  EXPECT_EQ(loaded.sprite.sheet->height, 6);
  const OSurface& a = *loaded.sprite.subSprites[0]->frames[0];
  const OSurface& b = *loaded.sprite.subSprites[0]->frames[1];
  const OSurface& c = *loaded.sprite.subSprites[1]->frames[0];
  for (const OSurface* frame : {&a, &b, &c}) EXPECT_EQ(frame->Sheet(), loaded.sprite.sheet);
  EXPECT_EQ(a.Store()->xInSheet, 0);
  EXPECT_EQ(b.Store()->xInSheet, 5);
  EXPECT_EQ(c.Store()->xInSheet, 13);
  ExpectPixels(a, Pattern(5, 6, 1), 5, 6);
  ExpectPixels(c, Pattern(7, 3, 2), 7, 3);
  ExpectAlpha(c, AlphaPattern(7, 3), 7, 3);
}

TEST(ContainerLoad, LoadReplacesTheSpriteAndFramesLimitIsAThousand) {
  ScratchFolder folder;
  PictureContainer many;
  for (int i = 0; i < 1000; ++i) many.AddFrame(PictureFrame::Raw(1, 1, {1, 2, 3}));
  const std::string accepted = folder.File("1000.clp");
  WriteBytes(accepted, Encode(many));
  // 1001 frames: the writer refuses, so the count is patched into a valid file.
  auto bytes = Encode(many);
  testing_support::PutInt(bytes, 12, 1001);
  const std::string refused = folder.File("1001.clp");
  WriteBytes(refused, bytes);

  OSprite sprite;
  EXPECT_TRUE(sprite.Load(accepted));
  EXPECT_EQ(sprite.frames.size(), 1000u);
  sprite.x = 50;
  EXPECT_FALSE(sprite.Load(refused));
  EXPECT_FALSE(sprite.HasContent());
  EXPECT_EQ(sprite.x, 0) << "a load starts from a reset sprite";

  // Zero frames and zero sequences: a valid, empty picture.
  const std::string empty = folder.File("empty.clp");
  WriteBytes(empty, Encode(PictureContainer{}));
  EXPECT_FALSE(sprite.Load(empty));
  EXPECT_FALSE(sprite.HasContent());
  EXPECT_FALSE(sprite.Load(folder.File("missing.clp")));
}

TEST(ContainerWriter, RefusesWhatCannotBeStored) {
  std::vector<std::uint8_t> bytes;
  std::string error;
  PictureContainer badFrame;
  badFrame.AddFrame(PictureFrame::Raw(3, 3, Pattern(2, 2, 0)));
  EXPECT_FALSE(EncodePictureContainer(badFrame, bytes, error));
  PictureContainer badAlpha;
  badAlpha.AddFrame(PictureFrame::Raw(2, 2, Pattern(2, 2, 0), {1, 2, 3}));
  EXPECT_FALSE(EncodePictureContainer(badAlpha, bytes, error));
  PictureContainer badEntry;
  badEntry.AddFrame(PictureFrame::Raw(2, 2, Pattern(2, 2, 0)));
  badEntry.AddSequence() = {Entry(1)};
  EXPECT_FALSE(EncodePictureContainer(badEntry, bytes, error));
  PictureContainer smallSheet;
  smallSheet.sheetWidth = 3;
  smallSheet.sheetHeight = 2;
  smallSheet.AddFrame(PictureFrame::Raw(2, 2, Pattern(2, 2, 0)));
  smallSheet.AddFrame(PictureFrame::Raw(2, 2, Pattern(2, 2, 0)));
  EXPECT_FALSE(EncodePictureContainer(smallSheet, bytes, error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace tavlero
