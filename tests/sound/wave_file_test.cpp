// Wave files as the effects player reads them, including damaged ones.
#include <gtest/gtest.h>

#include "platform/fake_audio_system.h"
#include "sound/sound.h"
#include "sound/wave_file.h"

namespace tavlero {
namespace {

platform::PcmSound Ramp(int bits, int channels, int frames) {
  platform::PcmSound sound;
  sound.sampleRate = 22050;
  sound.channels = channels;
  sound.bitsPerSample = bits;
  for (int i = 0; i < frames * sound.BytesPerFrame(); ++i) sound.data.push_back(static_cast<std::uint8_t>(i * 7));
  return sound;
}

TEST(WaveFile, WrittenFilesReadBackWithTheCanonicalHeader) {
  for (int bits : {8, 16}) {
    const platform::PcmSound sound = Ramp(bits, 2, 100);
    const std::vector<std::uint8_t> file = EncodeWave(sound);
    EXPECT_EQ(file.size(), 44 + sound.data.size());
    platform::PcmSound back;
    ASSERT_TRUE(ParseWave(file, back));
    EXPECT_EQ(back.sampleRate, 22050);
    EXPECT_EQ(back.channels, 2);
    EXPECT_EQ(back.bitsPerSample, bits);
    EXPECT_EQ(back.data, sound.data);
  }
}

TEST(WaveFile, ADataSizeBeyondTheFileGivesTheSamplesThatAreThereInWholeFrames) {
  std::vector<std::uint8_t> file = EncodeWave(Ramp(16, 2, 100));
  file.resize(file.size() - 6);  // the header still claims 400 bytes of samples; 394 are left
  platform::PcmSound back;
  ASSERT_TRUE(ParseWave(file, back));
  EXPECT_EQ(back.Frames(), 98);
}

TEST(WaveFile, AnythingButPcmWaveIsRefused) {
  std::vector<std::uint8_t> file = EncodeWave(Ramp(16, 1, 10));
  platform::PcmSound back;
  std::vector<std::uint8_t> compressed = file;
  compressed[20] = 2;  // ADPCM
  EXPECT_FALSE(ParseWave(compressed, back));
  std::vector<std::uint8_t> odd = file;
  odd[34] = 12;  // 12-bit samples
  EXPECT_FALSE(ParseWave(odd, back));
  EXPECT_FALSE(ParseWave(std::vector<std::uint8_t>(file.begin(), file.begin() + 30), back));
  EXPECT_FALSE(ParseWave({}, back));
}

TEST(WaveFile, AnEffectThatCannotBeReadIsNotKeptAndPlaysNothing) {
  platform::FakeAudioSystem audio;
  OSound sound;
  sound.Init(&audio);
  const std::string good = ::testing::TempDir() + "effect-good.wav";
  const std::string bad = ::testing::TempDir() + "effect-bad.wav";
  ASSERT_TRUE(WriteWaveFile(good, Ramp(16, 1, 50)));
  ASSERT_TRUE(WriteWaveFile(bad, Ramp(16, 1, 50)));
  {
    std::FILE* file = std::fopen(bad.c_str(), "r+b");
    ASSERT_NE(file, nullptr);
    std::fputc('X', file);
    std::fclose(file);
  }
  ASSERT_TRUE(sound.LoadEffect(3, good));
  EXPECT_FALSE(sound.LoadEffect(3, bad)) << "the damaged file replaces the old effect by nothing";
  EXPECT_FALSE(sound.HasEffect(3));
  EXPECT_FALSE(sound.LoadEffect(4, ::testing::TempDir() + "no-such-effect.wav"));
  sound.Play(3, true);
  sound.Play(4, true);
  EXPECT_TRUE(audio.SoundStarts().empty());
  EXPECT_EQ(audio.SoundCount(), 0) << "the replaced effect's voice was given back";
}

}  // namespace
}  // namespace tavlero
