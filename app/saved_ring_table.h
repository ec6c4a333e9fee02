// The ring table for the parameters the user saved: the session's parameter file read, the vision check's
// table printed.
#pragma once

namespace zorikan {

// The table on standard output for the parameters saved in zorikan.vvd of the working directory when
// `in_data_folder`, over the parameter dialog's defaults (which stand alone otherwise). Returns the
// process's exit code.
int print_saved_ring_table(bool in_data_folder);

}  // namespace zorikan
