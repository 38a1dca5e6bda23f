#include "platform/random.h"

#include <gtest/gtest.h>

namespace tavlero {
namespace {

TEST(RandomTest, ValuesStayWithinTheFifteenBitRangeAndRepeatForOneSeed) {
  SeedRand(12345);
  int first[100];
  for (int& value : first) {
    value = Rand();
    ASSERT_GE(value, 0);
    ASSERT_LE(value, kRandMax);
  }
  SeedRand(12345);
  for (int value : first) EXPECT_EQ(value, Rand());
}

TEST(RandomTest, PickBelowTakesTheTopValueAsZeroAndSpansTheRange) {
  EXPECT_EQ(PickBelow(kRandMax, 5), 0);
  EXPECT_EQ(PickBelow(0, 5), 0);
  EXPECT_EQ(PickBelow(kRandMax - 1, 5), 4);
  EXPECT_EQ(PickBelow(16384, 2), 1);
  EXPECT_EQ(PickBelow(16383, 2), 0);
}

}  // namespace
}  // namespace tavlero
