#include "app/data_location.h"

#include <filesystem>
#include <system_error>

namespace tavlero {

namespace fs = std::filesystem;

std::string GameDataFolder(const std::string& builtInFolder, const std::string& executable) {
  std::error_code error;
  const fs::path program = fs::canonical(executable, error);
  if (error) return builtInFolder;
  const fs::path installed = (program.parent_path() / ".." / "share" / "tavlero").lexically_normal();
  if (fs::is_directory(installed / "clp", error)) return installed.string();
  return builtInFolder;
}

}  // namespace tavlero
