// One frame of the board screen with the 24 pieces of the kind-0 start position: the
// dirty-rectangle redraw after one piece moved a few pixels (what every frame of an
// animation costs), and the full redraw of the whole screen for comparison. Each frame
// ends, as in the frame loop, with the window showing the changed pixels. The real SDL
// back end is used: a display when there is one, else SDL's headless driver.
// Counters: us_per_frame (wall time), draw_us (the tick or the redraw into the window's
// frame) and present_us (the window showing it); the times include helper threads of the
// renderer and are wall-clock.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

#include "bench/running_board.h"
#include "platform/sdl/sdl_text_renderer.h"
#include "platform/services.h"
#include "platform/window_system.h"
#include "ui/game_screen.h"

namespace {

using namespace tavlero;

// The running program with its board shown and the start position on it.
class BoardFixture {
 public:
  BoardFixture() {
    bench::UseHeadlessVideoWithoutDisplay();
    if (!folder_.Ready()) return;
    window_ = std::make_unique<OMainWindow>();
    if (!bench::OpenBoard(*window_)) return;
    // The first ticks start the new game and draw the board whole.
    for (int i = 0; i < 10; ++i) Frame();
    OGameScreen& game = *window_->Game();
    ready_ = game.CountPieces(1) == 12 && game.CountPieces(-1) == 12 && game.PieceSprite({2, 2}) != nullptr;
  }
  ~BoardFixture() {
    if (window_) window_->OnDestroy();
  }

  bool Ready() const { return ready_; }
  OGameScreen& Game() { return *window_->Game(); }
  OMainWindow& Window() { return *window_; }
  // One tick of the window, then the window shows what changed.
  void Frame() {
    window_->OnFrame(30);
    Present();
  }
  // The window shows what was copied to it (the frame loop does this before it waits).
  void Present() {
    platform::Event ignored;
    while (desktop_.PollEvent(ignored)) {
    }
  }

 private:
  platform::SdlWindowSystem desktop_;
  platform::SdlTextRenderer text_;
  platform::ScopedServices services_{platform::Services{&desktop_, &text_, nullptr}};
  bench::BenchWorkingFolder folder_;
  std::unique_ptr<OMainWindow> window_;
  bool ready_ = false;
};

using Clock = std::chrono::steady_clock;

// Wall time of the two halves of a frame, summed over the iterations.
struct FrameClock {
  double draw = 0, present = 0;
  Clock::time_point mark = Clock::now();
  double Lap() {
    const Clock::time_point now = Clock::now();
    const double seconds = std::chrono::duration<double>(now - mark).count();
    mark = now;
    return seconds;
  }
  void Report(benchmark::State& state) const {
    const double frames = static_cast<double>(state.iterations());
    state.counters["us_per_frame"] = 1e6 * (draw + present) / frames;
    state.counters["draw_us"] = 1e6 * draw / frames;
    state.counters["present_us"] = 1e6 * present / frames;
  }
};

void BM_BoardFrameOnePieceMoved(benchmark::State& state) {
  BoardFixture board;
  if (!board.Ready()) {
    state.SkipWithError("the board with the start position could not be shown");
    return;
  }
  OSprite* piece = board.Game().PieceSprite({2, 2});
  const double homeX = piece->x;
  int step = 0;
  FrameClock clock;
  for (auto _ : state) {
    // Back and forth over eight pixels, so that every frame has something to redraw.
    piece->x = homeX + 2 * (step < 4 ? step : 8 - step);
    step = (step + 1) % 8;
    clock.Lap();
    board.Window().OnFrame(30);
    clock.draw += clock.Lap();
    board.Present();
    clock.present += clock.Lap();
  }
  clock.Report(state);
  piece->x = homeX;
}
BENCHMARK(BM_BoardFrameOnePieceMoved)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime()->UseRealTime();

void BM_BoardFullRedraw(benchmark::State& state) {
  BoardFixture board;
  if (!board.Ready()) {
    state.SkipWithError("the board with the start position could not be shown");
    return;
  }
  FrameClock clock;
  for (auto _ : state) {
    clock.Lap();
    board.Game().Draw();
    clock.draw += clock.Lap();
    board.Present();
    clock.present += clock.Lap();
  }
  clock.Report(state);
}
BENCHMARK(BM_BoardFullRedraw)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime()->UseRealTime();

}  // namespace
