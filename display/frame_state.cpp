// Frame-wide settings and the operations that set them.
#include "display/frame_state.h"

#include <mutex>

#include "display/display.h"
#include "display/frame_window.h"
#include "display/gui_thread.h"
#include "display/stop_point.h"

namespace zorikan::display {
namespace {

constexpr size_t kMaxAboutText = 512;

std::atomic<RunState> g_run_state{RunState::kRunning};
std::atomic<int32_t> g_exit_behaviour{1};
std::atomic<int> g_exit_code{0};
std::mutex g_text_lock;
std::string g_about_text = "ZORIKAN Display layer";
std::string g_frame_title = "zorikan";
std::string g_status_note;
FrameWindow* g_frame = nullptr;

}  // namespace

void set_run_state(RunState state) {
  g_run_state = state;
  post_to_gui([state] {
    if (g_frame != nullptr) g_frame->show_run_state(state);
  });
}

RunState run_state() {
  return g_run_state;
}

int32_t exit_behaviour() {
  return g_exit_behaviour;
}
void reset_exit_behaviour() {
  g_exit_behaviour = 1;
}

void set_exit_code(int code) {
  g_exit_code = code;
}
int exit_code() {
  return g_exit_code;
}

std::string about_text() {
  std::lock_guard guard(g_text_lock);
  return g_about_text;
}

void set_frame_title(const std::string& title) {
  std::lock_guard guard(g_text_lock);
  g_frame_title = title;
}

std::string frame_title() {
  std::lock_guard guard(g_text_lock);
  return g_frame_title;
}

void set_status_note(const std::string& note) {
  std::lock_guard guard(g_text_lock);
  g_status_note = note;
}

std::string status_note() {
  std::lock_guard guard(g_text_lock);
  return g_status_note;
}

void set_frame_window(FrameWindow* frame) {
  g_frame = frame;
}
FrameWindow* frame_window() {
  return g_frame;
}
QWidget* frame_widget() {
  return g_frame;
}

}  // namespace zorikan::display

namespace zorikan {

int32_t set_exit_behaviour(int32_t behaviour) {
  display::stop_point();
  if (behaviour < 1 || behaviour > 3) return -1;
  display::g_exit_behaviour = behaviour;
  return 0;
}

int32_t set_about_text(std::string_view text) {
  display::stop_point();
  text = text.substr(0, text.find('\0'));
  if (text.size() > display::kMaxAboutText) return -1;
  std::lock_guard guard(display::g_text_lock);
  display::g_about_text = std::string(text);
  return 0;
}

}  // namespace zorikan
