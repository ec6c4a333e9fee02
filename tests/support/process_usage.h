// What the test process holds of the system right now: resident memory pages and open file handles,
// read from /proc/self.
#pragma once

#include <cstdint>

namespace zorikan::testing {

// Resident pages (the second field of /proc/self/statm); -1 when it cannot be read.
int64_t resident_pages();

// Entries of /proc/self/fd: every open file, socket, pipe and event handle.
int64_t open_file_handles();

}  // namespace zorikan::testing
