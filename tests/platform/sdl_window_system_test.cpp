#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/sdl/sdl_window_system.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace tavlero::platform {
namespace {

// The offscreen driver probes the graphics stack (EGL) and the drivers it loads keep
// some small blocks to the end, so the leak checker ignores its runs; the dummy driver
// runs the same code of ours with the leak checker on.
void PauseLeakChecks(bool pause) {
#if defined(__SANITIZE_ADDRESS__)
  if (pause)
    __lsan_disable();
  else
    __lsan_enable();
#else
  (void)pause;
#endif
}

// A top-down gradient picture stored bottom-up as BGR: red grows to the right, green
// downwards, blue is 0x40.
struct Gradient {
  int width, height, stride;
  std::vector<std::uint8_t> bytes;
  Gradient(int w, int h) : width(w), height(h), stride(w * 3), bytes(static_cast<std::size_t>(w) * 3 * h) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        std::uint8_t* p = &bytes[static_cast<std::size_t>(h - 1 - y) * stride + x * 3];
        p[0] = 0x40;
        p[1] = static_cast<std::uint8_t>(y * 255 / (h - 1));
        p[2] = static_cast<std::uint8_t>(x * 255 / (w - 1));
      }
  }
  PixelSource Source() const { return {bytes.data(), stride, width, height}; }
  std::uint32_t At(int x, int y) const {
    return (std::uint32_t(x * 255 / (width - 1)) << 16) | (std::uint32_t(y * 255 / (height - 1)) << 8) | 0x40;
  }
};

// Runs a test with one of SDL's memory-only video drivers and puts the previous back.
class SdlWindowSystemTest : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    if (const char* previous = std::getenv("SDL_VIDEODRIVER")) previous_ = previous;
    setenv("SDL_VIDEODRIVER", GetParam(), 1);
    if (Offscreen()) PauseLeakChecks(true);
  }
  void TearDown() override {
    windows_.DestroyWindow();
    if (previous_.empty())
      unsetenv("SDL_VIDEODRIVER");
    else
      setenv("SDL_VIDEODRIVER", previous_.c_str(), 1);
    if (Offscreen()) PauseLeakChecks(false);
  }
  bool Offscreen() const { return std::strcmp(GetParam(), "offscreen") == 0; }
  bool Create(int width = 800, int height = 600) {
    WindowParams params;
    params.title = "Tavlero \xCF\xF0\xE8\xE2\xE5\xF2";
    params.className = "OMainWindow";
    params.width = width;
    params.height = height;
    params.caption = false;
    params.sizingBorder = false;
    return windows_.CreateWindow(params);
  }
  // Takes whatever start-up events are waiting.
  void Drain() {
    Event event;
    for (int i = 0; i < 100 && windows_.PollEvent(event); ++i) {
    }
  }
  void ExpectShows(const Gradient& picture, int dstX, int dstY) {
    std::vector<std::uint32_t> pixels;
    int width = 0, height = 0;
    ASSERT_TRUE(windows_.CaptureWindow(pixels, width, height));
    int clientWidth = 0, clientHeight = 0;
    windows_.GetClientSize(clientWidth, clientHeight);
    ASSERT_EQ(width, clientWidth);
    ASSERT_EQ(height, clientHeight);
    for (auto [x, y] : {std::pair{0, 0}, {picture.width - 1, 0}, {0, picture.height - 1},
                        {picture.width / 3, picture.height / 2}, {picture.width - 1, picture.height - 1}}) {
      EXPECT_EQ(pixels[static_cast<std::size_t>(y + dstY) * width + x + dstX] & 0xFFFFFF, picture.At(x, y))
          << "at " << x << "," << y;
    }
  }

  SdlWindowSystem windows_;
  std::string previous_;
};

TEST_P(SdlWindowSystemTest, CreatesTheWindowAndShowsWhatIsCopiedToIt) {
  if (!Create()) GTEST_SKIP() << "video driver " << GetParam() << " is not available";
  EXPECT_STREQ(std::getenv("SDL_VIDEO_X11_WMCLASS"), "OMainWindow");
  int width = 0, height = 0;
  windows_.GetClientSize(width, height);
  EXPECT_EQ(width, 800);
  EXPECT_EQ(height, 600);
  windows_.ShowWindow();
  Drain();

  const Gradient full(800, 600);
  windows_.Blit(full.Source(), 0, 0, 800, 600, 0, 0);
  Event event;
  windows_.PollEvent(event);
  ExpectShows(full, 0, 0);

  // A part copied later lands over the first picture, at its place.
  const Gradient patch(64, 32);
  windows_.Blit(patch.Source(), 0, 0, 64, 32, 300, 200);
  windows_.WaitEvent(event, 1);
  ExpectShows(patch, 300, 200);

  // The intro's smaller window: the frame follows the client size.
  windows_.SetWindowRect(100, 100, 400, 400);
  windows_.GetClientSize(width, height);
  EXPECT_EQ(width, 400);
  EXPECT_EQ(height, 400);
  const Gradient small(400, 400);
  windows_.Blit(full.Source(), 0, 0, 800, 600, 0, 0);
  windows_.Blit(small.Source(), 0, 0, 400, 400, 0, 0);
  windows_.PollEvent(event);
  ExpectShows(small, 0, 0);

  windows_.DestroyWindow();
  EXPECT_FALSE(windows_.HasWindow());
  EXPECT_FALSE(windows_.PollEvent(event));
  windows_.Blit(full.Source(), 0, 0, 800, 600, 0, 0);  // no window: ignored
  // A second window in the same process starts video afresh.
  ASSERT_TRUE(Create(640, 480));
  windows_.GetClientSize(width, height);
  EXPECT_EQ(width, 640);
}

