// The system's side of the program's files: opening a file in one of the modes the file units need,
// cutting it, dropping bytes a failed write left in the stream's buffer, handing it to the disk, and
// replacing one file by another in one step. One realisation per platform (system_file_linux.cpp,
// system_file_win32.cpp); both keep the bytes as they are (no line-end translation).
//
// Names are UTF-8 paths, relative to the working directory or absolute. Failures leave errno set (the
// Windows realisation maps the system's error onto the nearest errno value).
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

namespace zorikan {

// The path a UTF-8 name stands for. A plain narrow string would be read in the system's narrow code page
// (Windows' ANSI code page), which cannot hold every name.
inline std::filesystem::path utf8_path(const std::string& name) {
  return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

enum class SystemOpenMode {
  kCreateNew,         // read and write; fails with EEXIST when the file exists, never truncates it
  kReadWrite,         // an existing file, read and write from its start
  kReadOnly,          // an existing file, reading only
  kCreateOrTruncate,  // read and write; created when missing, emptied when present
};

std::FILE* open_system_file(const std::string& name, SystemOpenMode mode);

// Cuts the file to `length` bytes. The stream must have been flushed or seeked since its last write.
bool cut_system_file(std::FILE* file, long length);

// Forgets the bytes a failed write left in the stream's buffer, so that they never reach the file.
void drop_unwritten_bytes(std::FILE* file);

// The next byte, or EOF; the caller keeps other threads off the stream.
int read_byte(std::FILE* file);

// Flushes the stream and has the system write the file's data to the disk.
bool sync_system_file(std::FILE* file);

// Puts `replacement` in the place of `target` in one step, after its data reached the disk: a reader
// sees the old file or the new one, never a mix or none. Returns an empty text, or why it failed.
std::string replace_file_durably(const std::string& replacement, const std::string& target);

}  // namespace zorikan
