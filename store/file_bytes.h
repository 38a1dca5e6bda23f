// Whole-file reads and writes of raw bytes.
#pragma once

#include <string>
#include <string_view>

namespace tavlero {

// Reads every byte of the file into `bytes`. False when it cannot be opened or a
// read fails (a folder, say); `bytes` is then left unchanged.
bool ReadFileBytes(const std::string& path, std::string& bytes);

// Creates or truncates the file and writes the bytes. False on any failure.
bool WriteFileBytes(const std::string& path, std::string_view bytes);

}  // namespace tavlero
