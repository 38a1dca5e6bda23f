// Writing PNG files for people to look at (exported frames, contact sheets, test
// output). Self-contained: 8-bit RGBA, compressed with a small LZ77 + fixed-Huffman
// deflate, so it needs no image library.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tavlero {

class OSurface;

// width x height pixels of 4 bytes, red, green, blue, alpha (255 opaque), rows top-down.
bool WritePngRgba(const std::string& path, int width, int height, const std::uint8_t* rgba);
// The same PNG file in memory.
std::vector<std::uint8_t> EncodePngRgba(int width, int height, const std::uint8_t* rgba);

// A surface as RGBA rows top-down: its transparency plane becomes the opacity
// (255 - value) and, when `keyTransparent`, pixels of its colour key are fully transparent.
std::vector<std::uint8_t> SurfaceToRgba(const OSurface& surface, bool keyTransparent);
bool WriteSurfacePng(const OSurface& surface, const std::string& path, bool keyTransparent = true);

}  // namespace tavlero
