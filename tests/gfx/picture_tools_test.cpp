// tavlero-tool's picture commands as other programs read them (clp-export's lines and
// PNG files, clp-info's records), and the PNG writer's output decoded back.
#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>
#include <sys/wait.h>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "container_test_support.h"
#include "gfx/png_writer.h"

namespace tavlero {
namespace {

using testing_support::AlphaPattern;
using testing_support::Encode;
using testing_support::Pattern;
using testing_support::ScratchFolder;
using testing_support::WriteBytes;

struct ToolRun {
  int status = -1;
  std::string output;
};

ToolRun Tool(const std::string& arguments) {
  ToolRun run;
  const std::string command = std::string(TAVLERO_TOOL_PATH) + " " + arguments + " 2>/dev/null";
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.output.append(buffer, got);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

std::vector<std::uint8_t> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Reads a PNG as the writer makes it (8-bit RGBA, one zlib stream of fixed-Huffman or
// stored blocks, filters none/left/up) back into RGBA rows.
class PngReader {
 public:
  bool Read(const std::vector<std::uint8_t>& file, int& width, int& height, std::vector<std::uint8_t>& rgba) {
    static const std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (file.size() < 8 || !std::equal(kSignature, kSignature + 8, file.begin())) return false;
    std::vector<std::uint8_t> idat;
    for (std::size_t at = 8; at + 12 <= file.size();) {
      const std::uint32_t length = Big(file, at);
      const std::string type(file.begin() + at + 4, file.begin() + at + 8);
      if (at + 12 + length > file.size()) return false;
      if (Crc(file.data() + at + 4, length + 4) != Big(file, at + 8 + length)) return false;
      if (type == "IHDR") {
        width = static_cast<int>(Big(file, at + 8));
        height = static_cast<int>(Big(file, at + 12));
        if (file[at + 16] != 8 || file[at + 17] != 6) return false;
      } else if (type == "IDAT") {
        idat.insert(idat.end(), file.begin() + at + 8, file.begin() + at + 8 + length);
      }
      at += 12 + length;
    }
    std::vector<std::uint8_t> raw;
    if (!Inflate(idat, raw)) return false;
    const std::size_t row = static_cast<std::size_t>(width) * 4;
    if (raw.size() != (row + 1) * height) return false;
    rgba.assign(row * height, 0);
    for (int y = 0; y < height; ++y) {
      const std::uint8_t filter = raw[(row + 1) * y];
      for (std::size_t i = 0; i < row; ++i) {
        int predictor = 0;
        if (filter == 1 && i >= 4) predictor = rgba[row * y + i - 4];
        if (filter == 2 && y > 0) predictor = rgba[row * (y - 1) + i];
        if (filter > 2) return false;
        rgba[row * y + i] = static_cast<std::uint8_t>(raw[(row + 1) * y + 1 + i] + predictor);
      }
    }
    return true;
  }

 private:
  static std::uint32_t Big(const std::vector<std::uint8_t>& b, std::size_t at) {
    return (static_cast<std::uint32_t>(b[at]) << 24) | (b[at + 1] << 16) | (b[at + 2] << 8) | b[at + 3];
  }
  static std::uint32_t Crc(const std::uint8_t* data, std::size_t length) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < length; ++i) {
      crc ^= data[i];
      for (int k = 0; k < 8; ++k) crc = (crc & 1) ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
    }
    return crc ^ 0xFFFFFFFFu;
  }
  int Bit() {
    if (bit_ >= data_->size() * 8) throw std::runtime_error("out of data");
    const int value = ((*data_)[bit_ / 8] >> (bit_ % 8)) & 1;
    ++bit_;
    return value;
  }
  int Bits(int count) {
    int value = 0;
    for (int i = 0; i < count; ++i) value |= Bit() << i;
    return value;
  }
  int Literal() {
    int code = 0;
    for (int length = 1; length <= 9; ++length) {
      code = (code << 1) | Bit();
      if (length == 7 && code <= 23) return 256 + code;
      if (length == 8 && code >= 48 && code <= 191) return code - 48;
      if (length == 8 && code >= 192 && code <= 199) return 280 + code - 192;
      if (length == 9 && code >= 400) return 144 + code - 400;
    }
    throw std::runtime_error("bad code");
  }
  bool Inflate(const std::vector<std::uint8_t>& zlib, std::vector<std::uint8_t>& out) {
    static const int kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                        31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
    static const int kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
    static const int kDistanceBase[30] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
                                          193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
    static const int kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
    if (zlib.size() < 6 || ((zlib[0] << 8) | zlib[1]) % 31 != 0) return false;
    std::vector<std::uint8_t> body(zlib.begin() + 2, zlib.end() - 4);
    data_ = &body;
    bit_ = 0;
    try {
      for (bool last = false; !last;) {
        last = Bit();
        const int type = Bits(2);
        if (type != 1) return false;
        for (;;) {
          const int symbol = Literal();
          if (symbol < 256) {
            out.push_back(static_cast<std::uint8_t>(symbol));
            continue;
          }
          if (symbol == 256) break;
          const int l = symbol - 257;
          const int length = kLengthBase[l] + Bits(kLengthExtra[l]);
          int d = 0;
          for (int i = 0; i < 5; ++i) d = (d << 1) | Bit();
          const int distance = kDistanceBase[d] + Bits(kDistanceExtra[d]);
          if (distance > static_cast<int>(out.size())) return false;
          for (int i = 0; i < length; ++i) out.push_back(out[out.size() - distance]);
        }
      }
    } catch (const std::exception&) {
      return false;
    }
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : out) {
      a = (a + byte) % 65521;
      b = (b + a) % 65521;
    }
    const std::size_t n = zlib.size();
    const std::uint32_t stored = (static_cast<std::uint32_t>(zlib[n - 4]) << 24) | (zlib[n - 3] << 16) | (zlib[n - 2] << 8) | zlib[n - 1];
    return stored == ((b << 16) | a);
  }

