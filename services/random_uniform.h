// Uniform random numbers for the start screen, the training run and the vision check: a
// multiplicative congruential generator (multiplier 16807, modulus 2147483647) run in double
// precision, warmed up once from the time of day.
#pragma once

namespace zorikan {

// Advances the generator, seed := (16807 * seed) mod 2147483647 as a real remainder in double
// precision, and returns seed / 2147483648 rounded to single precision. The seed starts at
// 1.2147483825683594; it is not a whole number and is never made one.
float lehmer_next();

// The next uniform value from 0 to 1 (1.0 itself only when the single-precision rounding of the
// quotient reaches it). The first call reads the time of day and first draws and discards
// hundredths x seconds values (0 to 5841), so that runs started at different moments differ.
// Program thread only.
float random_uniform();

}  // namespace zorikan
