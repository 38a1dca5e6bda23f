#include "gfx/png_writer.h"

#include <array>
#include <cstdio>
#include <cstdlib>

#include "gfx/surface.h"

namespace tavlero {
namespace {

// PNG's checksum: the reflected CRC-32 (polynomial 0xEDB88320).
std::uint32_t PngCrc(const std::uint8_t* data, std::size_t length, std::uint32_t crc = 0xFFFFFFFFu) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  for (std::size_t i = 0; i < length; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return crc;
}

class BitWriter {
 public:
  explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}
  void Bits(std::uint32_t value, int count) {  // least significant bit first
    buffer_ |= static_cast<std::uint64_t>(value) << used_;
    used_ += count;
    while (used_ >= 8) {
      out_.push_back(static_cast<std::uint8_t>(buffer_));
      buffer_ >>= 8;
      used_ -= 8;
    }
  }
  // Huffman codes are sent most significant bit first.
  void Code(std::uint32_t code, int length) {
    std::uint32_t reversed = 0;
    for (int i = 0; i < length; ++i) reversed |= ((code >> i) & 1u) << (length - 1 - i);
    Bits(reversed, length);
  }
  void Flush() {
    if (used_ > 0) out_.push_back(static_cast<std::uint8_t>(buffer_));
    buffer_ = 0;
    used_ = 0;
  }

 private:
  std::vector<std::uint8_t>& out_;
  std::uint64_t buffer_ = 0;
  int used_ = 0;
};

void Literal(BitWriter& bits, int value) {
  if (value < 144)
    bits.Code(0x30 + value, 8);
  else if (value < 256)
    bits.Code(0x190 + value - 144, 9);
  else if (value < 280)
    bits.Code(value - 256, 7);
  else
    bits.Code(0xC0 + value - 280, 8);
}

constexpr int kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                 31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr int kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr int kDistanceBase[30] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
                                   193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr int kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

void Match(BitWriter& bits, int length, int distance) {
  int l = 28;
  while (kLengthBase[l] > length) --l;
  Literal(bits, 257 + l);
  bits.Bits(length - kLengthBase[l], kLengthExtra[l]);
  int d = 29;
  while (kDistanceBase[d] > distance) --d;
  bits.Code(d, 5);
  bits.Bits(distance - kDistanceBase[d], kDistanceExtra[d]);
}

// zlib stream of one fixed-Huffman block, matches found through 3-byte hash chains.
std::vector<std::uint8_t> Deflate(const std::vector<std::uint8_t>& data) {
  constexpr int kWindow = 32768, kMaxLength = 258, kHashSize = 1 << 15, kMaxChain = 32;
  std::vector<std::uint8_t> out = {0x78, 0x01};
  BitWriter bits(out);
  bits.Bits(1, 1);  // final block
  bits.Bits(1, 2);  // fixed Huffman codes
  const std::size_t n = data.size();
  std::vector<int> head(kHashSize, -1);
  std::vector<int> previous(kWindow, -1);
  auto hash = [&](std::size_t i) {
    return ((data[i] << 10) ^ (data[i + 1] << 5) ^ data[i + 2]) & (kHashSize - 1);
  };
  auto insert = [&](std::size_t i) {
    if (i + 2 >= n) return;
    const int h = hash(i);
    previous[i % kWindow] = head[h];
    head[h] = static_cast<int>(i);
  };
  std::size_t i = 0;
  while (i < n) {
    int bestLength = 0, bestDistance = 0;
    if (i + 2 < n) {
      int candidate = head[hash(i)];
      const int limit = static_cast<int>(std::min<std::size_t>(kMaxLength, n - i));
      for (int chain = 0; candidate >= 0 && chain < kMaxChain; ++chain) {
        const int distance = static_cast<int>(i) - candidate;
        if (distance > kWindow - 1 || distance <= 0) break;
        int length = 0;
        while (length < limit && data[candidate + length] == data[i + length]) ++length;
        if (length > bestLength) {
          bestLength = length;
          bestDistance = distance;
          if (length == limit) break;
        }
        const int next = previous[candidate % kWindow];
        if (next >= candidate) break;
        candidate = next;
      }
    }
    if (bestLength >= 3) {
      Match(bits, bestLength, bestDistance);
      for (int k = 0; k < bestLength; ++k) insert(i + k);
      i += bestLength;
    } else {
      Literal(bits, data[i]);
      insert(i);
      ++i;
    }
  }
  Literal(bits, 256);
  bits.Flush();
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t byte : data) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  const std::uint32_t adler = (b << 16) | a;
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(adler >> shift));
  return out;
}

