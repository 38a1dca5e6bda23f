// MIDI files from our writer played by the game's music back end: rendered, they sound
// where the writer put the notes; played by OMusic on the disk driver, a track that
// ends is followed by another.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "heard_output.h"
#include "platform/sdl/music_renderer.h"
#include "sound/midi_writer.h"
#include "sound/music.h"

namespace tavlero {
namespace {

using sound_test::Bursts;

// Piano notes of half a second at the given seconds (tempo 120: a beat is 0.5 s).
std::string WriteNotes(const std::string& name, std::initializer_list<double> starts, double endSeconds) {
  MidiFile midi(480);
  midi.SetTempo(0, 120);
  const int track = midi.AddTrack("Piano");
  midi.ProgramChange(track, 0, 0, 0);
  for (double start : starts) midi.Note(track, static_cast<int>(start * 960), 480, 0, 72, 110);
  midi.ExtendTo(static_cast<int>(endSeconds * 960));
  const std::string path = ::testing::TempDir() + name + ".mid";
  EXPECT_TRUE(midi.Write(path));
  return path;
}

TEST(MidiRendering, NotesSoundWhereTheWriterPutThemAndTheTrackLastsToItsEnd) {
  const std::string path = WriteNotes("two-notes", {0.0, 1.5}, 2.5);
  platform::RenderedAudio audio;
  std::string error;
  ASSERT_TRUE(platform::RenderMusicFile(path, platform::kFullLevel, audio, error)) << error;
  // FluidSynth lets a file ring out for two seconds or a little more after its end.
  EXPECT_GE(audio.Seconds(), 2.5 + 1.9);
  EXPECT_LE(audio.Seconds(), 2.5 + 3.0);
  const std::vector<AudibleSpan> bursts =
      Bursts(LevelEnvelope(audio.samples, audio.channels, sound_test::kWindowFrames), 20);
  ASSERT_EQ(bursts.size(), 2u);
  EXPECT_NEAR(bursts[0].first / 100.0, 0.0, 0.05);
  EXPECT_NEAR(bursts[1].first / 100.0, 1.5, 0.05);
}

TEST(MidiRendering, ADamagedFileRendersNothingAndSaysSo) {
  // The header's name damaged, then the first track's.
  for (long at : {0L, 14L}) {
    const std::string path = ::testing::TempDir() + "damaged-" + std::to_string(at) + ".mid";
    ASSERT_TRUE(MidiFile().Write(path));
    std::FILE* file = std::fopen(path.c_str(), "r+b");
    ASSERT_NE(file, nullptr);
    std::fseek(file, at, SEEK_SET);
    std::fputs("XXXX", file);
    std::fclose(file);
    platform::RenderedAudio audio;
    std::string error;
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(platform::RenderMusicFile(path, platform::kFullLevel, audio, error));
    EXPECT_FALSE(error.empty());
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
  }
}

TEST(MusicHeard, ATrackThatEndsIsFollowedByAnotherWithinAboutASecond) {
  const std::string track = WriteNotes("short", {0.0}, 0.5);
  platform::RenderedAudio rendered;
  std::string error;
  ASSERT_TRUE(platform::RenderMusicFile(track, platform::kFullLevel, rendered, error)) << error;
  const double length = rendered.Seconds();  // the note and the decoder's ring-out

  sound_test::HeardOutput output;
  ASSERT_TRUE(output.Audio().Available());
  OMusic music(&output.Audio());
  music.SetVolume(65535);
  ASSERT_TRUE(music.AddTrackFile(0, track));
  ASSERT_TRUE(music.AddTrackFile(1, track));
  output.Clear();
  music.Play(MusicPlayer::kRandomTrack);
  sound_test::SleepMs(static_cast<int>(1000 * (2 * length + 1.5)));
  music.Stop();
  music.WaitUntilIdle();
  const std::vector<AudibleSpan> bursts = Bursts(output.Envelope(), 15);
  ASSERT_GE(bursts.size(), 2u) << "the first track was followed";
  const double next = (bursts[1].first - bursts[0].first) / 100.0;
  EXPECT_GE(next, length - 0.1) << "the first track was heard to its end";
  EXPECT_LE(next, length + 1.3) << "the next one started within about a second of that end";
}

}  // namespace
}  // namespace tavlero
