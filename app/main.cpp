// The program's entry point: the desktop services, the working folder, the window.
#include <unistd.h>

#include <cstdio>
#include <string>

#include "app/main_window.h"
#include "app/working_folder.h"
#include "platform/random.h"
#include "platform/sdl/sdl_text_renderer.h"
#include "platform/sdl/sdl_window_system.h"
#include "platform/services.h"

#ifndef TAVLERO_DATA_DIR
#define TAVLERO_DATA_DIR "data"
#endif

int main() {
  std::string error;
  const std::string folder = tavlero::DefaultWorkingFolder();
  if (!tavlero::PrepareWorkingFolder(folder, TAVLERO_DATA_DIR, error) || chdir(folder.c_str()) != 0) {
    std::fprintf(stderr, "Tavlero: %s\n", error.empty() ? "cannot enter the game's folder" : error.c_str());
    return 1;
  }
  tavlero::SeedRandFromClock();

  tavlero::platform::SdlWindowSystem windowSystem;
  tavlero::platform::SdlTextRenderer textRenderer;
  tavlero::platform::Services services;
  services.window = &windowSystem;
  services.text = &textRenderer;
  tavlero::platform::ScopedServices installed(services);

  return tavlero::RunApplication();
}
