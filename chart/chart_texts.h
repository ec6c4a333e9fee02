// The texts of the results chart: scale marks and titles, the start and end stamps, the note on a line
// that stopped the chart, and the prompt.
#pragma once

namespace zorikan {

// The scale marks and titles of both frames, each in its curve's colour. The acuity marks read 0 to 1, or
// 0 to 2 when chart_state.acuity_above_one.
void draw_scale_texts();

// "Начало  dd.mm.yyyyг,  hhчас  mmмин" for the first-record stamp at (10, 620) and the same with
// "Конец  " for the last-record stamp at (748, 620), in black, in the scale texts' font. Like every text
// of the chart, a stamp that would run past the window's right edge is moved left by its overflow.
void draw_range_stamps();

// When a pass ended before the end of the log (chart_state.stop): which line of zorikan.rtr and why
// ("неверная дата", "нечитаемое поле", "пустая строка"), in red above frame 1, right of the acuity
// title.
void draw_pass_stop_note();

// "Записей пока нет: ...", in black, centred in one line above the prompt: the log holds no record.
void draw_no_history_line();

// "Для продолжения нажмите любую кнопку мыши" at (265, 621), big italic, in kAzure (services/colors.h).
void draw_prompt();

}  // namespace zorikan
