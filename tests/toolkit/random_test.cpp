#include "toolkit/random.h"

#include <gtest/gtest.h>

#include "toolkit/rounding.h"

namespace wobbert {
namespace {

TEST(Random, FollowsTheLinearCongruentialSequence) {
  randomSeed = 12345;
  std::uint64_t seed = 12345;
  for (int n : {1, 2, 10, 47, 1000, 2147483647}) {
    seed = (seed * 134775813u + 1u) % 4294967296u;
    EXPECT_EQ(Random(n), static_cast<int>((seed * static_cast<std::uint64_t>(n)) >> 32)) << n;
    EXPECT_EQ(randomSeed, seed);
  }
  seed = (seed * 134775813u + 1u) % 4294967296u;
  EXPECT_DOUBLE_EQ(RandomReal(), static_cast<double>(seed) / 4294967296.0);
}

TEST(Random, StaysInRangeAndAdvancesEvenOnAnEmptyRange) {
  randomSeed = 0xFFFFFFFFu;
  for (int i = 0; i < 1000; ++i) {
    const int r = Random(16);
    ASSERT_GE(r, 0);
    ASSERT_LT(r, 16);
  }
  const std::uint32_t before = randomSeed;
  EXPECT_EQ(Random(0), 0);
  EXPECT_EQ(Random(-3), 0);
  EXPECT_NE(randomSeed, before);
  const double real = RandomReal();
  EXPECT_GE(real, 0.0);
  EXPECT_LT(real, 1.0);
}

TEST(RoundHalfEven, RoundsToNearestAndHalvesToEven) {
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(1.5), 2);
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(-0.5), 0);
  EXPECT_EQ(RoundHalfEven(-1.5), -2);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(2.4999), 2);
  EXPECT_EQ(RoundHalfEven(2.5001), 3);
  EXPECT_EQ(RoundHalfEven(-2.6), -3);
}

}  // namespace
}  // namespace wobbert
