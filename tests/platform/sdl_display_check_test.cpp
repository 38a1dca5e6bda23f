// A check on a real X display, for a person to look at; it is not run by default:
//   xvfb-run -s "-screen 0 1024x768x24" tests_platform
//     --gtest_also_run_disabled_tests --gtest_filter='*RealDisplay*'   (one command line)
// It opens the window, shows a gradient with the icon and text in both faces, saves a
// screenshot of the whole screen to the test output folder and prints the window's
// X11 class and title.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/sdl/sdl_text_renderer.h"
#include "platform/sdl/sdl_window_system.h"
#include "platform/sdl/window_icon.h"

namespace tavlero::platform {
namespace {

constexpr int kWidth = 800, kHeight = 600;

// Bottom-up BGR picture, as the game's surfaces keep them.
struct Picture {
  std::vector<std::uint8_t> bytes = std::vector<std::uint8_t>(kWidth * kHeight * 3);
  void Set(int x, int y, std::uint32_t rgb) {
    if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) return;
    std::uint8_t* p = &bytes[(static_cast<std::size_t>(kHeight - 1 - y) * kWidth + x) * 3];
    p[0] = rgb & 255;
    p[1] = (rgb >> 8) & 255;
    p[2] = (rgb >> 16) & 255;
  }
  std::uint32_t Get(int x, int y) const {
    const std::uint8_t* p = &bytes[(static_cast<std::size_t>(kHeight - 1 - y) * kWidth + x) * 3];
    return (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
  }
};

void DrawText(Picture& picture, SdlTextRenderer& text, const FontSpec& font, const std::string& line, int left,
              int top, std::uint32_t rgb) {
  TextMask mask;
  text.Render(font, line, mask);
  for (int y = 0; y < mask.height; ++y)
    for (int x = 0; x < mask.width; ++x) {
      const int a = mask.coverage[static_cast<std::size_t>(y) * mask.width + x];
      if (a == 0) continue;
      const std::uint32_t under = picture.Get(left + x, top + y);
      std::uint32_t mixed = 0;
      for (int shift : {0, 8, 16}) {
        const int u = (under >> shift) & 255, c = (rgb >> shift) & 255;
        mixed |= std::uint32_t((u * (255 - a) + c * a) / 255) << shift;
      }
      picture.Set(left + x, top + y, mixed);
    }
}

TEST(SdlRealDisplayCheck, DISABLED_ShowsTheWindowOnARealDisplay) {
  if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no X display";
  unsetenv("SDL_VIDEODRIVER");

  Picture picture;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      picture.Set(x, y, (std::uint32_t(x * 255 / (kWidth - 1)) << 16) | (std::uint32_t(y * 255 / (kHeight - 1)) << 8) | 0x60);
  for (int size : {16, 32, 128}) {
    const std::vector<std::uint32_t> icon = PaintWindowIcon(size);
    const int left = 20 + (size == 16 ? 0 : size == 32 ? 30 : 80);
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x) picture.Set(left + x, 20 + y, icon[y * size + x] & 0xFFFFFF);
  }
  SdlTextRenderer text;
  // "Шашки и уголки: съешь же ещё этих мягких булок" in CP1251.
  const std::string russian =
      "\xD8\xE0\xF8\xEA\xE8 \xE8 \xF3\xE3\xEE\xEB\xEA\xE8: \xF1\xFA\xE5\xF8\xFC \xE6\xE5 \xE5\xF9\xB8 "
      "\xFD\xF2\xE8\xF5 \xEC\xFF\xE3\xEA\xE8\xF5 \xE1\xF3\xEB\xEE\xEA";
  int top = 180;
  for (const char* face : {"Arial", "Times New Roman"}) {
    for (int style = 0; style < 4; ++style) {
      FontSpec font;
      font.face = face;
      font.sizePoints = 16;
      font.bold = style & 1;
      font.italic = style & 2;
      font.underline = style == 3;
      DrawText(picture, text, font, russian, 20, top, 0x101010);
      top += 34;
    }
  }

