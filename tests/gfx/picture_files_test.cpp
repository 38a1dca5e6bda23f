// The generated pictures against their map (docs/pictures.md): every file the game
// loads exists, loads with the sub-sprites, frames and sizes the map promises, fits the
// board screen's layout, and is stored so that it draws right (keys that never hide a
// visible pixel, dialog faces in the text boxes' colour, frame sets that stay put).
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

#include "gfx/sprite.h"

namespace tavlero {
namespace {

struct MapRow {
  std::string file;  // below the data folder, "clp/NAME.clp"
  int subSprites = 0;
  int frames = 0;
  int width = 0, height = 0;
};

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  const auto last = text.find_last_not_of(" \t");
  return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

std::map<std::string, MapRow> ReadMap() {
  std::map<std::string, MapRow> rows;
  std::ifstream doc(std::string(TAVLERO_SOURCE_DIR) + "/docs/pictures.md");
  std::string line;
  while (std::getline(doc, line)) {
    if (line.rfind("| clp/", 0) != 0) continue;
    std::vector<std::string> cells;
    std::stringstream stream(line.substr(1));
    std::string cell;
    while (std::getline(stream, cell, '|')) cells.push_back(Trim(cell));
    if (cells.size() < 4) continue;
    MapRow row;
    row.file = cells[0];
    row.subSprites = std::stoi(cells[1]);
    row.frames = std::stoi(cells[2]);
    std::sscanf(cells[3].c_str(), "%dx%d", &row.width, &row.height);
    rows[row.file] = row;
  }
  return rows;
}

std::vector<std::string> FilesTheGameLoads() {
  std::vector<std::string> files = {"clp/i1.clp"};
  for (int i = 0; i <= 25; ++i) files.push_back("clp/but" + std::to_string(i) + ".clp");
  for (int i = 0; i <= 12; ++i) files.push_back("clp/bg" + std::to_string(i) + ".clp");
  for (int i = 0; i <= 13; ++i) files.push_back("clp/jp" + std::to_string(i) + ".clp");
  for (int i = 1; i <= 11; ++i) files.push_back("clp/checker" + std::to_string(i) + ".clp");
  return files;
}

std::unique_ptr<OSprite> Load(const std::string& file) {
  auto sprite = std::make_unique<OSprite>();
  sprite->Load(std::string(TAVLERO_DATA_DIR) + "/" + file);
  return sprite;
}

// Every frame of a sprite, through its sub-sprites.
std::vector<const OSurface*> AllFrames(const OSprite& sprite) {
  std::vector<const OSurface*> frames(sprite.frames.begin(), sprite.frames.end());
  for (const OSprite* sub : sprite.subSprites) frames.insert(frames.end(), sub->frames.begin(), sub->frames.end());
  return frames;
}

class PictureFiles : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { map_ = new std::map<std::string, MapRow>(ReadMap()); }
  static void TearDownTestSuite() {
    delete map_;
    map_ = nullptr;
  }
  static const MapRow& Row(const std::string& file) { return map_->at(file); }
  static int Width(const std::string& file) { return Row(file).width; }
  static int Height(const std::string& file) { return Row(file).height; }
  static std::map<std::string, MapRow>* map_;
};
std::map<std::string, MapRow>* PictureFiles::map_ = nullptr;

TEST_F(PictureFiles, EveryFileLoadsAsTheMapSays) {
  ASSERT_EQ(map_->size(), FilesTheGameLoads().size()) << "the map names each file once";
  for (const auto& file : FilesTheGameLoads()) {
    SCOPED_TRACE(file);
    ASSERT_TRUE(map_->count(file)) << "missing from docs/pictures.md";
    const MapRow& row = Row(file);
    const auto sprite = Load(file);
    ASSERT_TRUE(sprite->HasContent()) << "does not load from " << TAVLERO_DATA_DIR;
    ASSERT_EQ(static_cast<int>(sprite->subSprites.size()), row.subSprites);
    if (row.subSprites == 0) {
      EXPECT_EQ(static_cast<int>(sprite->frames.size()), row.frames);
    } else {
      for (const OSprite* sub : sprite->subSprites) EXPECT_EQ(static_cast<int>(sub->frames.size()), row.frames);
    }
    for (const OSurface* frame : AllFrames(*sprite)) {
      EXPECT_EQ(frame->Width(), row.width);
      EXPECT_EQ(frame->Height(), row.height);
    }
  }
}

TEST_F(PictureFiles, SizesFitTheBoardScreensLayout) {
  for (const char* board : {"clp/jp2.clp", "clp/jp4.clp", "clp/jp12.clp", "clp/jp13.clp"}) {
    EXPECT_EQ(Width(board), 600);
    EXPECT_EQ(Height(board), 600);
  }
  EXPECT_EQ(Width("clp/jp9.clp"), 200);
  EXPECT_EQ(Height("clp/jp9.clp"), 600);
  EXPECT_EQ(Width("clp/i1.clp"), 400);
  EXPECT_EQ(Height("clp/i1.clp"), 400);
  // The panel's column, top to bottom, at x = 605 within the 800-pixel window.
  const std::pair<const char*, int> column[] = {{"clp/bg5.clp", 30},  {"clp/bg4.clp", 100}, {"clp/but0.clp", 128},
                                                {"clp/but6.clp", 178}, {"clp/but21.clp", 229}, {"clp/but14.clp", 278},
                                                {"clp/but1.clp", 379}, {"clp/bg1.clp", 440}};
  for (std::size_t i = 0; i + 1 < std::size(column); ++i)
    EXPECT_LE(column[i].second + Height(column[i].first), column[i + 1].second) << column[i].first;
  EXPECT_LE(503 + Height("clp/bg1.clp"), 600);
  for (const auto& [file, y] : column) EXPECT_LE(605 + Width(file), 800) << file;
  // The top row: starts at 633 plus the grip's width and ends inside the window.
  int x = 633 + Width("clp/but16.clp");
  for (const char* button : {"clp/but3.clp", "clp/but17.clp", "clp/but23.clp", "clp/but4.clp"}) {
    EXPECT_LE(Height(button), 27) << button;
    x += Width(button);
  }
  EXPECT_LE(x, 800);
  // Banners inside the board area; the second die 40 right of the first.
  EXPECT_LE(30 + Width("clp/bg3.clp"), 370);
  EXPECT_LE(370 + Width("clp/bg2.clp"), 600);
  EXPECT_LE((600 - Width("clp/bg9.clp")) / 2 + 10 + Width("clp/bg9.clp"), 600);
  EXPECT_LE(Width("clp/bg6.clp"), 40);
  // Checkers of the dice game stack every 33 rows; hexagons sit 37 apart.
  EXPECT_LE(Height("clp/checker9.clp"), 33);
  EXPECT_LE(Width("clp/checker7.clp"), 37);
  // Dialogs (their screens are 5 larger) fit the 585 x 600 play area.
  for (const char* dialog : {"clp/bg0.clp", "clp/bg8.clp", "clp/bg11.clp", "clp/bg12.clp"}) {
    EXPECT_LE(Width(dialog) + 5, 585) << dialog;
    EXPECT_LE(Height(dialog) + 5, 600) << dialog;
    EXPECT_LE(Width("clp/jp0.clp"), Width(dialog));
  }
}

TEST_F(PictureFiles, KeysNeverHideVisiblePixels) {
  for (const auto& file : FilesTheGameLoads()) {
    const auto sprite = Load(file);
    for (const OSurface* frame : AllFrames(*sprite)) {
      SCOPED_TRACE(file);
      if (frame->TransparencyPlane() == nullptr) {
        // Opaque pictures have no key at all: no pixel may drop out of a backdrop.
        EXPECT_EQ(frame->colourKey, -1);
        continue;
      }
      if (frame->colourKey < 0) continue;
      for (int y = 0; y < frame->Height(); ++y)
        for (int x = 0; x < frame->Width(); ++x) {
          if (frame->TransparencyAt(x, y) < 255) {
            ASSERT_NE(frame->PixelAt(x, y), static_cast<std::uint32_t>(frame->colourKey)) << x << "," << y;
          }
        }
    }
  }
}

TEST_F(PictureFiles, DialogFacesAreTheTextBoxColourAndFrameSetsStayPut) {
  for (const char* dialog : {"clp/bg0.clp", "clp/bg8.clp", "clp/bg11.clp", "clp/bg12.clp"}) {
    const auto sprite = Load(dialog);
    const OSurface& face = *sprite->frames.at(0);
    for (auto [x, y] : {std::pair{30, 70}, std::pair{face.Width() / 2, face.Height() / 2},
                        std::pair{face.Width() - 30, face.Height() - 30}})
      EXPECT_EQ(face.PixelAt(x, y), 0xD28031u) << dialog << " at " << x << "," << y;
  }
  // Pictures whose frame the program picks must not run on by themselves.
  for (const char* file : {"clp/checker1.clp", "clp/checker11.clp", "clp/bg4.clp", "clp/bg5.clp", "clp/bg6.clp",
                           "clp/bg9.clp", "clp/bg10.clp", "clp/but12.clp", "clp/but13.clp", "clp/but24.clp"}) {
    const auto sprite = Load(file);
    for (const OSurface* frame : AllFrames(*sprite)) EXPECT_EQ(frame->command, 1) << file;
  }
}

}  // namespace
}  // namespace tavlero
