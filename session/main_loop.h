// The main loop: serves pending requests at its top, then sweeps the start screen through the
// pattern sizes until a checkpoint asks for a restart. Program thread; never returns (the program
// ends in a checkpoint or from the menu).
#pragma once

namespace zorikan {

[[noreturn]] void run_main_loop();

}  // namespace zorikan
