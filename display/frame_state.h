// Process-wide state of the frame window: run state, exit behaviour, about text, title, status note.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

class QWidget;

namespace zorikan::display {

class FrameWindow;

enum class RunState { kRunning, kPaused, kFinished };

// Mouse and menu routines of the program are called only while Running.
void set_run_state(RunState state);
RunState run_state();

int32_t exit_behaviour();
void reset_exit_behaviour();

// The process's exit code: 0 unless a fatal report ended the program.
void set_exit_code(int code);
int exit_code();

// The about text, Windows-1251 (the built-in one until the program sets its own).
std::string about_text();

// The frame's title: the program's file name without directory and extension (UTF-8).
void set_frame_title(const std::string& title);
std::string frame_title();

// A line the status bar shows beside the run state for the whole run (UTF-8; empty: none). Set before
// the frame is created.
void set_status_note(const std::string& note);
std::string status_note();

// The frame window; null before it is created and after it is gone. GUI thread only.
void set_frame_window(FrameWindow* frame);
FrameWindow* frame_window();
QWidget* frame_widget();

}  // namespace zorikan::display
