// What the frame loop costs while nobody touches the game: the share of one core the
// process uses while the window runs its 30 ms ticks for two seconds, with the real SDL
// back end (a display when there is one, else SDL's headless driver).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdlib>

#include "app/window.h"
#include "platform/sdl/sdl_window_system.h"
#include "platform/services.h"

namespace {

double ProcessCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// A window that only counts its ticks and closes itself after a while.
class IdleWindow : public tavlero::OWindow {
 public:
  explicit IdleWindow(int runMs) : runMs_(runMs) {}
  bool OnCreate() override { return true; }
  void OnFrame(int elapsedMs) override {
    ++ticks;
    elapsedTotal_ += elapsedMs;
    if (elapsedTotal_ >= runMs_) RequestClose();
  }
  int ticks = 0;

 private:
  int runMs_;
  int elapsedTotal_ = 0;
};

void BM_IdleFrameLoop(benchmark::State& state) {
  if (std::getenv("DISPLAY") == nullptr) setenv("SDL_VIDEODRIVER", "dummy", 0);
  tavlero::platform::SdlWindowSystem desktop;
  tavlero::platform::Services services;
  services.window = &desktop;
  tavlero::platform::ScopedServices installed(services);

  for (auto _ : state) {
    IdleWindow window(2000);
    window.SetFrameInterval(30);
    window.SetNoCaption(true);
    if (!window.Create("Tavlero", "OMainWindow", 800, 600, 1)) {
      state.SkipWithError("no window");
      return;
    }
    window.ShowAndUpdate();
    const auto wallStart = std::chrono::steady_clock::now();
    const double cpuStart = ProcessCpuSeconds();
    window.Run();
    const double cpu = ProcessCpuSeconds() - cpuStart;
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    state.counters["core_percent"] = 100.0 * cpu / wall;
    state.counters["ticks"] = window.ticks;
  }
}
BENCHMARK(BM_IdleFrameLoop)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
