// Damaged, cut-off and hand-made containers: the load stops where the file stops
// making sense, keeps what was complete before, never reads or allocates past what the
// file holds (the sanitizer build runs these), and never crashes.
#include <gtest/gtest.h>

#include <cstring>

#include "container_test_support.h"
#include "gfx/jpeg_codec.h"
#include "gfx/sprite.h"
#include "store/block_cipher.h"

namespace tavlero {
namespace {

using testing_support::AlphaPattern;
using testing_support::Encode;
using testing_support::GetInt;
using testing_support::Gradient;
using testing_support::Pattern;
using testing_support::PutInt;
using testing_support::ScratchFolder;
using testing_support::WriteBytes;

constexpr std::size_t kHeader = clp::kHeaderSize;

bool LoadBytes(OSprite& sprite, const std::vector<std::uint8_t>& bytes) {
  ScratchFolder folder;
  const std::string path = folder.File("damaged.clp");
  WriteBytes(path, bytes);
  return sprite.Load(path);
}

// A container whose first frame is a JPEG chunk (its chunk header at byte 40).
PictureContainer JpegFirst() {
  PictureContainer container;
  container.AddFrame(PictureFrame::Jpeg(16, 8, Gradient(16, 8)));
  container.AddFrame(PictureFrame::Raw(3, 2, Pattern(3, 2, 9)));
  container.AddSequence() = {{0, 0, 0, -1, 0, 0, 0}, {0, 0, 1, -1, 0, 0, 0}};
  return container;
}

TEST(ContainerDamage, CutAtEveryByteKeepsOnlyWhatWasComplete) {
  PictureContainer container;
  container.AddFrame(PictureFrame::Raw(3, 2, Pattern(3, 2, 1), AlphaPattern(3, 2)));
  container.AddFrame(PictureFrame::Jpeg(16, 16, Gradient(16, 16)));
  container.AddFrame(PictureFrame::Raw(2, 2, Pattern(2, 2, 2)));
  container.AddSequence() = {{0, 0, 0, -1, 0, 0, 0}, {1, 1, 1, -1, 0, 0, 0}};
  container.AddSequence() = {{0, 0, 2, -1, 0, 0, 0}, {0, 0, 0, -1, 0, 0, 0}, {0, 0, 1, 0x1000000, 1, 0, 0}};
  const auto whole = Encode(container);
  const std::size_t sequencesAt = whole.size() - (4 + 2 * 28) - (4 + 3 * 28);

  ScratchFolder folder;
  const std::string path = folder.File("cut.clp");
  for (std::size_t cut = 0; cut <= whole.size(); ++cut) {
    // Every byte of the header and the sequences; inside the pixel data every few bytes.
    if (cut > 64 && cut + 2 < sequencesAt && cut % 7 != 0) continue;
    WriteBytes(path, std::vector<std::uint8_t>(whole.begin(), whole.begin() + cut));
    OSprite sprite;
    sprite.Load(path);
    SCOPED_TRACE("cut at " + std::to_string(cut));
    if (cut < sequencesAt) {
      ASSERT_FALSE(sprite.HasContent());
      continue;
    }
    // Sequence s starts at first[s]; a sub-sprite exists once its entry count is read,
    // and holds the entries read whole.
    const std::size_t first[2] = {sequencesAt, sequencesAt + 4 + 2 * 28};
    const int entries[2] = {2, 3};
    std::size_t expectedSubSprites = 0;
    for (int s = 0; s < 2; ++s)
      if (cut >= first[s] + 4) expectedSubSprites = s + 1;
    ASSERT_EQ(sprite.subSprites.size(), expectedSubSprites);
    for (std::size_t s = 0; s < expectedSubSprites; ++s) {
      const std::size_t complete = std::min<std::size_t>(entries[s], (cut - first[s] - 4) / 28);
      ASSERT_EQ(sprite.subSprites[s]->frames.size(), complete);
    }
  }
}

TEST(ContainerDamage, ChunkBytesBeyondTheWholeBlocksAreReadAndIgnored) {
  auto bytes = Encode(JpegFirst());
  const std::int32_t stored = GetInt(bytes, 44);
  ASSERT_EQ(stored % 8, 0);
  bytes.insert(bytes.begin() + 48 + stored, {0xAB, 0xCD, 0xEF});
  PutInt(bytes, 44, stored + 3);
  OSprite sprite;
  ASSERT_TRUE(LoadBytes(sprite, bytes));
  ASSERT_EQ(sprite.frames.size(), 2u);
  EXPECT_EQ(sprite.frames[0]->Width(), 16);
  EXPECT_EQ(sprite.frames[1]->PixelAt(0, 0), Pattern(3, 2, 9)[0] | (Pattern(3, 2, 9)[1] << 8) |
                                                 (static_cast<std::uint32_t>(Pattern(3, 2, 9)[2]) << 16));
}

TEST(ContainerDamage, ChunksThatDoNotDecipherToTheirLengthStopTheLoad) {
  const auto good = Encode(JpegFirst());
  OSprite sprite;
  // Stated plain length one off.
  auto bytes = good;
  PutInt(bytes, 40, GetInt(bytes, 40) + 1);
  EXPECT_FALSE(LoadBytes(sprite, bytes));
  // Stored length below one block, negative, or past the end of the file.
  for (std::int32_t stored : {0, 7, -8, 1 << 30}) {
    bytes = good;
    PutInt(bytes, 44, stored);
    EXPECT_FALSE(LoadBytes(sprite, bytes)) << stored;
  }
  // Enciphered with another key.
  bytes = good;
  std::vector<std::uint8_t> stream;
  ASSERT_TRUE(EncodeJpegFromBgr(Gradient(16, 8).data(), 16, 8, 90, stream));
  std::vector<std::uint8_t> foreign(SealedCipherLength(static_cast<std::ptrdiff_t>(stream.size())));
  EncipherBuffer(stream.data(), static_cast<std::ptrdiff_t>(stream.size()), foreign.data(),
                 static_cast<std::ptrdiff_t>(foreign.size()), "OtherKey");
  PictureContainer container = JpegFirst();
  bytes = Encode(container);
  ASSERT_EQ(GetInt(bytes, 44), static_cast<std::int32_t>(foreign.size()));
  std::memcpy(bytes.data() + 48, foreign.data(), foreign.size());
  EXPECT_FALSE(LoadBytes(sprite, bytes));
  EXPECT_FALSE(sprite.HasContent());
}

TEST(ContainerDamage, LastBlockClaimingMoreBytesThanItHoldsIsRefused) {
  // Two blocks whose last plain byte says 100: the block layer reports 8 + 100 bytes
  // out of 16. Trusting that would read far past the deciphered buffer.
  std::uint8_t plain[16] = {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 100};
  BlockCipherKey key(clp::kChunkKey);
  std::uint8_t cipher[16], block[8];
  for (int i = 0; i < 8; ++i) block[i] = plain[i];
  key.EncipherBlock(block, cipher);
  for (int i = 0; i < 8; ++i) block[i] = plain[8 + i] ^ cipher[i];
  key.EncipherBlock(block, cipher + 8);
  std::uint8_t check[32];
  ASSERT_EQ(DecipherBuffer(cipher, 16, check, sizeof check, clp::kChunkKey), 108);

  auto bytes = Encode(JpegFirst());
  const std::int32_t stored = GetInt(bytes, 44);
  bytes.erase(bytes.begin() + 48, bytes.begin() + 48 + stored);
  bytes.insert(bytes.begin() + 48, cipher, cipher + 16);
  PutInt(bytes, 40, 108);
  PutInt(bytes, 44, 16);
  OSprite sprite;
  EXPECT_FALSE(LoadBytes(sprite, bytes));
}

TEST(ContainerDamage, BadEntriesStopTheSequencesButKeepWhatCameBefore) {
  PictureContainer container;
  container.AddFrame(PictureFrame::Raw(2, 2, Pattern(2, 2, 1)));
  container.AddFrame(PictureFrame::Raw(2, 2, Pattern(2, 2, 2)));
  container.AddSequence() = {{0, 0, 0, -1, 0, 0, 0}, {0, 0, 1, -1, 0, 0, 0}, {0, 0, 1, -1, 0, 0, 0}};
  container.AddSequence() = {{0, 0, 1, -1, 0, 0, 0}};
  const auto good = Encode(container);
  const std::size_t secondEntryIndex = good.size() - (4 + 28) - 2 * 28 + 8;
  for (std::int32_t index : {2, 1000, -1, -2147483647 - 1}) {
    auto bytes = good;
    PutInt(bytes, secondEntryIndex, index);
    OSprite sprite;
    EXPECT_TRUE(LoadBytes(sprite, bytes)) << index;
    ASSERT_EQ(sprite.subSprites.size(), 1u) << index;
    EXPECT_EQ(sprite.subSprites[0]->frames.size(), 1u) << index;
  }
  auto bytes = good;
  bytes[0] = 'K';
  OSprite sprite;
  EXPECT_FALSE(LoadBytes(sprite, bytes));
}

TEST(ContainerDamage, AbsurdSizesAreBoundedByTheFile) {
  PictureContainer container;
  container.AddFrame(PictureFrame::Raw(2, 2, Pattern(2, 2, 1)));
  const auto raw = Encode(container);
  OSprite sprite;
  // A raw frame claiming 60000 x 60000 pixels in a file of a few dozen bytes.
  auto bytes = raw;
  PutInt(bytes, kHeader + 0, 60000);
  PutInt(bytes, kHeader + 4, 60000);
  EXPECT_FALSE(LoadBytes(sprite, bytes));
  // Width times height overflowing 32 bits, and negative or zero sizes.
  for (auto [w, h] : {std::pair{65536, 65537}, std::pair{-2, 2}, std::pair{0, 5}}) {
    bytes = raw;
    PutInt(bytes, kHeader + 0, w);
    PutInt(bytes, kHeader + 4, h);
    EXPECT_FALSE(LoadBytes(sprite, bytes)) << w << "x" << h;
  }
  // A JPEG frame whose header claims far more than its small stream could describe.
  bytes = Encode(JpegFirst());
  PutInt(bytes, kHeader + 0, 16000);
  PutInt(bytes, kHeader + 4, 16000);
  EXPECT_FALSE(LoadBytes(sprite, bytes));
  // A sheet of 65535 x 65535 for two tiny frames: not made; the frames get their own.
  bytes = Encode(JpegFirst());
  PutInt(bytes, 20, static_cast<std::int32_t>(0xFFFFFFFFu));
  ASSERT_TRUE(LoadBytes(sprite, bytes));
  EXPECT_EQ(sprite.sheet, nullptr);
  EXPECT_EQ(sprite.frames.size(), 2u);
}

TEST(ContainerDamage, JpegFramesOfAnotherSizeThanTheirHeader) {
  // Without a plane the picture simply takes the stream's size.
  auto bytes = Encode(JpegFirst());
  PutInt(bytes, kHeader + 0, 10);
  PutInt(bytes, kHeader + 4, 10);
  OSprite sprite;
  ASSERT_TRUE(LoadBytes(sprite, bytes));
  EXPECT_EQ(sprite.frames[0]->Width(), 16);
  EXPECT_EQ(sprite.frames[0]->Height(), 8);
  // With a plane, the plane has the header's size: picture and plane would disagree,
  // so the frame is refused.
  PictureContainer container;
  container.AddFrame(PictureFrame::Jpeg(16, 8, Gradient(16, 8), AlphaPattern(16, 8)));
  bytes = Encode(container);
  PutInt(bytes, kHeader + 0, 8);
  PutInt(bytes, kHeader + 4, 16);
  EXPECT_FALSE(LoadBytes(sprite, bytes));
}

TEST(ContainerDamage, ChunkThatIsNoJpegStopsTheLoad) {
  PictureContainer container;
  PictureFrame frame = PictureFrame::Jpeg(4, 4, {});
  frame.jpegStream = {'n', 'o', 't', ' ', 'a', ' ', 'j', 'p', 'e', 'g'};
  container.AddFrame(frame);
  OSprite sprite;
  EXPECT_FALSE(LoadBytes(sprite, Encode(container)));
}

}  // namespace
}  // namespace tavlero