  SdlWindowSystem windows;
  WindowParams params;
  params.title = "Tavlero";
  params.className = "OMainWindow";
  params.width = kWidth;
  params.height = kHeight;
  params.caption = false;
  params.sizingBorder = false;
  ASSERT_TRUE(windows.CreateWindow(params));
  windows.SetWindowRect(100, 80, kWidth, kHeight);
  windows.ShowWindow();
  windows.Blit({picture.bytes.data(), kWidth * 3, kWidth, kHeight}, 0, 0, kWidth, kHeight, 0, 0);
  const std::uint32_t start = windows.NowMs();
  Event event;
  while (windows.NowMs() - start < 1500) windows.WaitEvent(event, 30);

  const std::filesystem::path out = std::filesystem::path(TAVLERO_TEST_OUTPUT_DIR) / "sdl_display_check.png";
  std::filesystem::create_directories(out.parent_path());
  const std::string shot = "import -window root '" + out.string() + "'";
  EXPECT_EQ(std::system(shot.c_str()), 0);
  std::fflush(stdout);
  EXPECT_EQ(std::system("xprop -name Tavlero WM_CLASS WM_NAME _NET_WM_NAME _MOTIF_WM_HINTS"), 0);
  EXPECT_EQ(std::system("xprop -name Tavlero _NET_WM_ICON | head -2"), 0);
  std::printf("screenshot: %s\n", out.c_str());

  // Full screen on a 1024 x 768 desktop: the frame is scaled up, and the mouse comes back
  // in frame coordinates.
  ASSERT_TRUE(windows.EnterFullScreen(kWidth, kHeight));
  windows.Blit({picture.bytes.data(), kWidth * 3, kWidth, kHeight}, 0, 0, kWidth, kHeight, 0, 0);
  const std::uint32_t fullStart = windows.NowMs();
  while (windows.NowMs() - fullStart < 1000) windows.WaitEvent(event, 30);
  // Without a window manager (bare Xvfb) the window grows in place instead of moving to
  // the corner, so the pointer is placed relative to the window itself.
  int windowLeft = 0, windowTop = 0, outerWidth = 0, outerHeight = 0;
  SDL_GetWindowPosition(windows.NativeWindow(), &windowLeft, &windowTop);
  SDL_GetWindowSize(windows.NativeWindow(), &outerWidth, &outerHeight);
  SDL_WarpMouseInWindow(windows.NativeWindow(), outerWidth / 2, outerHeight / 4);
  int lastX = -1, lastY = -1;
  const std::uint32_t moveStart = windows.NowMs();
  while (windows.NowMs() - moveStart < 500) {
    if (windows.WaitEvent(event, 30) && event.type == EventType::kMouseMove) lastX = event.x, lastY = event.y;
  }
  int cursorX = 0, cursorY = 0;
  windows.GetCursorClientPos(cursorX, cursorY);
  std::printf("window %dx%d at %d,%d, mouse at %d,%d, cursor at %d,%d\n", outerWidth, outerHeight, windowLeft, windowTop,
              lastX, lastY, cursorX, cursorY);
  EXPECT_EQ(cursorX, kWidth / 2);
  EXPECT_EQ(cursorY, kHeight / 4);
  EXPECT_EQ(lastX, kWidth / 2);
  EXPECT_EQ(lastY, kHeight / 4);
  const std::filesystem::path full = std::filesystem::path(TAVLERO_TEST_OUTPUT_DIR) / "sdl_display_check_full.png";
  const std::string fullShot = "import -window root '" + full.string() + "'";
  EXPECT_EQ(std::system(fullShot.c_str()), 0);
  windows.LeaveFullScreen();
  int clientWidth = 0, clientHeight = 0;
  windows.GetClientSize(clientWidth, clientHeight);
  EXPECT_EQ(clientWidth, kWidth);
  EXPECT_EQ(clientHeight, kHeight);
}

}  // namespace
}  // namespace tavlero::platform
