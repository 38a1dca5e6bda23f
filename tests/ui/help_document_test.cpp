// The help document as the build makes it (cfg/help.dat from assets/help/help.txt), the
// build step's refusal of a faulty source, and the help-pages command of tavlero-tool
// run as a separate program.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/cp1251.h"
#include "platform/sdl/sdl_text_renderer.h"
#include "platform/services.h"
#include "store/file_bytes.h"
#include "store/sealed_file.h"
#include "ui/document_view.h"
#include "ui/help_window.h"
#include "ui/text_box.h"

namespace tavlero {
namespace {

namespace fs = std::filesystem;

const std::string kHelpFile = std::string(TAVLERO_DATA_DIR) + "/" + kHelpFileName;

struct RunResult {
  int exitCode = -1;
  std::string out, err;
};

RunResult RunProgram(const std::string& program, const std::string& arguments, const fs::path& scratch) {
  const std::string out = (scratch / "stdout").string(), err = (scratch / "stderr").string();
  const int status = std::system(("'" + program + "' " + arguments + " >'" + out + "' 2>'" + err + "'").c_str());
  RunResult result;
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  ReadFileBytes(out, result.out);
  ReadFileBytes(err, result.err);
  return result;
}

struct ScratchFolder {
  ScratchFolder() {
    std::string pattern = ::testing::TempDir() + "help-XXXXXX";
    path = mkdtemp(pattern.data()) ? pattern : "/nonexistent-tavlero-help";
  }
  ~ScratchFolder() { fs::remove_all(path); }
  fs::path path;
};

// The nine names the game shows for its kinds, read from the pictures' source.
// The text with every occurrence of `gap` made one space.
std::string SpacedOut(const std::string& text, const std::string& gap) {
  std::string out;
  for (std::size_t at = 0; at < text.size();) {
    if (text.compare(at, gap.size(), gap) == 0) {
      out += ' ';
      at += gap.size();
    } else {
      out += text[at++];
    }
  }
  return out;
}

std::vector<std::string> KindNames() {
  std::string source;
  ReadFileBytes(std::string(TAVLERO_SOURCE_DIR) + "/tools/gen-pictures/art_common.cpp", source);
  std::vector<std::string> names;
  std::size_t at = source.find("kKindNames");
  const std::size_t end = source.find("};", at);
  while (at != std::string::npos && (at = source.find('"', at)) < end) {
    const std::size_t close = source.find('"', at + 1);
    std::string name = source.substr(at + 1, close - at - 1);
    names.push_back(SpacedOut(name, "\\n"));
    at = close + 1;
  }
  return names;
}

TEST(HelpDocument, GeneratedFileIsTheSourceInCp1251AndNamesEveryKind) {
  std::string text;
  ASSERT_TRUE(LoadSealedFile(kHelpFile, text, kHelpKey)) << kHelpFile;
  std::string source;
  ASSERT_TRUE(ReadFileBytes(std::string(TAVLERO_SOURCE_DIR) + "/assets/help/help.txt", source));
  EXPECT_FALSE(platform::LooksLikeUtf8(text));
  EXPECT_EQ(platform::Cp1251ToUtf8(text), source);

  // Names may be broken over source lines or joined by no-break spaces in headings.
  std::string flat = platform::Cp1251ToUtf8(text);
  for (const char* gap : {"\n", "\xC2\xA0"}) flat = SpacedOut(flat, gap);
  const std::vector<std::string> names = KindNames();
  ASSERT_EQ(names.size(), 9u);
  for (const std::string& name : names) EXPECT_NE(flat.find(name), std::string::npos) << name;
}

TEST(HelpDocument, UnreadableFileShowsInvalidFile) {
  ScratchFolder scratch;
  std::string sealed;
  ASSERT_TRUE(ReadFileBytes(kHelpFile, sealed));
  sealed[sealed.size() / 2] ^= 0x20;
  const std::string damaged = (scratch.path / "damaged.dat").string();
  ASSERT_TRUE(WriteFileBytes(damaged, sealed));

  EXPECT_EQ(LoadDocumentText(damaged, kHelpKey), "Invalid file");
  EXPECT_EQ(LoadDocumentText((scratch.path / "missing.dat").string(), kHelpKey), "Invalid file");
  EXPECT_EQ(LoadDocumentText(kHelpFile, "50719384"), "Invalid file");
  EXPECT_NE(LoadDocumentText(kHelpFile, kHelpKey), "Invalid file");
}

TEST(HelpDocument, BuildStepRefusesCharactersAndTagsTheGameCannotShow) {
  const fs::path generator = fs::path(TAVLERO_TOOL_PATH).parent_path().parent_path() / "gen-help" / "gen-help";
  if (!fs::exists(generator)) GTEST_SKIP() << "gen-help is not built here";
  ScratchFolder scratch;
  const fs::path source = scratch.path / "help.txt", out = scratch.path / "help.dat";
  const auto write = [&](const std::string& text) { ASSERT_TRUE(WriteFileBytes(source.string(), text)); };
  const std::string args = "'" + source.string() + "' '" + out.string() + "'";

  write("<b>Шашки</b> — «игра»…<br>\nход → вперёд");
  RunResult result = RunProgram(generator.string(), args, scratch.path);
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find(":2:5: U+2192"), std::string::npos) << result.err;
  EXPECT_FALSE(fs::exists(out));

