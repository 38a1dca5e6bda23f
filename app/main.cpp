// The program's entry point: the desktop services, the working folder (linked to the
// installed data or the build's), the sound players, the window.
#include <unistd.h>

#include <cstdio>
#include <string>

#include "app/data_location.h"
#include "app/main_window.h"
#include "app/working_folder.h"
#include "platform/random.h"
#include "platform/sdl/sdl_audio_system.h"
#include "platform/sdl/sdl_text_renderer.h"
#include "platform/sdl/sdl_window_system.h"
#include "platform/services.h"
#include "sound/music.h"
#include "sound/sound.h"

#ifndef TAVLERO_DATA_DIR
#define TAVLERO_DATA_DIR "data"
#endif

namespace {

// Makes the players the ones game code reaches, for the lifetime of the object.
class InstalledPlayers {
 public:
  InstalledPlayers(tavlero::EffectsPlayer& effects, tavlero::MusicPlayer& music) {
    tavlero::InstallEffectsPlayer(&effects);
    tavlero::InstallMusicPlayer(&music);
  }
  ~InstalledPlayers() {
    tavlero::InstallMusicPlayer(nullptr);
    tavlero::InstallEffectsPlayer(nullptr);
  }
  InstalledPlayers(const InstalledPlayers&) = delete;
  InstalledPlayers& operator=(const InstalledPlayers&) = delete;
};

}  // namespace

int main() {
  std::string error;
  const std::string folder = tavlero::DefaultWorkingFolder();
  const std::string data = tavlero::GameDataFolder(TAVLERO_DATA_DIR);
  if (!tavlero::PrepareWorkingFolder(folder, data, error) || chdir(folder.c_str()) != 0) {
    std::fprintf(stderr, "Tavlero: %s\n", error.empty() ? "cannot enter the game's folder" : error.c_str());
    return 1;
  }
  tavlero::SeedRandFromClock();

  tavlero::platform::SdlWindowSystem windowSystem;
  tavlero::platform::SdlTextRenderer textRenderer;
  tavlero::platform::Services services;
  services.window = &windowSystem;
  services.text = &textRenderer;
  // Without an audio device the game runs silent and says nothing about it.
  tavlero::platform::SdlAudioSystem audio;
  services.audio = audio.Available() ? &audio : nullptr;
  tavlero::platform::ScopedServices installed(services);

  tavlero::OSound sound;
  sound.Init(services.audio);
  tavlero::OMusic music(services.audio);
  InstalledPlayers players(sound, music);

  return tavlero::RunApplication();
}
