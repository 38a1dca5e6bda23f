#include "app/working_folder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace tavlero {

namespace fs = std::filesystem;

namespace {

// Generated entries, relative to the data folder and to the working folder alike.
constexpr const char* kDataEntries[] = {"clp", "wav", "music", "cfg/help.dat", "cfg/endgames.dat"};

void LinkEntry(const fs::path& target, const fs::path& link) {
  std::error_code error;
  const auto status = fs::symlink_status(link, error);
  if (!error && fs::exists(status) && !fs::is_symlink(status)) return;  // the player's own
  if (fs::is_symlink(status)) {
    if (fs::read_symlink(link, error) == target && !error) return;
    fs::remove(link, error);
  }
  fs::create_symlink(target, link, error);
}

}  // namespace

std::string DefaultWorkingFolder() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg != nullptr && xdg[0] == '/') return (fs::path(xdg) / "tavlero").string();
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] != '\0') return (fs::path(home) / ".local/share/tavlero").string();
  return {};
}

bool PrepareWorkingFolder(const std::string& folder, const std::string& dataFolder, std::string& error) {
  if (folder.empty()) {
    error = "no home folder to keep the game's files in";
    return false;
  }
  std::error_code code;
  fs::create_directories(fs::path(folder) / "cfg", code);
  if (code) {
    error = "cannot create " + folder + "/cfg: " + code.message();
    return false;
  }
  const fs::path data = fs::absolute(dataFolder, code);
  for (const char* entry : kDataEntries) LinkEntry(data / entry, fs::path(folder) / entry);
  return true;
}

}  // namespace tavlero
