// What the test process holds of the system right now: resident memory pages and open file handles,
// read from /proc/self.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zorikan::testing {

// Resident pages (the second field of /proc/self/statm); -1 when it cannot be read.
int64_t resident_pages();

// Entries of /proc/self/fd: every open file, socket, pipe and event handle.
int64_t open_file_handles();

// What each of those handles is, as the system names it ("/path/of/a/file", "pipe:[4711]",
// "anon_inode:[eventfd]"), in the order of their numbers.
std::vector<std::string> open_file_handle_names();

}  // namespace zorikan::testing