TEST_P(SdlWindowSystemTest, DeliversQueuedEventsAndWaitsWhenThereAreNone) {
  if (!Create()) GTEST_SKIP() << "video driver " << GetParam() << " is not available";
  windows_.ShowWindow();
  Drain();

  Event event;
  const std::uint32_t before = windows_.NowMs();
  EXPECT_FALSE(windows_.WaitEvent(event, 60));
  const std::uint32_t waited = windows_.NowMs() - before;
  EXPECT_GE(waited, 50u);
  EXPECT_LT(waited, 1000u);
  EXPECT_FALSE(windows_.WaitEvent(event, 0));
  EXPECT_FALSE(windows_.WaitEvent(event, -5));

  SDL_Event key{};
  key.type = SDL_KEYDOWN;
  key.key.keysym.sym = SDLK_RETURN;
  key.key.keysym.scancode = SDL_SCANCODE_RETURN;
  ASSERT_EQ(SDL_PushEvent(&key), 1);
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  ASSERT_EQ(SDL_PushEvent(&quit), 1);

  ASSERT_TRUE(windows_.WaitEvent(event, 500));
  EXPECT_EQ(event.type, EventType::kKeyDown);
  EXPECT_EQ(event.key, 13);
  ASSERT_TRUE(windows_.PollEvent(event));
  EXPECT_EQ(event.type, EventType::kChar);
  EXPECT_EQ(event.character, 13);
  ASSERT_TRUE(windows_.PollEvent(event));
  EXPECT_EQ(event.type, EventType::kClose);
  EXPECT_FALSE(windows_.PollEvent(event));

  // Small services answer sensibly on a desktop without a screen.
  int width = 0, height = 0;
  windows_.GetDisplaySize(width, height);
  EXPECT_GT(width, 0);
  EXPECT_EQ(windows_.KeyModifiers(), 0);
  windows_.SetCursorShape(CursorShape::kWait);
  windows_.SetTitle("\xD2\xE0\xE2\xEB\xE5\xF0\xEE");
  // Full screen either succeeds or leaves the window as it was; both ways back works.
  EXPECT_EQ(windows_.IsFullScreen(), windows_.EnterFullScreen(800, 600));
  windows_.LeaveFullScreen();
  EXPECT_FALSE(windows_.IsFullScreen());
  windows_.GetClientSize(width, height);
  EXPECT_EQ(width, 800);
  EXPECT_EQ(height, 600);
}

TEST(SdlWindowSystemWithoutWindowTest, ServicesAnswerSafely) {
  SdlWindowSystem windows;
  Event event;
  EXPECT_FALSE(windows.HasWindow());
  EXPECT_FALSE(windows.PollEvent(event));
  EXPECT_FALSE(windows.WaitEvent(event, 1));
  int width = -1, height = -1;
  windows.GetClientSize(width, height);
  EXPECT_EQ(width, 0);
  EXPECT_EQ(height, 0);
  EXPECT_FALSE(windows.EnterFullScreen(800, 600));
  EXPECT_FALSE(windows.ClipboardText().has_value());
  std::vector<std::uint32_t> pixels;
  EXPECT_FALSE(windows.CaptureWindow(pixels, width, height));
}

INSTANTIATE_TEST_SUITE_P(HeadlessDrivers, SdlWindowSystemTest, ::testing::Values("dummy", "offscreen"));

// Restores an environment variable when the test ends.
class ScopedEnvironment {
 public:
  explicit ScopedEnvironment(const char* name) : name_(name) {
    if (const char* value = std::getenv(name)) saved_ = value;
    unsetenv(name);
  }
  ~ScopedEnvironment() {
    if (!saved_.empty()) setenv(name_, saved_.c_str(), 1);
  }

 private:
  const char* name_;
  std::string saved_;
};

TEST(SdlWindowSystemWithoutDisplayTest, RefusesToRunWhereNobodyCanSeeTheWindow) {
  ScopedEnvironment driver("SDL_VIDEODRIVER"), x11("DISPLAY"), wayland("WAYLAND_DISPLAY");
  PauseLeakChecks(true);  // SDL may probe the offscreen driver's graphics stack
  {
    SdlWindowSystem windows;
    WindowParams params;
    params.title = "Tavlero";
    params.width = 800;
    params.height = 600;
    EXPECT_FALSE(windows.CreateWindow(params));
    EXPECT_FALSE(windows.HasWindow());
  }
  PauseLeakChecks(false);
}

}  // namespace
}  // namespace tavlero::platform
