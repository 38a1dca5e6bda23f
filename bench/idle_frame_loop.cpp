// What the game costs while the board waits for the human: the real main window (a kind-0
// game, the intro clicked away) runs its frame loop untouched for two seconds.
// core_percent is the share of one core the whole process uses; frame_work_percent the
// share spent in the frame ticks themselves. The real SDL back end is used: a display
// when there is one, else SDL's headless driver (named in the label). The headless
// driver cannot block while waiting for events and wakes every millisecond, which
// raises core_percent by about two points; on a real display the wait costs nothing.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <time.h>

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <string>

#include "bench/running_board.h"
#include "platform/sdl/sdl_text_renderer.h"
#include "platform/services.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWarmUpMs = 500;  // the new game starts and the board is drawn whole
constexpr int kIdleMs = 2000;

double ProcessCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return now.tv_sec + now.tv_nsec / 1e9;
}

// The program's window that measures its own frame loop after a warm-up and then closes.
class MeasuredMainWindow : public tavlero::OMainWindow {
 public:
  void OnFrame(int elapsedMs) override {
    const double workStart = ThreadCpuSeconds();
    OMainWindow::OnFrame(elapsedMs);
    if (measuring_) frameWorkSeconds += ThreadCpuSeconds() - workStart;
    elapsedTotal_ += elapsedMs;
    if (!measuring_ && elapsedTotal_ >= kWarmUpMs) {
      measuring_ = true;
      wallStart_ = Clock::now();
      cpuStart_ = ProcessCpuSeconds();
      ticks = 0;
      frameWorkSeconds = 0;
      const char* driver = SDL_GetCurrentVideoDriver();
      videoDriver = driver != nullptr ? driver : "?";
      return;
    }
    if (!measuring_) return;
    ++ticks;
    if (elapsedTotal_ >= kWarmUpMs + kIdleMs) {
      cpuSeconds = ProcessCpuSeconds() - cpuStart_;
      wallSeconds = std::chrono::duration<double>(Clock::now() - wallStart_).count();
      RequestClose();
    }
  }

  int ticks = 0;
  double cpuSeconds = 0;
  double wallSeconds = 0;
  double frameWorkSeconds = 0;
  std::string videoDriver;

 private:
  int elapsedTotal_ = 0;
  bool measuring_ = false;
  Clock::time_point wallStart_;
  double cpuStart_ = 0;
};

void BM_IdleFrameLoop(benchmark::State& state) {
  tavlero::bench::UseHeadlessVideoWithoutDisplay();
  tavlero::bench::BenchWorkingFolder folder;
  if (!folder.Ready()) {
    state.SkipWithError("no working folder with the game's data");
    return;
  }
  tavlero::platform::SdlWindowSystem desktop;
  tavlero::platform::SdlTextRenderer text;
  tavlero::platform::Services services;
  services.window = &desktop;
  services.text = &text;
  tavlero::platform::ScopedServices installed(services);

  for (auto _ : state) {
    MeasuredMainWindow window;
    if (!tavlero::bench::OpenBoard(window)) {
      state.SkipWithError("the board screen could not be shown");
      return;
    }
    window.Run();
    if (window.wallSeconds <= 0) {
      state.SkipWithError("the frame loop ended before the measurement");
      return;
    }
    state.counters["core_percent"] = 100.0 * window.cpuSeconds / window.wallSeconds;
    state.counters["frame_work_percent"] = 100.0 * window.frameWorkSeconds / window.wallSeconds;
    state.counters["ticks"] = window.ticks;
    state.SetLabel("video driver " + window.videoDriver);
    state.counters["ms_per_tick"] = 1000.0 * window.wallSeconds / std::max(window.ticks, 1);
  }
}
BENCHMARK(BM_IdleFrameLoop)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
