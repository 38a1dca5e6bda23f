// The SDL audio back end where there is no device, and its conversion of effect
// sounds of another format, as heard on the disk driver.
#include "platform/sdl/sdl_audio_system.h"

#include <gtest/gtest.h>

#include <cmath>
#include <mutex>
#include <thread>

#include "sound/audio_measure.h"

namespace tavlero::platform {
namespace {

TEST(SdlAudioSystem, WithoutADeviceItIsClosedSaysNothingAndIgnoresEveryCall) {
  for (const char* driver : {"no-such-driver", "alsa"}) {
    SCOPED_TRACE(driver);
    ::testing::internal::CaptureStderr();
    SdlAudioSystem audio(SdlAudioOptions{driver, "", false});
    const std::string said = ::testing::internal::GetCapturedStderr();
    if (audio.Available()) continue;  // a machine with a sound card
    EXPECT_EQ(said, "");
    PcmSound sound{22050, 1, 16, std::vector<std::uint8_t>(200, 0)};
    EXPECT_EQ(audio.AddSound(sound), -1);
    audio.StartSound(0, kFullLevel);
    EXPECT_FALSE(audio.SoundPlaying(0));
    EXPECT_FALSE(audio.OpenMusic("/nonexistent.mid"));
    EXPECT_FALSE(audio.PlayMusic());
    EXPECT_EQ(audio.QueryMusic(), MusicState::kClosed);
  }
}

// Half a second of a 441 Hz tone at half scale, 8-bit mono at 22050 frames a second.
PcmSound EightBitTone() {
  PcmSound sound{22050, 1, 8, {}};
  for (int i = 0; i < 11025; ++i) {
    sound.data.push_back(static_cast<std::uint8_t>(128 + std::lround(63.5 * std::sin(i * 2 * M_PI * 441 / 22050))));
  }
  return sound;
}

TEST(SdlAudioSystem, ASoundOfAnotherRateAndDepthIsHeardAtItsOwnLengthAndLevel) {
  SdlAudioSystem audio(SdlAudioOptions{"disk", "/dev/null", false});
  ASSERT_TRUE(audio.Available());
  std::mutex lock;
  std::vector<std::int16_t> heard;
  audio.SetOutputTap([&](const std::int16_t* samples, int frames) {
    std::lock_guard<std::mutex> guard(lock);
    heard.insert(heard.end(), samples, samples + frames * SdlAudioSystem::kOutputChannels);
  });
  const int sound = audio.AddSound(EightBitTone());
  ASSERT_GE(sound, 0);
  audio.StartSound(sound, kFullLevel);
  for (int waited = 0; audio.SoundPlaying(sound) && waited < 300; ++waited) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(60));
  audio.SetOutputTap(nullptr);
  const std::vector<double> envelope = LevelEnvelope(heard, SdlAudioSystem::kOutputChannels, 441);
  EXPECT_NEAR(FindAudible(envelope, -60).Windows() / 100.0, 0.5, 0.03);
  // A sine at half scale is 9 dB below full scale in RMS.
  const AudibleSpan span = FindAudible(envelope, -60);
  ASSERT_GT(span.Windows(), 10);
  EXPECT_NEAR(envelope[span.first + span.Windows() / 2], -9.0, 0.5);
}

}  // namespace
}  // namespace tavlero::platform
