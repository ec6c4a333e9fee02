// The Display layer: the program's whole user interface, in the program's own terms.
//
// One frame window with a menu bar and a status bar holds child windows, each bound to the unit number
// under which the program opened it on the device "USER". Drawing goes into the child window's surface
// (one surface pixel is one screen pixel) and is shown on the screen from there. Every drawing and text
// operation works on the calling thread's active window. Texts are Windows-1251 bytes with their length.
// Coordinates are surface pixels, (0, 0) at the top-left, y downwards, as 2-byte integers.
//
// All operations are called by the program thread unless a comment says otherwise; mouse and menu
// routines of the program are called on the window (GUI) thread. No Qt type appears here.
#pragma once

#include <cstdint>
#include <limits>
#include <span>
#include <string_view>

#include "common/program_stop.h"

namespace zorikan {

// ---- Colour values -------------------------------------------------------------------------------
// Bit 31 set: the low 24 bits are RGB 0x00BBGGRR (red in the low byte). Bit 31 clear: the low 24 bits
// index the 16-entry default palette.
inline constexpr uint32_t kRgbFlag = 0x80000000u;

// ---- Process start -------------------------------------------------------------------------------
struct ProgramHooks {
  // Called before the frame exists; appends the menu items and stores the frame geometry. False makes
  // the layer report a start-up error (the run continues).
  bool (*startup_settings)() = nullptr;
  // The program's main routine, run on the program thread. It normally ends in stop_program().
  void (*main_program)() = nullptr;
};

// Runs the process: frame window, startup_settings, main_program on the program thread, then the
// message loop until the frame closes. The result is the process's exit code. Uses the running
// QApplication when there is one (tests), else creates it from argc/argv.
int run_display_process(int argc, char** argv, const ProgramHooks& hooks);

// What the layer needs set before the application object exists; run_display_process calls it when it
// creates the application itself, a caller that creates it first calls it before.
void prepare_application();

// ---- Frame and child windows ---------------------------------------------------------------------
// The frame window wherever a unit is expected (set_window_geometry only).
inline constexpr int32_t kFrameUnit = static_cast<int32_t>(0x80000000u);

struct WindowConfig {
  int16_t pixel_width = 0;     // -1: let the layer choose
  int16_t pixel_height = 0;    // -1: choose
  int16_t text_columns = 0;    // -1: choose
  int16_t text_rows = 0;       // -1: choose
  int16_t color_count = 0;     // -1: the device maximum
  int32_t font_size = 0;       // (cell width << 16) | cell height; -1 default text font; -2 font_name
  char title[80] = {};         // NUL-terminated, Windows-1251
  int16_t bits_per_pixel = 0;  // returned only
  int16_t video_pages = 0;     // returned as 0
  int16_t mode = 0;            // returned as -1
  int16_t adapter = 0;         // returned as 0
  int16_t monitor = 0;         // returned as 0
  int16_t memory = 0;          // returned as 0
  int16_t environment = 0;     // returned as 0
  char font_name[32] = {};     // used only with font_size -2
  int32_t font_size_ext = 0;   // packed like font_size; only with font_size -2
  int32_t font_attributes = 0;
};

// mode: 1 minimise, 2 maximise, 3 restore, 4 move and resize. Pixels for the frame (client area),
// character cells of the window's text font for a child window.
struct WindowGeometry {
  int16_t mode = 0;
  int16_t x = 0;
  int16_t y = 0;
  int16_t height = 0;
  int16_t width = 0;
};

int32_t set_exit_behaviour(int32_t behaviour);  // 1 ask, 2 close at once, 3 keep open; -1 otherwise
int32_t set_about_text(std::string_view text);  // Windows-1251, at most 512 characters; else -1
int32_t set_window_geometry(int32_t unit, const WindowGeometry& geometry);
int32_t get_window_config(WindowConfig& config);  // 1, or 0 without an active window
int32_t set_window_config(WindowConfig& config);  // -1 applied unchanged; 0 nothing applied
int32_t set_active_unit(int32_t unit);            // 1 success, 0 failure
int32_t set_focus_unit(int32_t unit);             // 0 success, -1 failure
int32_t set_text_cursor(int32_t show);            // previous setting; -1 bad argument or no window

// ---- Fonts and text ------------------------------------------------------------------------------
int16_t init_fonts();
int16_t select_font(std::string_view descriptor);
void set_text_rotation(int32_t tenths_of_degree);
void draw_text(std::string_view text);
// How many pixel columns right of the graphics position draw_text(text) would reach in the current font
// and rotation: its cell or its ink (with the column its antialiasing may touch), whichever reaches
// further, rounded up. 0 without a font.
int32_t measure_text(std::string_view text);
int32_t set_text_color_rgb(int32_t rgb);
int32_t set_text_background_rgb(int32_t rgb);

// ---- Drawing -------------------------------------------------------------------------------------
struct GraphicsPosition {
  int16_t x = 0;
  int16_t y = 0;
};

int32_t set_draw_color_rgb(int32_t rgb);
// Returns the previous position packed (x in the low half, y in the high half).
int32_t move_to(int16_t x, int16_t y, GraphicsPosition& previous);
int16_t line_to(int16_t x, int16_t y);
void set_line_pattern(int32_t mask);
int32_t set_pixel_rgb(int16_t x, int16_t y, int32_t rgb);
// control: 2 border only, kFilled filled; anything else draws nothing.
inline constexpr int16_t kFilled = 3;
int16_t draw_rectangle(int16_t control, int16_t x1, int16_t y1, int16_t x2, int16_t y2);
int16_t draw_ellipse(int16_t control, int16_t x1, int16_t y1, int16_t x2, int16_t y2);
int16_t draw_polygon(int16_t control, std::span<const GraphicsPosition> points);

// ---- Whole-window images (BMP layout in memory) --------------------------------------------------
// The image of a window of the program (32 bits per pixel): a header of kImageHeaderBytes (the file and
// the information header, no colour table), then kImageBytesPerPixel bytes per pixel (blue, green, red,
// reserved) with no row padding, rows stored bottom row first.
inline constexpr int32_t kImageHeaderBytes = 54;
inline constexpr int32_t kImageBytesPerPixel = 4;
int32_t image_size(int16_t x1, int16_t y1, int16_t x2, int16_t y2);
// The buffer must hold image_size bytes; a shorter one is left untouched (status -4).
void get_image(int16_t x1, int16_t y1, int16_t x2, int16_t y2, std::span<uint8_t> buffer);
// action kPlainCopy puts the image's pixels as they are.
inline constexpr int32_t kPlainCopy = 3;
int16_t put_image(int16_t x, int16_t y, std::span<const uint8_t> buffer, int32_t action);

// ---- Mouse ---------------------------------------------------------------------------------------
// Event bits: 1 left down, 2 left up, 4 left double-click, 8 right down, 16 right up,
// 32 right double-click, 64 move, 128 middle down, 256 middle up. Key state: 1 left, 2 right, 4 shift,
// 8 control, 16 middle.
// Called on the window thread: (unit, event, key state, x, y).
using MouseRoutine = void (*)(int32_t& unit, int32_t& event, int32_t& key_state, int32_t& x, int32_t& y);
int32_t register_mouse_handler(int32_t unit, int32_t event_mask, MouseRoutine routine);

// ---- Menus ---------------------------------------------------------------------------------------
// Called on the window thread with the item's check state (1 checked, else 0).
using MenuRoutine = void (*)(int32_t& checked);
// State flags: 1 grayed, 2 disabled, 4 enabled, 8 separator, 16 check mark.
int32_t append_menu_item(int32_t position, int32_t flags, std::string_view text, MenuRoutine routine);
// 1 status bar on/off, 2 tile, 3 cascade, 4 arrange icons.
int32_t invoke_menu_command(int32_t command);
int32_t invoke_menu_command(MenuRoutine routine);
// The built-in routine of command 1018: a message box with the about text.
void show_about_box(int32_t& checked);

// ---- Tones, pauses, clock ------------------------------------------------------------------------
void beep(int32_t frequency_hz, int32_t duration_ms);
void sleep_ms(int32_t milliseconds);
void read_time_of_day(int16_t& hour, int16_t& minute, int16_t& second, int16_t& hundredths);
void read_date(int16_t& year, int16_t& month, int16_t& day);
// The local date and time of day to the second, all from one reading of the clock: a record stamped
// across midnight gets the one day or the other, never the old date with the new time.
void read_date_and_time(int16_t& year, int16_t& month, int16_t& day, int16_t& hour, int16_t& minute,
                        int16_t& second);
// Seconds since 1970-01-01 UTC on the system's clock, which a change of the date and time moves: for
// dates and times shown to the user, never for intervals.
double read_epoch_seconds();
// Seconds on a steady clock (arbitrary origin) that only moves on at the pace of real time: every interval
// the program measures (display periods, answer windows, pauses) is measured on it.
double read_steady_seconds();

// The rest of every wait for the user. Returns at once when a mouse or menu routine of the program has
// run since the previous call; otherwise sleeps until one runs, or until read_steady_seconds() reaches
// `deadline_seconds` (kNoDeadline: no limit), or until the program stops. It may also return early, so a
// waiting loop calls it once per pass and keeps its own checks of the shared words and of the clock:
//
//   while (no answer yet and the time is not up) wait_for_input(t0 + limit);
void wait_for_input(double deadline_seconds);
inline constexpr double kNoDeadline = std::numeric_limits<double>::infinity();

}  // namespace zorikan
