// The menu routine of "Выход": leaves the program at once, whatever the program thread is doing.
#pragma once

namespace zorikan {

// Called on the window thread: closes the graphics window, sounds a silent tone of 350 ms and stops
// the program. Does not return.
[[noreturn]] void exit_program();

}  // namespace zorikan
