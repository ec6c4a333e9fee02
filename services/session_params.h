// The session's parameters: what the parameter dialog leaves for the vision check and the training run.
#pragma once

#include <cstdint>

namespace zorikan {

struct SessionParams {
  float distance_cm = 0;        // viewing distance, eye to display, centimetres
  float diagonal_inch = 0;      // display diagonal, inches
  int32_t screen_nx = 0;        // screen resolution across, pixels
  int32_t screen_ny = 0;        // screen resolution down, pixels
  int32_t training_volume = 0;  // images per training run
};

// The longest viewing distance the parameters take, in centimetres: the widest value of its 7 columns in
// zorikan.vvd (F7.3). The parameter dialog refuses a longer one.
inline constexpr double kLongestDistanceCm = 999.999;

// The parameters before zorikan.vvd is read, as the parameter dialog starts from them.
inline constexpr SessionParams kDefaultSessionParams{200.0f, 17.7f, 1024, 768, 100};

// Filled by parameter_dialog at start-up; read by the activities. Program thread only.
extern SessionParams session_params;

}  // namespace zorikan
