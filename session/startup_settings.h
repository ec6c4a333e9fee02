// The start-up hook: the frame's first geometry and its menu bar, set before the frame exists.
#pragma once

namespace zorikan {

// Called once by the Display layer before the frame window is created (before any program thread):
// frame at (50, 50), 650 x 400, and the menu bar "Выход", "Итоги_тренировок", "Инструкция".
// Returns true.
bool startup_settings();

}  // namespace zorikan
