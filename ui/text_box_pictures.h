// The pictures a markup text names: filled by "<add_clip_...>" and "<add_jpeg_...>" tags,
// looked up by "<pic_...>" tags. A name is loaded once; later tags with the same name
// keep the first picture. A file that cannot be read gives a small red square, so the
// page shows where its picture is missing.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "gfx/surface.h"

namespace tavlero {

class OTextPictures {
 public:
  static constexpr int kMissingSize = 10;
  static constexpr std::uint32_t kMissingColour = 0xFF0000;

  // The first picture of a picture container.
  void AddContainerPicture(std::string_view name, std::string_view file);
  void AddJpegPicture(std::string_view name, std::string_view file);

  // Null when no picture has that name.
  const OSurface* Find(std::string_view name) const;
  std::size_t Size() const { return pictures_.size(); }

 private:
  bool Has(std::string_view name) const { return Find(name) != nullptr; }
  void Store(std::string_view name, std::unique_ptr<OSurface> picture);

  std::map<std::string, std::unique_ptr<OSurface>, std::less<>> pictures_;
};

}  // namespace tavlero
