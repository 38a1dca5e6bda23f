// OMusic's commands and its worker, over the recording audio system: which track
// starts, what a finished track is followed by, and that commands keep their order.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <set>
#include <string>

#include "heard_output.h"
#include "platform/fake_audio_system.h"
#include "platform/random.h"
#include "sound/music.h"

namespace tavlero {
namespace {

using platform::FakeAudioSystem;

// Track files only need to exist for the player to take them.
std::string TrackFile(int number) {
  const std::string path = ::testing::TempDir() + "omusic-track-" + std::to_string(number) + ".mid";
  if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
    std::fputs("MThd", file);
    std::fclose(file);
  }
  return path;
}

class MusicPlayerTest : public ::testing::Test {
 protected:
  void AddTracks(std::initializer_list<int> numbers) {
    for (int number : numbers) ASSERT_TRUE(music.AddTrackFile(number, TrackFile(number)));
  }
  FakeAudioSystem audio;
  OMusic music{&audio};
};

TEST_F(MusicPlayerTest, RandomPlayStartsOneOfTheListedTracksAndReachesEachOfThem) {
  AddTracks({0, 4, 7});
  std::set<std::string> started;
  for (int round = 0; round < 40; ++round) {
    music.Play(MusicPlayer::kRandomTrack);
    music.WaitUntilIdle();
    const std::string open = audio.OpenTrack();
    ASSERT_FALSE(open.empty()) << "round " << round;
    started.insert(open);
  }
  EXPECT_EQ(started, (std::set<std::string>{TrackFile(0), TrackFile(4), TrackFile(7)}));
  EXPECT_TRUE(music.IsPlaying());
}

TEST_F(MusicPlayerTest, AfterRemovingEveryTrackNothingStartsAndTheDeviceIsClosed) {
  AddTracks({0, 4, 7});
  music.Play(4);
  music.WaitUntilIdle();
  ASSERT_EQ(audio.OpenTrack(), TrackFile(4));
  music.RemoveTrack(-1);
  music.Play(MusicPlayer::kRandomTrack);
  music.WaitUntilIdle();
  EXPECT_EQ(audio.OpenTrack(), "");
  EXPECT_EQ(audio.PlayedTracks().size(), 1u);
  EXPECT_TRUE(music.Tracks().empty());

  music.Play(3);  // a number never added
  music.WaitUntilIdle();
  EXPECT_EQ(audio.OpenTrack(), "");
}

TEST_F(MusicPlayerTest, AFinishedTrackIsFollowedByAnotherWithinAboutASecond) {
  AddTracks({1, 2});
  music.Play(1);
  music.WaitUntilIdle();
  audio.FinishMusic();
  const auto finished = std::chrono::steady_clock::now();
  ASSERT_TRUE(sound_test::WaitUntil(3000, [&] { return audio.PlayedTracks().size() == 2; }));
  const double waited = std::chrono::duration<double>(std::chrono::steady_clock::now() - finished).count();
  EXPECT_LE(waited, 1.2);
  EXPECT_EQ(audio.QueryMusic(), platform::MusicState::kPlaying);
}

TEST_F(MusicPlayerTest, StoppedMusicStaysStopped) {
  AddTracks({1, 2});
  music.Play(MusicPlayer::kRandomTrack);
  music.Stop();
  EXPECT_FALSE(music.IsPlaying());
  music.WaitUntilIdle();
  EXPECT_EQ(audio.QueryMusic(), platform::MusicState::kClosed);
  sound_test::SleepMs(OMusic::kCheckIntervalMs + 300);
  EXPECT_EQ(audio.PlayedTracks().size(), 1u) << "a stop is not a finished track";
  EXPECT_EQ(audio.OpenTrack(), "");
}

// The list is rebuilt when the intro closes: remove all, then add one after another.
// Every command must be carried out as given, in order, even when they come faster
// than the worker wakes.
TEST_F(MusicPlayerTest, CommandsInQuickSuccessionKeepTheirOrderAndNumbers) {
  AddTracks({5, 6});
  music.RemoveTrack(-1);
  ASSERT_TRUE(music.AddTrackFile(0, TrackFile(10)));
  ASSERT_TRUE(music.AddTrackFile(1, TrackFile(11)));
  EXPECT_EQ(music.Tracks(), (std::map<int, std::string>{{0, TrackFile(10)}, {1, TrackFile(11)}}));

  music.Stop();
  music.Play(1);
  music.WaitUntilIdle();
  EXPECT_EQ(audio.OpenTrack(), TrackFile(11)) << "a play given after a stop plays";

  EXPECT_FALSE(music.AddTrackFile(2, ::testing::TempDir() + "no-such-track.mid"));
  EXPECT_EQ(music.Tracks().count(2), 0u);
}

TEST_F(MusicPlayerTest, VolumeIsThePlayersOwnLevelOnTheMusicLine) {
  EXPECT_EQ(music.Volume(), 0x8000);
  EXPECT_EQ(audio.MusicLevel(), -1499) << "the default volume is in force from the start";
  music.SetVolume(65535);
  EXPECT_EQ(audio.MusicLevel(), 0);
  music.SetVolume(0);
  EXPECT_EQ(audio.MusicLevel(), platform::kSilentLevel);
  music.SetVolume(70000);  // out of range: ignored by the line
  EXPECT_EQ(audio.MusicLevel(), platform::kSilentLevel);
}

TEST(MusicWithoutDevice, KeepsItsListAndCommandsAndPlaysNothing) {
  OMusic music(nullptr);
  ASSERT_TRUE(music.AddTrackFile(0, TrackFile(0)));
  music.Play(MusicPlayer::kRandomTrack);
  EXPECT_TRUE(music.IsPlaying());
  music.Stop();
  music.WaitUntilIdle();
  EXPECT_FALSE(music.IsPlaying());
  EXPECT_EQ(music.Tracks().size(), 1u);
}

}  // namespace
}  // namespace tavlero
