#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tavlero::platform {

// True when the bytes are a Standard MIDI File whose chunks all lie inside it: the
// header chunk first, then at least as many track chunks as the header counts (other
// chunk kinds are skipped, as the format allows). The synthesiser accepts far worse and
// plays a moment of silence, so files are checked before they reach it.
bool IsWellFormedMidi(const std::uint8_t* data, std::size_t size);
bool IsWellFormedMidiFile(const std::string& path);

}  // namespace tavlero::platform
