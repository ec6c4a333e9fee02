// One step of the start screen's sweep: the grating of one pattern size with its glyph, shown for
// five seconds while the checkpoints watch the mouse and the menus.
#pragma once

#include <array>
#include <cstdint>

#include "services/grating_picture.h"
#include "session/checkpoints.h"

namespace zorikan {

// Static for the life of the program; the program thread's only. Holds the last start screen picture
// built on the image path.
extern std::array<uint8_t, kStartImageBufferBytes> start_image_buffer;

// Shows pattern size `size` (2..9) in the graphics window of window_nx x window_ny pixels and makes
// it current_size once its grating is drawn. A 980 x 650 window takes the image path: 1 s of grey,
// then the picture built in start_image_buffer and shown with one put_image. Any other size takes the
// drawing path: the grating line by line and the glyph pixel by pixel straight into the window, with
// no grey phase and no pause. kRestart when a checkpoint asked for a restart before the five
// seconds were over; kContinue after the full display period.
CheckpointOutcome show_sweep_step(int32_t size);

}  // namespace zorikan
