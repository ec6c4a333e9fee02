// The acuity ladder: the decimal acuities the vision check can find, searched by bisection.
#pragma once

#include <array>
#include <cstdint>

namespace zorikan {

// Indexed from 1 (kAcuityLadder[0] is unused). Index 1 (0.0) is the result when even the largest ring
// (0.1) is failed and is never shown; index 15 (10.0) is only the search's upper bound, never shown and
// never the result. Levels 2 to 14 (0.1 to 2.0) are presented as rings.
inline constexpr std::array<float, 16> kAcuityLadder = {0.0f, 0.0f, 0.1f, 0.2f, 0.3f,  0.4f, 0.5f, 0.6f,
                                                        0.7f, 0.8f, 0.9f, 1.0f, 1.25f, 1.5f, 2.0f, 10.0f};
inline constexpr int32_t kLowestLadderIndex = 1;
inline constexpr int32_t kHighestLadderIndex = 15;
// The first probe is the largest ring, not the middle of the ladder.
inline constexpr int32_t kFirstProbeIndex = 2;

// The largest ring's acuity, at which unanswered rings repeat silently until a first answer.
inline constexpr float kLargestRingAcuity = 0.1f;
// The smallest ring's acuity, the finest level presented.
inline constexpr float kSmallestRingAcuity = kAcuityLadder[kHighestLadderIndex - 1];

}  // namespace zorikan
