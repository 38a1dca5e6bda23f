// Sealed files as they lie on disk. The first byte picks the key: one of the three the
// program reads its files with, or the picture chunks' key, whose block layer is used
// alone. The rest is refused or unsealed without harm, and as content it must survive
// sealing and unsealing whole.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "game/game_history.h"
#include "gfx/picture_container_format.h"
#include "store/block_cipher.h"
#include "store/game_options.h"
#include "store/sealed_file.h"
#include "ui/help_window.h"

namespace {

using tavlero::fuzz::Require;

constexpr std::string_view kFileKeys[] = {tavlero::kOptionsKey, tavlero::kSavedGameKey, tavlero::kHelpKey};

// The picture loader's use of the block layer: an output of the stored length + 10.
void DecipherChunk(std::string_view stored) {
  std::vector<std::uint8_t> plain(stored.size() + 10);
  const auto count = static_cast<std::ptrdiff_t>(stored.size());
  const std::ptrdiff_t length = tavlero::DecipherBuffer(stored.data(), count, plain.data(),
                                                        static_cast<std::ptrdiff_t>(plain.size()),
                                                        tavlero::clp::kChunkKey);
  const std::ptrdiff_t whole = count - count % 8;
  Require(whole < 8 ? length == 0 : length >= whole - 8 - 128 && length <= whole - 8 + 127,
          "the deciphered length is not the last block's count");
  // Too small an output: nothing is deciphered and the whole-block length comes back.
  if (whole >= 8) {
    Require(tavlero::DecipherBuffer(stored.data(), count, plain.data(), whole - 1, tavlero::clp::kChunkKey) == whole,
            "a short output did not report the length it needs");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const tavlero::fuzz::Selector selector = tavlero::fuzz::TakeSelector(tavlero::fuzz::AsText(data, size));
  const unsigned choice = selector.value % 4;
  if (choice == 3) {
    DecipherChunk(selector.rest);
    return 0;
  }
  const std::string_view key = kFileKeys[choice];
  std::string content = "unchanged";
  if (!tavlero::UnsealBytes(selector.rest, content, key)) Require(content == "unchanged", "a refused file changed the content");

  std::string back;
  Require(tavlero::UnsealBytes(tavlero::SealBytes(selector.rest, key), back, key) && back == selector.rest,
          "sealed content does not unseal to itself");
  return 0;
}
