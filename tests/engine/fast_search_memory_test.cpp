// The fast search takes no memory per position searched: every allocation of this
// test program is counted, and a deep search, once its tables exist, makes at most
// the few allocations of its root (the tie list, the capture path it hands back).
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <new>

#include "engine/fast_search.h"
#include "engine/kind_engines.h"
#include "game/opening.h"
#include "platform/random.h"

namespace {
long long allocations = 0;
}  // namespace

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer owns operator new; it reports every allocation to a hook instead.
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*)(const volatile void*, std::size_t),
                                                          void (*)(const volatile void*));
namespace {
const int kHooked = __sanitizer_install_malloc_and_free_hooks([](const volatile void*, std::size_t) { ++allocations; },
                                                              [](const volatile void*) {});
}  // namespace
#else
void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
#endif

namespace tavlero {
namespace {

// A middle-game position of the kind with a choice of moves: at least ten moves of
// level-0 play from the start.
std::unique_ptr<SearchEngine> MiddleGame(int kind) {
  SeedRand(31 + kind);
  std::unique_ptr<SearchEngine> e = StartKindEngine(kind);
  if (kind == 2) ApplyBoardOpening(2, *e, true, true);
  for (int ply = 0; ply < 10 || e->GenerateSuccessors() < 3; ++ply) FastThink(*e, SearchDepth(kind, 0));
  e->ClearSuccessors();
  return e;
}

TEST(FastSearchMemory, ASearchAllocatesNothingPerPosition) {
  for (int kind = 0; kind < kBoardKindCount; ++kind) {
    std::unique_ptr<SearchEngine> warm = MiddleGame(kind), e = MiddleGame(kind);
    const int depth = SearchDepth(kind, 2);
    FastThink(*warm, depth);  // the first search of a kind sets up its tables

    const long long before = allocations;
    FastThink(*e, depth);
    const long long during = allocations - before;
    const long long nodes = LastFastSearchReport().nodes;
    EXPECT_LE(during, 2) << "kind " << kind;
    EXPECT_GT(nodes, kind == 2 || kind == 4 ? 20 : 500) << "kind " << kind;

    const long long beforePerft = allocations;
    const long long leaves = FastPerft(*e, kind == 2 || kind == 4 ? 2 : 4);
    EXPECT_EQ(allocations - beforePerft, 0) << "kind " << kind;
    EXPECT_GT(leaves, 50) << "kind " << kind;
  }
}

}  // namespace
}  // namespace tavlero
