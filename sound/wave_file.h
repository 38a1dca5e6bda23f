// RIFF WAVE files: the effects are stored as canonical 44-byte-header PCM files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/audio_system.h"

namespace tavlero {

// Reads a PCM wave file held in memory (8-bit unsigned or 16-bit signed, any rate and
// channel count). A data chunk that claims more bytes than the file holds gives the
// samples that are there. False for anything that is not such a file.
bool ParseWave(const std::vector<std::uint8_t>& file, platform::PcmSound& sound);

// The file with the canonical 44-byte header.
std::vector<std::uint8_t> EncodeWave(const platform::PcmSound& sound);

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes);
bool ReadWaveFile(const std::string& path, platform::PcmSound& sound);
bool WriteWaveFile(const std::string& path, const platform::PcmSound& sound);

}  // namespace tavlero
