// The generator behind random_uniform; see random_uniform.h.
#include "services/random_uniform.h"

#include <cmath>
#include <cstdint>

#include "display/display.h"

namespace zorikan {
namespace {

constexpr double kModulus = 2147483647.0;
constexpr double kDivisor = 2147483648.0;
constexpr double kMultiplier = 16807.0;

double g_seed = 1.2147483825683594;
bool g_warm_up_done = false;

}  // namespace

float lehmer_next() {
  g_seed = std::fmod(kMultiplier * g_seed, kModulus);
  return static_cast<float>(g_seed / kDivisor);
}

float random_uniform() {
  if (!g_warm_up_done) {
    g_warm_up_done = true;
    int16_t hour = 0, minute = 0, second = 0, hundredths = 0;
    read_time_of_day(hour, minute, second, hundredths);
    const int32_t discarded = static_cast<int32_t>(hundredths) * second;
    for (int32_t i = 0; i < discarded; ++i) lehmer_next();
  }
  return lehmer_next();
}

}  // namespace zorikan
