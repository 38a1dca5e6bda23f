// tavlero-tool help-pages FILE OUTDIR: lays a sealed help document out exactly as the
// help window does (its text style, its text box size, pixel scrolling) and writes
// every page as OUTDIR/page-NN.png, NN from 01, so the whole document can be read
// without scrolling. Page k shows the text from pixel (k - 1) x the box height, as
// Page Down steps through it from the top. Prints "pages N".
//
// Pictures named in the document are found relative to the current folder, as the
// game finds them in its own folder; when the current folder has no clp/ folder they
// come from the game's data folder. A file that cannot be read shows what the help
// window shows then ("Invalid file"), with a warning.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "app/data_location.h"
#include "command.h"
#include "gfx/png_writer.h"
#include "platform/sdl/sdl_text_renderer.h"
#include "platform/services.h"
#include "ui/document_view.h"
#include "ui/help_window.h"
#include "ui/text_box.h"

#ifndef TAVLERO_DATA_DIR
#define TAVLERO_DATA_DIR "data"
#endif

namespace tavlero::tool {
namespace {

namespace fs = std::filesystem;

int RunHelpPages(const std::vector<std::string>& args);

const ToolCommand kHelpPages{"help-pages", "help-pages FILE OUTDIR",
                             "write every page of the help document, as the help window shows it, as PNG files",
                             RunHelpPages};
const ToolCommandRegistration kHelpPagesRegistration{kHelpPages};

std::string PageName(int page) {
  char name[32];
  std::snprintf(name, sizeof name, "page-%02d.png", page);
  return name;
}

// Page files left over from a longer document would read as part of this one.
void RemoveStalePages(const fs::path& folder, int pages) {
  std::error_code error;
  for (int page = pages + 1;; ++page) {
    if (!fs::remove(folder / PageName(page), error)) break;
  }
}

void EnterPictureFolder() {
  std::error_code error;
  if (fs::is_directory("clp", error)) return;
  const std::string data = GameDataFolder(TAVLERO_DATA_DIR);
  if (fs::is_directory(fs::path(data) / "clp", error) && chdir(data.c_str()) != 0) {
    std::fprintf(stderr, "help-pages: cannot enter %s; pictures will be missing\n", data.c_str());
  }
}

int RunHelpPages(const std::vector<std::string>& args) {
  if (args.size() != 2 || args[0].empty() || args[1].empty()) return UsageError(kHelpPages);
  std::error_code error;
  const fs::path file = fs::absolute(args[0], error);
  const fs::path folder = fs::absolute(args[1], error);
  fs::create_directories(folder, error);
  if (!fs::is_directory(folder) || access(folder.c_str(), W_OK) != 0) {
    std::fprintf(stderr, "help-pages: cannot write into %s\n", args[1].c_str());
    return 1;
  }

  platform::SdlTextRenderer renderer;
  platform::Services services = platform::CurrentServices();
  services.text = &renderer;
  platform::ScopedServices scoped(services);
  EnterPictureFolder();

  const std::string text = LoadDocumentText(file.string(), kHelpKey);
  if (text == "Invalid file") {
    std::fprintf(stderr, "help-pages: %s cannot be read or unsealed; the pages show what the help window shows\n",
                 args[0].c_str());
  }

  const DocumentViewPlace place = HelpViewPlace();
  const OTextStyle style = HelpTextStyle();
  const int width = std::max(1, ODocumentView::TextWidth(place, kHelpScrollBarWidth));
  const int height = std::max(1, ODocumentView::TextHeight(place));
  OTextBox box(&style, 0, 0, width, height);
  box.SetText(text, 0, false);
  const int pages = std::max(1, (box.TextHeight() + height - 1) / height);

  for (int page = 1; page <= pages; ++page) {
    box.Render((page - 1) * height, true);
    // The box keys its background out; on paper it is the page's colour.
    OSurface sheet(width, height);
    sheet.clearColour = style.backgroundColour;
    sheet.Clear();
    sheet.Draw(&box.Surface(), 0, 0);
    const fs::path path = folder / PageName(page);
    if (!WriteSurfacePng(sheet, path.string(), false)) {
      std::fprintf(stderr, "help-pages: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  RemoveStalePages(folder, pages);
  std::printf("pages %d\n", pages);
  return 0;
}

}  // namespace
}  // namespace tavlero::tool
