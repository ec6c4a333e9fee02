// What every fuzz target shares: a private working directory for the program's files, the input written
// there as one of them, and program stops that come back to the target as an exception instead of
// ending the process (a fatal report on bad input is the program's intended answer to it, not a finding).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zorikan::fuzz {

// Thrown by the stop and fatal-report handlers that enter_fuzz_work_dir installs.
struct ProgramEnded {};

// Creates a fresh directory under the system's temporary folder, makes it the working directory and
// installs the throwing handlers. Call once, from LLVMFuzzerInitialize.
void enter_fuzz_work_dir();

// Replaces the file `name` in the working directory by `bytes`.
void write_input_file(std::string_view name, std::string_view bytes);

inline std::string_view as_text(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

}  // namespace zorikan::fuzz
