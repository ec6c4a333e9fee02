// One picture of the training run below its 20-row status band: the grating of pattern size s and
// glyph s hidden in it on the left or the right, the same picture as the start screen's (see
// services/grating_picture.h) from window row 20 down.
//
// Two paths draw it. A 980 x 650 window takes it from the training image buffer with one put_image:
// 1 s of grey over the picture area first, then the picture composed in the buffer, where pixels of no
// grating cell are black. Any other window has it drawn in place, one line per grating cell and row and
// one pixel per glyph pixel, with no grey and no pause; what lies outside the cells keeps what the window
// showed there. Both abandon the picture as soon as button_code is 3 after a grating row or a glyph point.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "services/glyph_set.h"
#include "services/grating_picture.h"

namespace zorikan {

// The first window row of the picture area; rows 0-9 are the progress strip, 10-19 the readiness strip.
inline constexpr int32_t kPictureTop = 20;

// Static for the life of the program; the program thread's only. After take_training_image_header it
// holds the header of an image nx pixels wide and ny - 20 rows high (the picture area), then the last
// picture composed.
extern std::array<uint8_t, kStartImageBytes> training_image_buffer;

// Gives the buffer the header of the picture area of the active window of nx x ny pixels, whose image
// path is taken; its pixels are composed over afterwards.
void take_training_image_header(int16_t nx, int16_t ny);

// Writes the picture into `image`, which holds an image of the picture area (width x height - 20 pixels
// after its header); false when button_code became 3 on the way.
bool compose_training_picture(std::span<uint8_t> image, int32_t width, int32_t height, int32_t size,
                              int32_t offset, std::span<const GlyphPoint> points);

// Shows the picture in the active window of nx x ny pixels by the path given; false when abandoned.
bool show_training_picture(bool image_path, int32_t size, int32_t offset, std::span<const GlyphPoint> points,
                           int16_t nx, int16_t ny);

}  // namespace zorikan
