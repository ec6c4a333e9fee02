// The start screen's checkpoints: the fixed points at which the sweep looks at the shared mouse and
// mode words and acts on them, and the exit from the start screen.
//
// An action is taken on release: nothing happens while a button is still held, except the exit on
// both buttons, which is taken as soon as button_code is 3.
#pragma once

namespace zorikan {

enum class CheckpointOutcome {
  kContinue,  // nothing to do: the sweep goes on where it was
  kRestart,   // back to the top of the main loop (a request is pending, or an activity ran)
};

// In order, the first that applies: a pending mode_request restarts; both buttons leave the
// program; a completed right click requests the vision check and restarts; a completed left click
// runs the training run at current_size, waits until no button is held, clears button_code and
// restarts.
CheckpointOutcome full_checkpoint();

// The checkpoint after the glyph: both buttons, then a pending mode_request, then a completed right
// click; a left click waits for the next full checkpoint.
CheckpointOutcome glyph_checkpoint();

// Returns once no mouse button is held.
void wait_until_buttons_released();

// Both buttons on the start screen: waits until no button is held, closes the graphics window and
// stops the program.
[[noreturn]] void leave_start_screen();

}  // namespace zorikan