void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void Chunk(std::vector<std::uint8_t>& out, const char type[4], const std::vector<std::uint8_t>& data) {
  PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  PutBigEndian(out, PngCrc(out.data() + start, out.size() - start) ^ 0xFFFFFFFFu);
}

// Each row gets the filter (none, left, up) that leaves the smallest differences.
std::vector<std::uint8_t> FilterRows(int width, int height, const std::uint8_t* rgba) {
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
  std::vector<std::uint8_t> out;
  out.reserve((rowBytes + 1) * height);
  std::vector<std::uint8_t> candidate[3];
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = rgba + rowBytes * y;
    const std::uint8_t* above = y > 0 ? row - rowBytes : nullptr;
    long best = -1;
    int bestFilter = 0;
    for (int f = 0; f < 3; ++f) {
      candidate[f].resize(rowBytes);
      long sum = 0;
      for (std::size_t i = 0; i < rowBytes; ++i) {
        int predictor = 0;
        if (f == 1 && i >= 4) predictor = row[i - 4];
        if (f == 2 && above) predictor = above[i];
        const auto value = static_cast<std::uint8_t>(row[i] - predictor);
        candidate[f][i] = value;
        sum += value < 128 ? value : 256 - value;
      }
      if (best < 0 || sum < best) {
        best = sum;
        bestFilter = f;
      }
    }
    out.push_back(static_cast<std::uint8_t>(bestFilter));
    out.insert(out.end(), candidate[bestFilter].begin(), candidate[bestFilter].end());
  }
  return out;
}

}  // namespace

std::vector<std::uint8_t> EncodePngRgba(int width, int height, const std::uint8_t* rgba) {
  static const std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> out(kSignature, kSignature + 8);
  std::vector<std::uint8_t> header;
  PutBigEndian(header, static_cast<std::uint32_t>(width));
  PutBigEndian(header, static_cast<std::uint32_t>(height));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8-bit RGBA, deflate, no interlace
  Chunk(out, "IHDR", header);
  Chunk(out, "IDAT", Deflate(FilterRows(width, height, rgba)));
  Chunk(out, "IEND", {});
  return out;
}

bool WritePngRgba(const std::string& path, int width, int height, const std::uint8_t* rgba) {
  if (width <= 0 || height <= 0 || rgba == nullptr) return false;
  const std::vector<std::uint8_t> bytes = EncodePngRgba(width, height, rgba);
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

std::vector<std::uint8_t> SurfaceToRgba(const OSurface& surface, bool keyTransparent) {
  const int width = surface.Width(), height = surface.Height();
  std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4);
  if (!surface.HasPixels()) return rgba;
  const bool plane = surface.TransparencyPlane() != nullptr;
  std::uint8_t* out = rgba.data();
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* pixel = surface.Row(y);
    for (int x = 0; x < width; ++x, pixel += 3, out += 4) {
      out[0] = pixel[2];
      out[1] = pixel[1];
      out[2] = pixel[0];
      const std::uint32_t colour = pixel[0] | (pixel[1] << 8) | (static_cast<std::uint32_t>(pixel[2]) << 16);
      if (keyTransparent && surface.colourKey >= 0 && colour == static_cast<std::uint32_t>(surface.colourKey))
        out[3] = 0;
      else
        out[3] = static_cast<std::uint8_t>(plane ? 255 - surface.TransparencyAt(x, y) : 255);
    }
  }
  return rgba;
}

bool WriteSurfacePng(const OSurface& surface, const std::string& path, bool keyTransparent) {
  const std::vector<std::uint8_t> rgba = SurfaceToRgba(surface, keyTransparent);
  return WritePngRgba(path, surface.Width(), surface.Height(), rgba.data());
}

}  // namespace tavlero
