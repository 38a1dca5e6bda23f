// The effects and the music the build generates, measured as a listener gets them.
#include <dirent.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "heard_output.h"
#include "platform/sdl/music_renderer.h"
#include "sound/audio_measure.h"
#include "sound/mixer_volume.h"
#include "sound/wave_file.h"

namespace tavlero {
namespace {

const std::string kData = TAVLERO_DATA_DIR;

// How long each effect may last for its use: a click must be over before the next
// one, dice and fanfares may take their time.
struct EffectUse {
  int id;
  double shortest, longest;
};
constexpr EffectUse kUses[] = {{0, 0.02, 0.10}, {1, 0.05, 0.30}, {2, 0.05, 0.30}, {3, 0.50, 1.50}, {4, 0.40, 1.20},
                               {5, 0.60, 2.00}, {6, 0.05, 0.30}, {7, 0.05, 0.30}, {8, 0.80, 2.50}};

TEST(GeneratedEffects, EachIsA16BitSoundOfItsUsesLengthHeardFromTheStartWithoutClipping) {
  for (const EffectUse& use : kUses) {
    SCOPED_TRACE("effect " + std::to_string(use.id));
    platform::PcmSound sound;
    ASSERT_TRUE(ReadWaveFile(kData + "/wav/i" + std::to_string(use.id) + ".wav", sound));
    EXPECT_EQ(sound.bitsPerSample, 16);
    const std::vector<std::int16_t> samples = Samples16(sound);
    const AudioFigures figures = MeasureAudio(samples, sound.channels, sound.sampleRate);
    EXPECT_LT(figures.peakDbfs, -1.0) << "below full scale";
    const std::vector<double> envelope = LevelEnvelope(samples, sound.channels, sound.sampleRate / 100);
    const AudibleSpan span = FindAudible(envelope, sound_test::kSilenceDbfs);
    EXPECT_EQ(span.first, 0) << "sounds at once";
    EXPECT_GE(span.Windows() / 100.0, use.shortest);
    EXPECT_LE(figures.seconds, use.longest);
    // Loud enough: the loudest 10 ms are well above a quiet room's background.
    EXPECT_GT(*std::max_element(envelope.begin(), envelope.end()), -20.0);
  }
}

std::vector<std::string> MusicFiles() {
  std::vector<std::string> files;
  if (DIR* folder = opendir((kData + "/music").c_str())) {
    while (const dirent* entry = readdir(folder)) {
      const std::string name = entry->d_name;
      if (name.size() > 4 && name.compare(name.size() - 4, 4, ".mid") == 0) files.push_back(name);
    }
    closedir(folder);
  }
  std::sort(files.begin(), files.end());
  return files;
}

TEST(GeneratedMusic, EveryTrackRendersToOneToThreeMinutesOfAudibleUnclippedSound) {
  const std::vector<std::string> files = MusicFiles();
  EXPECT_GE(files.size(), 6u);
  for (const std::string& name : files) {
    SCOPED_TRACE(name);
    platform::RenderedAudio audio;
    std::string error;
    ASSERT_TRUE(platform::RenderMusicFile(kData + "/music/" + name, MusicLevelForVolume(65535), audio, error))
        << error;
    const AudioFigures figures = MeasureAudio(audio.samples, audio.channels, audio.sampleRate);
    EXPECT_GE(figures.seconds, 60.0);
    EXPECT_LE(figures.seconds, 180.0);
    EXPECT_GT(figures.rmsDbfs, -30.0);
    EXPECT_LT(figures.peakDbfs, -0.5) << "no clipping at full volume";
    // No silence inside a track: every second has some sound, up to the last few in
    // which the final chord dies away.
    const std::vector<double> seconds = LevelEnvelope(audio.samples, audio.channels, audio.sampleRate);
    for (std::size_t at = 0; at + 5 < seconds.size(); ++at) {
      EXPECT_GT(seconds[at], -50.0) << "second " << at;
    }
  }
}

}  // namespace
}  // namespace tavlero
