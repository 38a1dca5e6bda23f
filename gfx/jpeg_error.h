// The JPEG library's error manager with a non-local return: a fatal error jumps back
// to the setjmp point of the call in progress instead of ending the process, and the
// library's warnings and trace messages are not printed.
#pragma once

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace tavlero::jpeg_detail {

struct ReturningErrorManager {
  jpeg_error_mgr base;  // first, so the library's pointer converts back
  std::jmp_buf returnPoint;
};

inline void JumpBack(j_common_ptr info) {
  auto* manager = reinterpret_cast<ReturningErrorManager*>(info->err);
  std::longjmp(manager->returnPoint, 1);
}

inline void Silent(j_common_ptr) {}

inline jpeg_error_mgr* InstallReturningErrors(ReturningErrorManager& manager) {
  jpeg_error_mgr* base = jpeg_std_error(&manager.base);
  base->error_exit = JumpBack;
  base->output_message = Silent;
  return base;
}

}  // namespace tavlero::jpeg_detail
