// Pictures in running text: containers and JPEG files named by tags, the red square for
// a file that cannot be read, and names that are defined only once.
#include <cstdio>
#include <string>
#include <vector>

#include "gfx/jpeg_codec.h"
#include "gfx/picture_container_writer.h"
#include "text_box_test_support.h"

namespace tavlero {
namespace {

using TextBoxPictures = test::TextBoxTest;

std::string WriteContainer(const std::string& name, int width, int height, std::uint32_t colour) {
  std::vector<std::uint8_t> bgr;
  for (int i = 0; i < width * height; ++i) {
    bgr.push_back(static_cast<std::uint8_t>(colour));
    bgr.push_back(static_cast<std::uint8_t>(colour >> 8));
    bgr.push_back(static_cast<std::uint8_t>(colour >> 16));
  }
  // Without sequences a frame's top-left pixel is its key colour: keep it apart.
  bgr[0] = bgr[1] = bgr[2] = 0xFE;
  PictureContainer clp;
  clp.AddFrame(PictureFrame::Raw(width, height, bgr));
  clp.AddFrame(PictureFrame::Raw(2, 2, std::vector<std::uint8_t>(12, 0)));
  const std::string path = ::testing::TempDir() + "/" + name;
  std::string error;
  EXPECT_TRUE(WritePictureContainer(clp, path, error)) << error;
  return path;
}

std::string WriteJpeg(const std::string& name, int width, int height) {
  std::vector<std::uint8_t> bgr(static_cast<std::size_t>(width) * height * 3, 0x80);
  std::vector<std::uint8_t> jpeg;
  EXPECT_TRUE(EncodeJpegFromBgr(bgr.data(), width, height, 90, jpeg));
  const std::string path = ::testing::TempDir() + "/" + name;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  EXPECT_NE(file, nullptr);
  if (file) {
    std::fwrite(jpeg.data(), 1, jpeg.size(), file);
    std::fclose(file);
  }
  return path;
}

TEST_F(TextBoxPictures, ContainerAndJpegPicturesAreLaidOutAndDrawn) {
  const std::string clp = WriteContainer("text_pic.clp", 30, 20, 0x0000FF);
  const std::string jpg = WriteJpeg("text_pic.jpg", 24, 16);
  OTextBox box(&plain, 0, 0, 300, 100,
               "<add_clip_Blue_" + clp + "><ADD_JPEG_Grey_" + jpg + "><pic_up_Blue> and <pic_down_Grey>");
  ASSERT_NE(box.Pictures().Find("Blue"), nullptr);
  EXPECT_EQ(box.Pictures().Find("Blue")->Width(), 30);
  EXPECT_EQ(box.Pictures().Find("Grey")->Width(), 24);
  EXPECT_EQ(box.Pictures().Find("blue"), nullptr);  // names keep their case
  const auto& items = box.Lines()[0].items;
  ASSERT_EQ(items.size(), 3u);
  EXPECT_TRUE(items[0].picture);
  EXPECT_EQ(items[0].height, 20);
  EXPECT_TRUE(items[2].picture);
  EXPECT_EQ(box.Lines()[0].verticalMode, vertical::kBottom);
  EXPECT_EQ(box.LineHeight(0), 20);
  EXPECT_EQ(box.Surface().PixelAt(1, 0), 0x0000FFu);
  EXPECT_EQ(box.Surface().PixelAt(29, 19), 0x0000FFu);
  EXPECT_EQ(box.Surface().PixelAt(30, 19), 0xFFFFFFu);
}

TEST_F(TextBoxPictures, UnreadableFilesGiveARedSquareAndNamesAreLoadedOnce) {
  const std::string clp = WriteContainer("text_keep.clp", 30, 20, 0x00FF00);
  OTextBox box(&plain, 0, 0, 300, 100, "<add_clip_A_" + clp + "><add_clip_A_/no/such/file.clp>");
  ASSERT_NE(box.Pictures().Find("A"), nullptr);
  EXPECT_EQ(box.Pictures().Find("A")->Width(), 30);

  box.SetText("<add_jpeg_B_/no/such/file.jpg><add_clip_B_" + clp + "><add_clip_C_" + clp + "_x>", 0, true);
  const OSurface* missing = box.Pictures().Find("B");
  ASSERT_NE(missing, nullptr);
  EXPECT_EQ(missing->Width(), OTextPictures::kMissingSize);
  EXPECT_EQ(missing->Height(), OTextPictures::kMissingSize);
  EXPECT_EQ(missing->PixelAt(5, 5), OTextPictures::kMissingColour);
  EXPECT_EQ(box.Pictures().Find("C")->Width(), OTextPictures::kMissingSize);

  // A damaged container (a header and nothing else) is unreadable too.
  const std::string damaged = ::testing::TempDir() + "/text_damaged.clp";
  std::FILE* file = std::fopen(damaged.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::fwrite("kelvarto clp\x05\0\0\0", 1, 16, file);
  std::fclose(file);
  box.SetText("<add_clip_D_" + damaged + "><add_jpeg_E_" + clp + ">", 0, true);
  EXPECT_EQ(box.Pictures().Find("D")->Width(), OTextPictures::kMissingSize);
  EXPECT_EQ(box.Pictures().Find("E")->Width(), OTextPictures::kMissingSize);
  // Pictures stay when the lines are replaced.
  box.SetText("new", 0, false);
  EXPECT_EQ(box.Pictures().Size(), 5u);
}

}  // namespace
}  // namespace tavlero
