// The game's effects played through OSound and the SDL back end on the disk driver,
// checked by what comes out: lengths, levels, restarts and the sound switch.
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

#include "heard_output.h"
#include "sound/sound.h"
#include "sound/wave_file.h"

namespace tavlero {
namespace {

using sound_test::HeardOutput;
using sound_test::kSilenceDbfs;
using sound_test::kWindowFrames;

class EffectsHeardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(output.Audio().Available()) << "SDL's disk audio driver did not open";
    char here[4096] = {};
    previous_ = ::getcwd(here, sizeof here) ? here : "/";
    ASSERT_EQ(::chdir(TAVLERO_DATA_DIR), 0) << "no data folder " << TAVLERO_DATA_DIR;
    sound.Init(&output.Audio());
    ASSERT_EQ(LoadGameEffects(sound), effect::kCount) << "the effects are made by the build into wav/";
  }
  void TearDown() override { ASSERT_EQ(::chdir(previous_.c_str()), 0); }

  // Plays one effect from silence and returns the envelope of what was heard.
  std::vector<double> HearOnce(int id) {
    output.Clear();
    sound.Play(id, true);
    EXPECT_TRUE(sound_test::WaitUntil(5000, [&] { return !sound.EffectPlaying(id); }));
    sound_test::SleepMs(60);
    return output.Envelope();
  }
  HeardOutput output;
  OSound sound;

 private:
  std::string previous_;
};

TEST_F(EffectsHeardTest, EachEffectIsHeardWholeAndAtItsOwnLevelAtFullVolume) {
  sound.SetVolume(65535);
  for (int id = 0; id < effect::kCount; ++id) {
    SCOPED_TRACE("effect " + std::to_string(id));
    platform::PcmSound file;
    ASSERT_TRUE(ReadWaveFile("wav/i" + std::to_string(id) + ".wav", file));
    const std::vector<double> own = LevelEnvelope(Samples16(file), file.channels, kWindowFrames);
    const std::vector<double> heard = HearOnce(id);
    EXPECT_NEAR(sound_test::AudibleSeconds(heard), sound_test::AudibleSeconds(own), 0.03);
    ASSERT_GT(FindAudible(heard, kSilenceDbfs).Windows(), 0);
    double ownPeak = -200, heardPeak = -200;
    for (double level : own) ownPeak = std::max(ownPeak, level);
    for (double level : heard) heardPeak = std::max(heardPeak, level);
    EXPECT_NEAR(heardPeak, ownPeak, 1.0) << "full volume plays the file at its own level";
  }
}

TEST_F(EffectsHeardTest, HalfVolumeIsFifteenDecibelsDownAndNoneThirty) {
  const auto loudest = [](const std::vector<double>& envelope) {
    double peak = -200;
    for (double level : envelope) peak = std::max(peak, level);
    return peak;
  };
  sound.SetVolume(65535);
  const double full = loudest(HearOnce(effect::kNewGame));
  sound.SetVolume(32768);
  const double half = loudest(HearOnce(effect::kNewGame));
  sound.SetVolume(0);
  const double none = loudest(HearOnce(effect::kNewGame));
  EXPECT_NEAR(full - half, 15.0, 0.5);
  EXPECT_NEAR(full - none, 30.0, 1.0) << "volume 0 is quiet, not silent";
}

TEST_F(EffectsHeardTest, RestartCutsAPlayingEffectShortAndNoRestartLeavesItAlone) {
  sound.SetVolume(65535);
  const double once = sound_test::AudibleSeconds(HearOnce(effect::kPlayerWon));
  ASSERT_GT(once, 1.0);

  output.Clear();
  sound.Play(effect::kPlayerWon, true);
  sound_test::SleepMs(500);
  sound.Play(effect::kPlayerWon, false);
  ASSERT_TRUE(sound_test::WaitUntil(5000, [&] { return !sound.EffectPlaying(effect::kPlayerWon); }));
  sound_test::SleepMs(60);
  EXPECT_NEAR(sound_test::AudibleSeconds(output.Envelope()), once, 0.1) << "the playing fanfare went on alone";

  output.Clear();
  sound.Play(effect::kPlayerWon, true);
  sound_test::SleepMs(500);
  sound.Play(effect::kPlayerWon, true);
  ASSERT_TRUE(sound_test::WaitUntil(5000, [&] { return !sound.EffectPlaying(effect::kPlayerWon); }));
  sound_test::SleepMs(60);
  const double restarted = sound_test::AudibleSeconds(output.Envelope());
  EXPECT_GT(restarted, once + 0.3) << "the second start began the fanfare again";
  EXPECT_LT(restarted, once + 0.8) << "one fanfare was cut short, not two heard in full";
}

TEST_F(EffectsHeardTest, SoundSwitchedOffPlaysNothing) {
  sound.SetVolume(65535);
  sound.SetEnabled(false);
  output.Clear();
  for (int id = 0; id < effect::kCount; ++id) sound.Play(id, true);
  sound_test::SleepMs(300);
  EXPECT_EQ(FindAudible(output.Envelope(), kSilenceDbfs).Windows(), 0);

  sound.SetEnabled(true);
  EXPECT_GT(sound_test::AudibleSeconds(HearOnce(effect::kLanded)), 0.05);
}

}  // namespace
}  // namespace tavlero
