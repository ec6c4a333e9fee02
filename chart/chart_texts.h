// The texts of the results chart: scale marks and titles, the start and end stamps, the note on a line
// that stopped the chart, and the prompt.
#pragma once

namespace zorikan {

// The scale marks and titles of both frames, each in its curve's colour, then colour 7 (black).
void draw_scale_texts();

// "Начало  dd.mm.yyyyг,  hhчас  mmмин" for the first-record stamp at (10, 620) and the same with
// "Конец  " for the last-record stamp at (748, 620), in the current colour and font.
void draw_range_stamps();

// When a pass ended at a line whose date is no calendar date: which line of zorikan.rtr, in red above
// frame 1, right of the acuity title.
void draw_stopping_line_note();

// "Для продолжения нажмите любую кнопку мыши" at (265, 621), big italic, in RGB 0xDDAA00.
void draw_prompt();

}  // namespace zorikan
