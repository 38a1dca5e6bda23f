// A sample page drawn with the real fonts: every tag, Cyrillic text in both faces the
// game uses, pictures from a container, a JPEG file and a file that is missing. The
// page is written to the test output folder for people to look at. Also runs the
// render-text command of tavlero-tool on a UTF-8 text.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "gfx/jpeg_codec.h"
#include "gfx/picture_container_writer.h"
#include "gfx/png_writer.h"
#include "platform/cp1251.h"
#include "platform/sdl/sdl_text_renderer.h"
#include "platform/services.h"
#include "ui/text_box.h"

namespace tavlero {
namespace {

namespace fs = std::filesystem;

// A 40 x 40 disc on a magenta key, as pieces are drawn.
std::string WriteDiscContainer(const fs::path& dir) {
  const int size = 40;
  std::vector<std::uint8_t> bgr;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const int dx = x - size / 2, dy = y - size / 2;
      const bool inside = dx * dx + dy * dy < (size / 2 - 2) * (size / 2 - 2);
      const std::uint32_t colour = inside ? 0x8B1A1A + (y * 2 << 8) : 0xFF00FF;
      bgr.push_back(static_cast<std::uint8_t>(colour));
      bgr.push_back(static_cast<std::uint8_t>(colour >> 8));
      bgr.push_back(static_cast<std::uint8_t>(colour >> 16));
    }
  PictureContainer clp;
  clp.AddFrame(PictureFrame::Raw(size, size, bgr));
  const std::string path = (dir / "disc.clp").string();
  std::string error;
  EXPECT_TRUE(WritePictureContainer(clp, path, error)) << error;
  return path;
}

std::string WriteGradientJpeg(const fs::path& dir) {
  const int w = 120, h = 60;
  std::vector<std::uint8_t> bgr;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      bgr.push_back(static_cast<std::uint8_t>(x * 2));
      bgr.push_back(static_cast<std::uint8_t>(120 + y));
      bgr.push_back(static_cast<std::uint8_t>(200 - x));
    }
  std::vector<std::uint8_t> jpeg;
  EXPECT_TRUE(EncodeJpegFromBgr(bgr.data(), w, h, 85, jpeg));
  const std::string path = (dir / "gradient.jpg").string();
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(jpeg.data()),
                                               static_cast<std::streamsize>(jpeg.size()));
  return path;
}

std::string SamplePage(const std::string& clp, const std::string& jpg) {
  // Written in UTF-8 here; the game's texts are CP1251.
  const std::string utf8 =
      "<add_clip_Disc_" + clp + "><add_jpeg_Photo_" + jpg + "><add_jpeg_Lost_/no/such/picture.jpg>"
      "<center><font_size_24><sh>Шашки и уголки</sh></font_size><br>"
      "<justify><pic_center_Disc>Обычный текст, <b>жирный</b>, <i>курсив</i>, <u>подчёркнутый</u>, "
      "<B><I>всё сразу</I></B> и снова <normal>обычный. Картинка слева, а текст обтекает её: "
      "строки после первой начинаются правее картинки, пока абзац не кончится.<br>"
      "<left>Табуляция:<tab>после неё<tab>ещё раз.<br>"
      "<font_size_10>Мелкий</font_size> и <font_size_30>крупный</font_size> текст.<br>"
      "<right>Выравнивание вправо.<br>"
      "<center>По центру: <pic_down_Photo> фото снизу.<br>"
      "<left>Нет картинки: <pic_up_Nobody>, нечитаемый файл: <pic_up_Lost>.<br>"
      "<left_clip>Строка без переноса, которая длиннее ширины окна и обрезается у правого края без всякого переноса.<br>"
      "<right_clip>Короткая справа.<br>"
      "\n"
      "<left>Latin text: The quick brown fox jumps over the lazy dog.<br>"
      "<inverse>Инверсия действует до конца текста.";
  return platform::Utf8ToCp1251(utf8);
}

int InkRows(const OSurface& surface) {
  int rows = 0;
  for (int y = 0; y < surface.Height(); ++y) {
    for (int x = 0; x < surface.Width(); ++x) {
      if (static_cast<int>(surface.PixelAt(x, y)) != surface.colourKey) {
        ++rows;
        break;
      }
    }
  }
  return rows;
}

TEST(TextBoxSample, EveryTagWithRealFontsIsWrittenForInspection) {
  platform::SdlTextRenderer renderer;
  platform::ScopedServices services({nullptr, &renderer, nullptr});
  const fs::path dir = fs::path(::testing::TempDir()) / "text_box_sample";
  fs::create_directories(dir);
  const std::string text = SamplePage(WriteDiscContainer(dir), WriteGradientJpeg(dir));

  OTextBox arial(nullptr, 0, 0, 520, 560, text);
  OTextStyle times = OTextBox::DefaultStyle();
  times.faceName = "Times New Roman";
  times.textColour = 0x202060;
  times.styleFlags = 0;
  OTextBox roman(&times, 0, 0, 520, 560, text, 0, false, 0xA0A0A0);

  EXPECT_GT(arial.LineCount(), 12);
  EXPECT_GT(InkRows(arial.Surface()), 200);
  EXPECT_GT(InkRows(roman.Surface()), 200);
  ASSERT_NE(arial.Pictures().Find("Photo"), nullptr);
  EXPECT_EQ(arial.Pictures().Find("Photo")->Width(), 120);
  EXPECT_EQ(arial.Pictures().Find("Lost")->Width(), OTextPictures::kMissingSize);

  // Both boxes side by side on a light page, as a screen would show them.
  OSurface page(1080, 580);
  page.clearColour = 0xF4F0E6;
  page.Clear();
  page.Draw(&arial.Surface(), 10, 10);
  page.Draw(&roman.Surface(), 550, 10);
  const fs::path out = fs::path(TAVLERO_TEST_OUTPUT_DIR) / "text_box_sample.png";
  fs::create_directories(out.parent_path());
  EXPECT_TRUE(WriteSurfacePng(page, out.string(), false));
}

TEST(TextBoxSample, RenderTextCommandDrawsAUtf8File) {
  const fs::path dir = fs::path(::testing::TempDir()) / "render_text";
  fs::create_directories(dir);
  const fs::path in = dir / "page.txt";
  std::ofstream(in) << "<center><b>Правила</b><br><left>Первая строка.\nВторая строка.";
  const fs::path out = dir / "page.png";
  fs::remove(out);
  const std::string tool = TAVLERO_TOOL_PATH;
  const std::string command = "'" + tool + "' render-text '" + in.string() + "' '" + out.string() + "' 300 120";
  EXPECT_EQ(std::system(command.c_str()), 0);
  ASSERT_TRUE(fs::exists(out));
  const std::string bad = "'" + tool + "' render-text '" + in.string() + "' '" + out.string() + "' 0 x 2>/dev/null";
  EXPECT_EQ(WEXITSTATUS(std::system(bad.c_str())), 2);
  const std::string missing = "'" + tool + "' render-text '" + (dir / "none.txt").string() + "' '" +
                              out.string() + "' 2>/dev/null";
  EXPECT_EQ(WEXITSTATUS(std::system(missing.c_str())), 1);
}

}  // namespace
}  // namespace tavlero
