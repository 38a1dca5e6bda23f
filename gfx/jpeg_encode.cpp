// JPEG compression into memory (used by the picture container writer).
#include <cstring>
#include <memory>
#include <new>

#include "gfx/jpeg_codec.h"
#include "gfx/jpeg_error.h"

#include <jerror.h>

namespace tavlero {
namespace {

using jpeg_detail::InstallReturningErrors;
using jpeg_detail::ReturningErrorManager;

constexpr std::size_t kChunk = 16384;

// Destination manager that grows a vector chunk by chunk.
struct VectorDestination {
  jpeg_destination_mgr base;  // first, so the library's pointer converts back
  std::vector<JOCTET>* out;
};

void InitDestination(j_compress_ptr info) {
  auto* destination = reinterpret_cast<VectorDestination*>(info->dest);
  try {
    destination->out->resize(kChunk);
  } catch (const std::bad_alloc&) {
    ERREXIT1(info, JERR_OUT_OF_MEMORY, 0);
  }
  destination->base.next_output_byte = destination->out->data();
  destination->base.free_in_buffer = kChunk;
}

boolean EmptyOutput(j_compress_ptr info) {
  auto* destination = reinterpret_cast<VectorDestination*>(info->dest);
  // The library calls this with the whole buffer full, whatever free_in_buffer says.
  const std::size_t used = destination->out->size();
  try {
    destination->out->resize(used + kChunk);
  } catch (const std::bad_alloc&) {
    ERREXIT1(info, JERR_OUT_OF_MEMORY, 0);
  }
  destination->base.next_output_byte = destination->out->data() + used;
  destination->base.free_in_buffer = kChunk;
  return TRUE;
}

void TermDestination(j_compress_ptr info) {
  auto* destination = reinterpret_cast<VectorDestination*>(info->dest);
  destination->out->resize(destination->out->size() - destination->base.free_in_buffer);
}

struct EncodeJob {
  jpeg_compress_struct info;
  ReturningErrorManager errors;
  VectorDestination destination;
  std::vector<JOCTET> line;
  std::vector<JOCTET> stream;
};

}  // namespace

bool EncodeJpegFromBgr(const std::uint8_t* bgr, int width, int height, int quality,
                       std::vector<std::uint8_t>& jpeg) {
  if (bgr == nullptr || width <= 0 || height <= 0 || width > 65500 || height > 65500) return false;
  auto job = std::make_unique<EncodeJob>();
  jpeg_compress_struct* info = &job->info;
  std::memset(info, 0, sizeof *info);
  info->err = InstallReturningErrors(job->errors);
  if (setjmp(job->errors.returnPoint)) {
    jpeg_destroy_compress(info);
    return false;
  }
  jpeg_create_compress(info);
  job->destination.base.init_destination = InitDestination;
  job->destination.base.empty_output_buffer = EmptyOutput;
  job->destination.base.term_destination = TermDestination;
  job->destination.out = &job->stream;
  info->dest = &job->destination.base;

  info->image_width = static_cast<JDIMENSION>(width);
  info->image_height = static_cast<JDIMENSION>(height);
  info->input_components = 3;
  info->in_color_space = JCS_RGB;
  jpeg_set_defaults(info);
  jpeg_set_quality(info, quality < 1 ? 1 : quality > 100 ? 100 : quality, TRUE);
  // Full-resolution colour: pictures with lettering and thin coloured lines keep
  // their edges.
  for (int c = 0; c < info->num_components; ++c) {
    info->comp_info[c].h_samp_factor = 1;
    info->comp_info[c].v_samp_factor = 1;
  }
  info->optimize_coding = TRUE;
  jpeg_start_compress(info, TRUE);
  job->line.resize(static_cast<std::size_t>(width) * 3);
  while (info->next_scanline < info->image_height) {
    const std::uint8_t* source = bgr + static_cast<std::size_t>(info->next_scanline) * width * 3;
    JOCTET* target = job->line.data();
    for (int x = 0; x < width; ++x, source += 3, target += 3) {
      target[0] = source[2];
      target[1] = source[1];
      target[2] = source[0];
    }
    JSAMPROW rows[1] = {job->line.data()};
    jpeg_write_scanlines(info, rows, 1);
  }
  jpeg_finish_compress(info);
  jpeg_destroy_compress(info);
  jpeg.swap(job->stream);
  return true;
}

}  // namespace tavlero
