// Builds picture container files (".clp"): the exact inverse of OSprite::Load.
//
//   PictureContainer clp;
//   int f = clp.AddFrame(PictureFrame::Raw(w, h, bgr, alpha));
//   clp.AddSequence().push_back({.frame = f, .colourKey = 0xFF00FF, .command = 1});
//   std::string error;
//   WritePictureContainer(clp, "clp/example.clp", error);
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gfx/picture_container_format.h"

namespace tavlero {

struct PictureFrame {
  int width = 0, height = 0;
  std::int32_t type = clp::kTypeRaw;
  std::vector<std::uint8_t> bgr;    // width x height x 3, rows top-down, blue green red
  std::vector<std::uint8_t> alpha;  // width x height, rows top-down; types with a plane only
  int jpegQuality = 90;             // JPEG types
  // JPEG types: when not empty, this stream is stored as it is instead of compressing bgr.
  std::vector<std::uint8_t> jpegStream;

  static PictureFrame Raw(int width, int height, std::vector<std::uint8_t> bgr,
                          std::vector<std::uint8_t> alpha = {});
  static PictureFrame Jpeg(int width, int height, std::vector<std::uint8_t> bgr,
                           std::vector<std::uint8_t> alpha = {}, int quality = 90);
};

struct PictureSequenceEntry {
  int offsetX = 0, offsetY = 0;
  int frame = 0;
  std::int32_t colourKey = clp::kNoKey;
  int command = 0, argument1 = 0, argument2 = 0;
};

struct PictureContainer {
  int sheetWidth = 0, sheetHeight = 0;  // 0 x 0: every frame has a bitmap of its own
  std::vector<PictureFrame> frames;
  std::vector<std::vector<PictureSequenceEntry>> sequences;

  int AddFrame(PictureFrame frame) {
    frames.push_back(std::move(frame));
    return static_cast<int>(frames.size()) - 1;
  }
  std::vector<PictureSequenceEntry>& AddSequence() { return sequences.emplace_back(); }
};

// The file's bytes. False with a message when the container cannot be written as it
// stands (too many frames, pixel buffers of the wrong size, a sequence naming a frame
// that does not exist, a JPEG that cannot be compressed).
bool EncodePictureContainer(const PictureContainer& container, std::vector<std::uint8_t>& bytes,
                            std::string& error);
bool WritePictureContainer(const PictureContainer& container, const std::string& path,
                           std::string& error);

}  // namespace tavlero