  for (const char* faulty : {"<bold>Шашки</b>", "<pic_center_man>", "a < b"}) {
    write(faulty);
    EXPECT_EQ(RunProgram(generator.string(), args, scratch.path).exitCode, 1) << faulty;
  }

  write("<add_clip_man_clp/checker3.clp><pic_center_man> Шашки — «игра»<br>");
  EXPECT_EQ(RunProgram(generator.string(), args, scratch.path).exitCode, 0);
  std::string sealed;
  ASSERT_TRUE(LoadSealedFile(out.string(), sealed, kHelpKey));
  EXPECT_EQ(sealed, platform::Utf8ToCp1251("<add_clip_man_clp/checker3.clp><pic_center_man> Шашки — «игра»<br>"));
}

// The number of pages laid out here as the help window lays its text out.
int ExpectedPages() {
  platform::SdlTextRenderer renderer;
  platform::ScopedServices services({nullptr, &renderer, nullptr});
  const std::string saved = fs::current_path().string();
  EXPECT_EQ(chdir(TAVLERO_DATA_DIR), 0);  // the pictures the document names
  const OTextStyle style = HelpTextStyle();
  const int height = ODocumentView::TextHeight(HelpViewPlace());
  OTextBox box(&style, 0, 0, ODocumentView::TextWidth(HelpViewPlace(), kHelpScrollBarWidth), height);
  box.SetText(LoadDocumentText(kHelpFile, kHelpKey), 0, false);
  EXPECT_EQ(chdir(saved.c_str()), 0);
  return (box.TextHeight() + height - 1) / height;
}

TEST(HelpDocument, HelpPagesWritesEveryPageAndRemovesStaleOnes) {
  ScratchFolder scratch;
  const int pages = ExpectedPages();
  ASSERT_GT(pages, 5);
  const fs::path folder = scratch.path / "pages";
  fs::create_directories(folder);
  char stale[32];
  for (int page : {pages + 1, pages + 2}) {
    std::snprintf(stale, sizeof stale, "page-%02d.png", page);
    ASSERT_TRUE(WriteFileBytes((folder / stale).string(), "old"));
  }

  const RunResult result = RunProgram(TAVLERO_TOOL_PATH, "help-pages '" + kHelpFile + "' '" + folder.string() + "'", scratch.path);
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "pages " + std::to_string(pages) + "\n");
  std::vector<std::string> written;
  for (const auto& entry : fs::directory_iterator(folder)) written.push_back(entry.path().filename().string());
  std::sort(written.begin(), written.end());
  ASSERT_EQ(written.size(), static_cast<std::size_t>(pages));  // the stale pages are gone
  EXPECT_EQ(written.front(), "page-01.png");

  // A page is a PNG of the help window's text box: width and height in its header.
  std::string png;
  ASSERT_TRUE(ReadFileBytes((folder / written.back()).string(), png));
  const int width = ODocumentView::TextWidth(HelpViewPlace(), kHelpScrollBarWidth);
  const int height = ODocumentView::TextHeight(HelpViewPlace());
  EXPECT_EQ(png.substr(16, 8), std::string({0, 0, char(width >> 8), char(width), 0, 0, char(height >> 8), char(height)}));
}

TEST(HelpDocument, HelpPagesRefusesAFolderItCannotWrite) {
  ScratchFolder scratch;
  ASSERT_TRUE(WriteFileBytes((scratch.path / "file").string(), "x"));
  const RunResult blocked =
      RunProgram(TAVLERO_TOOL_PATH, "help-pages '" + kHelpFile + "' '" + (scratch.path / "file" / "pages").string() + "'",
          scratch.path);
  EXPECT_EQ(blocked.exitCode, 1);
  EXPECT_EQ(blocked.out, "");
  EXPECT_EQ(std::count(blocked.err.begin(), blocked.err.end(), '\n'), 1) << blocked.err;
  EXPECT_EQ(RunProgram(TAVLERO_TOOL_PATH, "help-pages '" + kHelpFile + "'", scratch.path).exitCode, 2);
}

}  // namespace
}  // namespace tavlero
