// The endgame table file of kind 0: any bytes load as records. The positions its first
// keys describe are then searched with the table by the fast and the reference search,
// which must agree, and the computer makes its move in them.
#include <cstdint>
#include <memory>

#include "engine/fast_search.h"
#include "engine/kind_engine0.h"
#include "engine/kind_engines.h"
#include "fuzz_support.h"
#include "platform/random.h"

namespace {

using namespace tavlero;
using fuzz::Require;

constexpr int kPositionsTried = 6;
constexpr int kSearchPlies = 2;

// The kind-0 position a key stands for, side +1 to move: each of its four byte codes
// names a piece and its square (an unused slot is 64).
void PlaceKey(std::int32_t key, SearchEngine& engine) {
  std::fill(std::begin(engine.cells), std::end(engine.cells), 0);
  const auto bits = static_cast<std::uint32_t>(key);
  for (int shift = 0; shift < 32; shift += 8) {
    const int code = static_cast<int>((bits >> shift) & 0xFF);
    if (code < 32) engine.cells[31 - code] = -2;
    else if (code < 64) engine.cells[63 - code] = -1;
    else if (code >= 65 && code <= 96) engine.cells[code - 65] = 1;
    else if (code >= 97 && code <= 128) engine.cells[code - 97] = 2;
  }
  engine.player = 1;
  engine.evalState = 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzz::MemoryFile file(fuzz::AsText(data, size));
  auto table = std::make_shared<EndgameTable>();
  Require(table->Load(file.Path()), "an in-memory file did not open");
  Require(table->Size() <= size / 8, "more entries than whole records");

  int tried = 0;
  for (const auto& [key, score] : table->Entries()) {
    if (tried++ == kPositionsTried) break;
    std::unique_ptr<SearchEngine> reference = StartKindEngine(0);
    std::unique_ptr<SearchEngine> fast = StartKindEngine(0);
    static_cast<KindEngine0&>(*reference).ShareEndgameTable(table);
    static_cast<KindEngine0&>(*fast).ShareEndgameTable(table);
    PlaceKey(key, *reference);
    PlaceKey(key, *fast);
    fuzz::RequireSearchesAgree(*reference, *fast, kSearchPlies,
                               "the fast search scores an endgame otherwise than the reference");
    SeedRand(0);
    FastThink(*fast, kSearchPlies);
  }
  return 0;
}
