// JPEG decoding from memory and from files, into surfaces or plain buffers.
#include <cstdio>
#include <cstring>
#include <memory>

#include "gfx/jpeg_codec.h"
#include "gfx/jpeg_error.h"
#include "gfx/sheet.h"
#include "gfx/surface.h"

#include <jerror.h>

namespace tavlero {
namespace {

using jpeg_detail::InstallReturningErrors;
using jpeg_detail::ReturningErrorManager;

const JOCTET kEndOfImage[2] = {0xFF, JPEG_EOI};

// The library reads from the buffer it is given; the 6b interface has no memory source.
void InitSource(j_decompress_ptr) {}
void TermSource(j_decompress_ptr) {}

// Past the end of the data: hand over an end-of-image marker, so a truncated stream
// ends as a shortened picture (the library warns) rather than reading beyond the buffer.
boolean FillInput(j_decompress_ptr info) {
  WARNMS(info, JWRN_JPEG_EOF);
  info->src->next_input_byte = kEndOfImage;
  info->src->bytes_in_buffer = sizeof kEndOfImage;
  return TRUE;
}

void SkipInput(j_decompress_ptr info, long count) {
  if (count <= 0) return;
  jpeg_source_mgr* source = info->src;
  if (static_cast<std::size_t>(count) > source->bytes_in_buffer) {
    FillInput(info);
    return;
  }
  source->next_input_byte += count;
  source->bytes_in_buffer -= static_cast<std::size_t>(count);
}

// Where the decoded rows go. Begin is told the picture's size and may refuse it.
class RowSink {
 public:
  virtual ~RowSink() = default;
  virtual bool Begin(int width, int height) = 0;
  virtual std::uint8_t* Row(int y) = 0;  // y from the top; width x 3 bytes, blue green red
};

// Everything the decoder touches after the return point is set, kept behind one
// pointer fixed before it (automatic variables changed after setjmp are unreliable
// once longjmp returns there).
struct DecodeJob {
  jpeg_decompress_struct info;
  ReturningErrorManager errors;
  jpeg_source_mgr source;
  std::vector<JOCTET> line;
};

bool DecodeRows(const std::uint8_t* data, std::size_t length, RowSink& sink) {
  if (data == nullptr || length == 0) return false;
  auto job = std::make_unique<DecodeJob>();
  jpeg_decompress_struct* info = &job->info;
  std::memset(info, 0, sizeof *info);
  info->err = InstallReturningErrors(job->errors);
  if (setjmp(job->errors.returnPoint)) {
    jpeg_destroy_decompress(info);
    return false;
  }
  jpeg_create_decompress(info);

  job->source.init_source = InitSource;
  job->source.fill_input_buffer = FillInput;
  job->source.skip_input_data = SkipInput;
  job->source.resync_to_restart = jpeg_resync_to_restart;
  job->source.term_source = TermSource;
  job->source.next_input_byte = data;
  job->source.bytes_in_buffer = length;
  info->src = &job->source;

  jpeg_read_header(info, TRUE);
  info->out_color_space = JCS_RGB;
  const std::size_t pixels = static_cast<std::size_t>(info->image_width) * info->image_height;
  if (info->image_width > static_cast<unsigned>(OSheet::kMaxSide) ||
      info->image_height > static_cast<unsigned>(OSheet::kMaxSide) || pixels > JpegPixelLimit(length)) {
    jpeg_destroy_decompress(info);
    return false;
  }
  jpeg_start_decompress(info);
  const int width = static_cast<int>(info->output_width);
  const int height = static_cast<int>(info->output_height);
  if (info->output_components != 3 || !sink.Begin(width, height)) {
    jpeg_destroy_decompress(info);
    return false;
  }
  job->line.resize(static_cast<std::size_t>(width) * 3);
  while (info->output_scanline < info->output_height) {
    const int y = static_cast<int>(info->output_scanline);
    JSAMPROW rows[1] = {job->line.data()};
    if (jpeg_read_scanlines(info, rows, 1) != 1) break;
    std::uint8_t* target = sink.Row(y);
    const JOCTET* source = job->line.data();
    for (int x = 0; x < width; ++x, source += 3, target += 3) {
      target[0] = source[2];
      target[1] = source[1];
      target[2] = source[0];
    }
  }
  jpeg_finish_decompress(info);
  jpeg_destroy_decompress(info);
  return true;
}

class SurfaceSink : public RowSink {
 public:
  explicit SurfaceSink(OSurface& surface) : surface_(surface) {}
  bool Begin(int width, int height) override {
    if (surface_.HasPixels() && surface_.Width() == width && surface_.Height() == height) return true;
    return surface_.Resize(width, height) && surface_.HasPixels();
  }
  std::uint8_t* Row(int y) override { return surface_.Row(y); }

 private:
  OSurface& surface_;
};

class BufferSink : public RowSink {
 public:
  explicit BufferSink(std::vector<std::uint8_t>& bgr) : bgr_(bgr) {}
  bool Begin(int width, int height) override {
    width_ = width;
    height_ = height;
    bgr_.assign(static_cast<std::size_t>(width) * height * 3, 0);
    return true;
  }
  std::uint8_t* Row(int y) override { return bgr_.data() + static_cast<std::size_t>(y) * width_ * 3; }
  int width_ = 0, height_ = 0;

 private:
  std::vector<std::uint8_t>& bgr_;
};

}  // namespace

std::size_t JpegPixelLimit(std::size_t length) { return length * 1024; }

bool DecodeJpegMemory(OSurface& surface, const std::uint8_t* data, std::size_t length, int /*option*/) {
  SurfaceSink sink(surface);
  return DecodeRows(data, length, sink);
}

bool DecodeJpegToBgr(const std::uint8_t* data, std::size_t length, int& width, int& height,
                     std::vector<std::uint8_t>& bgr) {
  std::vector<std::uint8_t> decoded;
  BufferSink sink(decoded);
  if (!DecodeRows(data, length, sink)) return false;
  width = sink.width_;
  height = sink.height_;
  bgr.swap(decoded);
  return true;
}

bool OSurface::LoadJpegFile(OSurface& surface, const std::string& path, int option) {
  // A JPEG file larger than this is not a picture the program shows.
  constexpr long kMaxFileBytes = 64L << 20;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  std::vector<std::uint8_t> bytes;
  long size = -1;
  if (std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
  bool read = size > 0 && size <= kMaxFileBytes && std::fseek(file, 0, SEEK_SET) == 0;
  if (read) {
    bytes.resize(static_cast<std::size_t>(size));
    read = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
  }
  std::fclose(file);
  return read && DecodeJpegMemory(surface, bytes.data(), bytes.size(), option);
}

}  // namespace tavlero