  const std::vector<std::uint8_t>* data_ = nullptr;
  std::size_t bit_ = 0;
};

TEST(PicturePng, WriterOutputDecodesToTheSamePixels) {
  // Long runs, repeats at many distances and noise exercise every path of the coder.
  const int width = 97, height = 61;
  std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4);
  for (std::size_t i = 0; i < rgba.size(); ++i)
    rgba[i] = static_cast<std::uint8_t>(i % 1024 < 400 ? 200 : (i * 2654435761u) >> 24 ^ (i / 97));
  int w = 0, h = 0;
  std::vector<std::uint8_t> back;
  ASSERT_TRUE(PngReader().Read(EncodePngRgba(width, height, rgba.data()), w, h, back));
  EXPECT_EQ(w, width);
  EXPECT_EQ(h, height);
  EXPECT_EQ(back, rgba);
}

TEST(PictureTools, ClpExportWritesEveryFrameAndDescribesIt) {
  ScratchFolder folder;
  PictureContainer container;
  container.AddFrame(PictureFrame::Raw(3, 2, Pattern(3, 2, 1), AlphaPattern(3, 2)));
  auto keyed = Pattern(2, 2, 2);
  keyed[0] = 0x11, keyed[1] = 0x22, keyed[2] = 0x33;  // top-left 0x332211
  container.AddFrame(PictureFrame::Raw(2, 2, keyed));
  container.AddSequence() = {{5, -6, 0, -1, 1, 0, 0}};
  container.AddSequence() = {{0, 0, 1, 0x332211, 3, 0, -1}, {1, 2, 0, 0x1000000, 5, 7, 8}};
  const std::string file = folder.File("two.clp");
  WriteBytes(file, Encode(container));
  const std::string out = folder.File("frames");

  const ToolRun run = Tool("clp-export " + file + " " + out);
  ASSERT_EQ(run.status, 0);
  char topLeft[16];
  std::snprintf(topLeft, sizeof topLeft, "0x%02X%02X%02X", Pattern(3, 2, 1)[2], Pattern(3, 2, 1)[1], Pattern(3, 2, 1)[0]);
  EXPECT_EQ(run.output, "0 0 3 2 5 -6 -1 1 0 0\n"
                        "1 0 2 2 0 0 0x332211 3 0 -1\n"
                        "1 1 3 2 1 2 " + std::string(topLeft) + " 5 7 8\n");

  // Opacity is 255 minus the plane; the key colour is fully transparent.
  int w = 0, h = 0;
  std::vector<std::uint8_t> rgba;
  ASSERT_TRUE(PngReader().Read(ReadAll(out + "/s0_f0.png"), w, h, rgba));
  ASSERT_EQ(w, 3);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(rgba[i * 4 + 3], 255 - AlphaPattern(3, 2)[i]);
  EXPECT_EQ(rgba[0], Pattern(3, 2, 1)[2]) << "red first";
  ASSERT_TRUE(PngReader().Read(ReadAll(out + "/s1_f0.png"), w, h, rgba));
  EXPECT_EQ(rgba[3], 0);
  EXPECT_EQ(rgba[7], 255);
  EXPECT_TRUE(std::filesystem::exists(out + "/s1_f1.png"));

  EXPECT_NE(Tool("clp-export " + folder.File("missing.clp") + " " + out).status, 0);
}

TEST(PictureTools, ClpInfoListsTheRecordsAndWhereAFileBreaksOff) {
  ScratchFolder folder;
  PictureContainer container;
  container.sheetWidth = 10;
  container.sheetHeight = 4;
  container.AddFrame(PictureFrame::Jpeg(8, 4, Pattern(8, 4, 3)));
  container.AddSequence() = {{2, 3, 0, 0xFFFFFF, 1, 0, 0}};
  auto bytes = Encode(container);
  const std::string file = folder.File("one.clp");
  WriteBytes(file, bytes);
  ToolRun run = Tool("clp-info " + file);
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.output.find("frames: 1  sequences: 1  sheet: 10x4"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("frame 0: 8x4 type 10 (jpeg) chunk plain "), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("  entry 0: frame 0 offset 2,3 key 0xFFFFFF step 1 0 0"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("end: all records read"), std::string::npos);

  bytes.resize(bytes.size() - 10);
  WriteBytes(file, bytes);
  run = Tool("clp-info " + file);
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find("stopped: short sequence entry"), std::string::npos) << run.output;
}

}  // namespace
}  // namespace tavlero
