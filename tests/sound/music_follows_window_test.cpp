// The real main window with OMusic over the recording audio system: the music starts
// when the intro closes with the Music option on, stops when the window loses the
// foreground, and comes back with the foreground while the option is on.
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/main_window.h"
#include "app/working_folder.h"
#include "platform/fake_audio_system.h"
#include "platform/fake_text_renderer.h"
#include "platform/fake_window_system.h"
#include "platform/services.h"
#include "sound/midi_writer.h"
#include "sound/music.h"
#include "ui/game_screen.h"

namespace tavlero {
namespace {

namespace fs = std::filesystem;

class MusicFollowsWindowTest : public ::testing::Test {
 protected:
  MusicFollowsWindowTest() : services_(MakeServices()) {}

  void SetUp() override {
    // A working folder of our own: the generated pictures linked in, two tracks of ours.
    std::string pattern = ::testing::TempDir() + "music-window-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    fs::create_directories(folder_ / "music");
    for (const char* name : {"b.mid", "a.mid"}) ASSERT_TRUE(MidiFile().Write((folder_ / "music" / name).string()));
    std::string error;
    ASSERT_TRUE(PrepareWorkingFolder(folder_.string(), TAVLERO_DATA_DIR, error)) << error;
    previous_ = fs::current_path();
    fs::current_path(folder_);
    InstallMusicPlayer(&music);

    ASSERT_TRUE(window.Create("Tavlero", "OMainWindow", 800, 600, 1));
    window.OnLButtonDown(200, 200);  // the intro closes on a click
    window.OnLButtonUp(200, 200);
    window.OnFrame(30);
    ASSERT_TRUE(window.BoardShown());
  }

  void TearDown() override {
    window.OnDestroy();
    InstallMusicPlayer(nullptr);
    fs::current_path(previous_);
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  platform::Services MakeServices() {
    platform::Services services;
    services.window = &desktop;
    services.text = &text;
    services.audio = &audio;
    return services;
  }

  std::string OpenTrack() {
    music.WaitUntilIdle();
    return audio.OpenTrack();
  }

  platform::FakeWindowSystem desktop;
  platform::FakeTextRenderer text;
  platform::FakeAudioSystem audio;
  platform::ScopedServices services_;
  OMusic music{&audio};
  OMainWindow window;

 private:
  fs::path folder_, previous_;
};

TEST_F(MusicFollowsWindowTest, MusicPlaysInFrontStopsBehindAndReturnsInFront) {
  ASSERT_NE(window.Game()->options.music, 0) << "the Music option is on by default";
  EXPECT_EQ(music.Tracks(), (std::map<int, std::string>{{0, "music/a.mid"}, {1, "music/b.mid"}}));
  EXPECT_TRUE(music.IsPlaying());
  EXPECT_NE(OpenTrack(), "");

  desktop.foreground = false;
  window.OnFrame(30);
  EXPECT_FALSE(music.IsPlaying());
  EXPECT_EQ(OpenTrack(), "") << "losing the foreground stops the music";
  for (int frame = 0; frame < 10; ++frame) window.OnFrame(30);
  EXPECT_EQ(OpenTrack(), "") << "nothing starts behind other windows";

  desktop.foreground = true;
  window.OnFrame(30);
  EXPECT_TRUE(music.IsPlaying());
  EXPECT_NE(OpenTrack(), "");
}

TEST_F(MusicFollowsWindowTest, WithTheMusicOptionOffNothingStartsInFront) {
  ASSERT_NE(OpenTrack(), "");
  window.Game()->options.music = 0;
  desktop.foreground = false;
  window.OnFrame(30);
  desktop.foreground = true;
  for (int frame = 0; frame < 5; ++frame) window.OnFrame(30);
  EXPECT_FALSE(music.IsPlaying());
  EXPECT_EQ(OpenTrack(), "");
  EXPECT_EQ(audio.PlayedTracks().size(), 1u);
}

}  // namespace
}  // namespace tavlero
