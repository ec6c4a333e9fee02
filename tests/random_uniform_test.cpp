// random_uniform against an independent, exact computation of its generator, from first calls made at
// moments whose hundredths x seconds give no, some and the most warm-up draws.
#include "services/random_uniform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "tests/support/simulated_time.h"

namespace zorikan {
namespace {

// The generator in exact integer arithmetic. Every seed it reaches is a whole number of 2^-52 units:
// the start value is, a product with 16807 is, rounding a product to double precision only clears
// low bits, and a remainder after whole multiples of the modulus keeps the units. The product is
// rounded to 53 significant bits with ties to even, as double multiplication rounds; the remainder
// is exact, as a real remainder of doubles is.
class ExactGenerator {
 public:
  float next() {
    const u128 product = round_to_double(16807 * seed_);
    seed_ = product % (static_cast<u128>(2147483647) << kUnitBits);
    // seed / 2^31: the remainder has at most 53 significant bits, so the double is exact and the
    // only rounding is the one to single precision.
    return static_cast<float>(std::ldexp(static_cast<double>(seed_), -(kUnitBits + 31)));
  }

 private:
  using u128 = unsigned __int128;
  static constexpr int kUnitBits = 52;

  static u128 round_to_double(u128 value) {
    int bits = 0;
    for (u128 v = value; v != 0; v >>= 1) ++bits;
    if (bits <= 53) return value;
    const int dropped = bits - 53;
    u128 kept = value >> dropped;
    const u128 rest = value & ((static_cast<u128>(1) << dropped) - 1);
    const u128 half = static_cast<u128>(1) << (dropped - 1);
    if (rest > half || (rest == half && (kept & 1) != 0)) ++kept;
    return kept << dropped;
  }

  u128 seed_ = static_cast<u128>(std::ldexp(1.2147483825683594, kUnitBits));
};

struct FirstCall {
  int second;
  int millisecond;
  int discarded;  // hundredths x seconds
};

class RandomUniform : public ::testing::TestWithParam<FirstCall> {};

TEST_P(RandomUniform, DiscardsHundredthsTimesSecondsValuesOnceThenFollowsTheGenerator) {
  const FirstCall first = GetParam();
  testing::SimulatedTime time(
      testing::SimulatedTime::epoch_of_local_time({2024, 3, 15, 10, 20, first.second, first.millisecond}));
  testing::TimeSoundServiceGuard guard(time);
  ExactGenerator exact;
  for (int i = 0; i < first.discarded; ++i) exact.next();
  for (int i = 0; i < 20000; ++i) {
    const float expected = exact.next();
    const float value = random_uniform();
    ASSERT_EQ(value, expected) << "value " << i;
    ASSERT_GE(value, 0.0f);
    ASSERT_LE(value, 1.0f);
  }
  EXPECT_EQ(time.clock_reads(), 1) << "the time of day is read at the first call only";
}

INSTANTIATE_TEST_SUITE_P(WarmUp, RandomUniform,
                         ::testing::Values(FirstCall{0, 730, 0}, FirstCall{37, 455, 1665},
                                           FirstCall{59, 995, 5841}),
                         [](const auto& info) { return "Draws" + std::to_string(info.param.discarded); });

}  // namespace
}  // namespace zorikan
