// CRC-32 with polynomial 0x04C11DB7 processed most significant bit first, start
// value 0xFFFFFFFF and final complement (the BZIP2 variant). The checksum of no
// bytes is 0.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tavlero {

std::uint32_t Crc32(const void* data, std::size_t length);

}  // namespace tavlero
