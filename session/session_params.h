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

// Filled by parameter_dialog at start-up; read by the activities. Program thread only.
extern SessionParams session_params;

}  // namespace zorikan
