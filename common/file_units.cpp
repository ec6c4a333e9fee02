// File units: the unit table, file opening by status, line reading and writing, devices.
#include "common/file_units.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <mutex>
#include <system_error>
#include <utility>
#include <vector>

#include "common/system_file.h"

namespace zorikan {
namespace {

enum class SlotState : uint8_t {
  kClosed,
  kOpening,  // a device's open is running (outside the lock); the unit is reserved meanwhile
  kOpen,
};

struct UnitSlot {
  SlotState state = SlotState::kClosed;
  bool close_requested = false;  // close_file arrived while a device's open was running
  std::string name;              // as given, trailing blanks removed; names the file in reports
  std::FILE* file = nullptr;     // null for a device unit
  std::shared_ptr<const DeviceHandler> device;
  bool read_only = false;       // the system granted reading only
  bool writing = false;         // the last transfer was a write; C streams need a seek to turn around
  bool needs_line_end = false;  // appending to a file whose last line has no line end yet
  int32_t lines_read = 0;       // lines read since the open: the number of the last line read
  int last_errno = 0;           // of the last failed system call, for the report
  std::string line;             // the line being read; reused from line to line
};

struct Device {
  std::string upper_name;
  std::shared_ptr<const DeviceHandler> handler;
};

struct UnitTable {
  std::mutex mutex;
  std::array<UnitSlot, kMaxUnit + 1> slots;
  std::vector<Device> devices;
};

// Never destroyed: at process exit the program thread may still be inside a transfer.
UnitTable& table() {
  static UnitTable* const instance = new UnitTable;
  return *instance;
}

std::string upper_ascii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

std::string without_trailing_blanks(std::string_view text) {
  const size_t last = text.find_last_not_of(' ');
  return std::string(text.substr(0, last == std::string_view::npos ? 0 : last + 1));
}

std::string system_message(int error_number) {
  return std::error_code(error_number, std::generic_category()).message();
}

bool valid_unit(int32_t unit) {
  return unit >= 0 && unit <= kMaxUnit;
}

IoResult unit_outside_table(int32_t unit) {
  return {IoStatus::kUnitNotOpen,
          "unit " + std::to_string(unit) + " is outside the unit numbers 0-" + std::to_string(kMaxUnit)};
}

// The open file of the unit, or null with the failure in `result`. Table lock held.
UnitSlot* file_slot(int32_t unit, IoResult& result) {
  if (!valid_unit(unit)) {
    result = unit_outside_table(unit);
    return nullptr;
  }
  UnitSlot& slot = table().slots[static_cast<size_t>(unit)];
  if (slot.state != SlotState::kOpen) {
    result = {IoStatus::kUnitNotOpen, "unit " + std::to_string(unit) + " is not open"};
    return nullptr;
  }
  if (slot.file == nullptr) {
    result = {IoStatus::kNotAFile,
              "unit " + std::to_string(unit) + " is open on the device " + slot.name + ", not on a file"};
    return nullptr;
  }
  return &slot;
}

// Reads the next line into slot.line without its line end. Table lock held.
IoStatus next_line(UnitSlot& slot) {
  std::FILE* file = slot.file;
  if (slot.writing) {
    std::fseek(file, 0, SEEK_CUR);
    slot.writing = false;
  }
  slot.line.clear();
  // The unit table's lock already keeps every other thread off this file.
  int c = read_byte(file);
  if (c == EOF) {
    if (!std::ferror(file)) return IoStatus::kEndOfFile;
    slot.last_errno = errno;
    return IoStatus::kReadFailed;
  }
  for (; c != EOF && c != '\n'; c = read_byte(file)) {
    if (slot.line.size() <= kMaxLineLength) slot.line.push_back(static_cast<char>(c));
  }
  if (std::ferror(file)) {
    slot.last_errno = errno;
    return IoStatus::kReadFailed;
  }
  if (!slot.line.empty() && slot.line.back() == '\r') slot.line.pop_back();
  if (slot.line.size() > kMaxLineLength) slot.line.resize(kMaxLineLength);
  ++slot.lines_read;
  return IoStatus::kOk;
}

IoResult read_failure(const UnitSlot& slot, const RecordFailure& failure) {
  switch (failure.status) {
    case IoStatus::kEndOfFile:
      return {failure.status, slot.name + ", line " + std::to_string(slot.lines_read + 1) + ": end of file"};
    case IoStatus::kReadFailed:
      return {failure.status, slot.name + ", line " + std::to_string(slot.lines_read + 1) +
                                  ": cannot read: " + system_message(slot.last_errno)};
    default: {
      std::string report = slot.name + ", line " + std::to_string(slot.lines_read);
      if (failure.first_column > 0)
        report += ", " + describe_columns(failure.first_column, failure.last_column);
      return {failure.status, report + ": " + failure.what};
    }
  }
}

// Writes whole lines (with their CR LF) and hands them to the system. Table lock held.
IoResult write_bytes(UnitSlot& slot, std::string_view bytes) {
  const auto failed = [&slot](const std::string& why) {
    return IoResult{IoStatus::kWriteFailed, slot.name + ": cannot write: " + why};
  };
  if (slot.read_only) return failed("the file is read-only");
  std::FILE* file = slot.file;
  if (!slot.writing) {
    // Sequential files end after the last line written: writing where reading stopped, or at the
    // start, drops the lines after that point.
    if (std::fseek(file, 0, SEEK_CUR) != 0) return failed(system_message(errno));
    const long position = std::ftell(file);
    if (position < 0 || !cut_system_file(file, position)) return failed(system_message(errno));
    slot.writing = true;
  }
  // A write that fails part way (a full disk) is taken back whole: the file keeps the lines it had.
  const long start = std::ftell(file);
  const auto take_back = [&](int error_number) {
    drop_unwritten_bytes(file);
    if (start >= 0 && cut_system_file(file, start)) std::fseek(file, start, SEEK_SET);
    return failed(system_message(error_number));
  };
  if (slot.needs_line_end) {
    if (std::fwrite("\r\n", 1, 2, file) != 2) return take_back(errno);
  }
  if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() || std::fflush(file) != 0) {
    return take_back(errno);
  }
  slot.needs_line_end = false;
  return {};
}

// Opens a file on a closed slot. Table lock held.
IoResult open_disk_file(UnitSlot& slot, const std::string& name, FileStatus status, FilePosition position) {
  std::error_code ignored;
  const std::filesystem::file_status file_state = std::filesystem::status(utf8_path(name), ignored);
  const bool exists = std::filesystem::exists(file_state);
  if (std::filesystem::is_directory(file_state)) {
    return {IoStatus::kOpenFailed, name + ": cannot open: " + system_message(EISDIR)};
  }
  if (status == FileStatus::kOld && !exists) return {IoStatus::kFileNotFound, name + ": file not found"};
  if (status == FileStatus::kNew && exists) return {IoStatus::kFileExists, name + ": file already exists"};

  bool read_only = false;
  std::FILE* file = nullptr;
  if (status == FileStatus::kNew) {
    file = open_system_file(name, SystemOpenMode::kCreateNew);
  } else if (exists) {
    file = open_system_file(name, SystemOpenMode::kReadWrite);
    if (file == nullptr && errno == EACCES) {
      file = open_system_file(name, SystemOpenMode::kReadOnly);
      read_only = file != nullptr;
    }
  } else {
    file = open_system_file(name, SystemOpenMode::kCreateOrTruncate);
  }
  if (file == nullptr) {
    const int error_number = errno;
    if (error_number == EEXIST) return {IoStatus::kFileExists, name + ": file already exists"};
    if (error_number == ENOENT && status == FileStatus::kOld) {
      return {IoStatus::kFileNotFound, name + ": file not found"};
    }
    return {IoStatus::kOpenFailed, name + ": cannot open: " + system_message(error_number)};
  }

  bool needs_line_end = false;
  if (position == FilePosition::kAppend) {
    if (std::fseek(file, 0, SEEK_END) == 0 && std::ftell(file) > 0 && std::fseek(file, -1, SEEK_END) == 0) {
      needs_line_end = std::getc(file) != '\n';
    }
    std::fseek(file, 0, SEEK_END);
  }
  slot.state = SlotState::kOpen;
  slot.name = name;
  slot.file = file;
  slot.read_only = read_only;
  slot.needs_line_end = needs_line_end;
  return {};
}

}  // namespace

void register_device(std::string_view name, DeviceHandler handler) {
  auto shared = std::make_shared<const DeviceHandler>(std::move(handler));
  const std::string upper = upper_ascii(name);
  std::lock_guard lock(table().mutex);
  for (Device& device : table().devices) {
    if (device.upper_name == upper) {
      device.handler = std::move(shared);
      return;
    }
  }
  table().devices.push_back({upper, std::move(shared)});
}

void unregister_device(std::string_view name) {
  const std::string upper = upper_ascii(name);
  std::lock_guard lock(table().mutex);
  std::erase_if(table().devices, [&](const Device& device) { return device.upper_name == upper; });
}

IoResult open_file(int32_t unit, std::string_view file_name, FileStatus status, ErrorExit exit,
                   FilePosition position, std::string_view title) {
  if (!valid_unit(unit)) return apply_error_exit(unit_outside_table(unit), exit);
  // Reopening a unit replaces its connection; a failure to close the old file does not stop the open.
  close_file(unit, ErrorExit::kReturn);

  const std::string name = without_trailing_blanks(file_name);
  const std::string upper = upper_ascii(name);
  UnitTable& units = table();
  UnitSlot& slot = units.slots[static_cast<size_t>(unit)];
  std::shared_ptr<const DeviceHandler> device;
  IoResult result;
  {
    std::lock_guard lock(units.mutex);
    for (const Device& candidate : units.devices) {
      if (candidate.upper_name == upper) device = candidate.handler;
    }
    if (slot.state != SlotState::kClosed) {
      result = {IoStatus::kOpenFailed, name + ": cannot open: unit " + std::to_string(unit) +
                                           " was opened by another thread meanwhile"};
    } else if (device == nullptr && upper == kUserDeviceName) {
      result = {IoStatus::kFileNotFound, name + ": file not found"};
    } else if (device == nullptr) {
      result = open_disk_file(slot, name, status, position);
    } else {
      slot = UnitSlot{};
      slot.state = SlotState::kOpening;
      slot.name = name;
      slot.device = device;
    }
  }
  if (device == nullptr || !result.ok()) return apply_error_exit(std::move(result), exit);

  // The device may create a window and wait for the GUI thread, which may be closing a unit itself.
  const std::string refusal = device->open ? device->open(unit, title) : std::string();
  bool close_now = false;
  {
    std::lock_guard lock(units.mutex);
    close_now = refusal.empty() && slot.close_requested;
    if (!refusal.empty() || close_now) {
      slot = UnitSlot{};
    } else {
      slot.state = SlotState::kOpen;
    }
  }
  if (close_now && device->close) device->close(unit);
  if (!refusal.empty()) {
    result = {IoStatus::kOpenFailed, name + ": cannot open unit " + std::to_string(unit) + ": " + refusal};
  }
  return apply_error_exit(std::move(result), exit);
}

IoResult close_file(int32_t unit, ErrorExit exit) {
  if (!valid_unit(unit)) return {};
  UnitTable& units = table();
  std::FILE* file = nullptr;
  std::shared_ptr<const DeviceHandler> device;
  std::string name;
  {
    std::lock_guard lock(units.mutex);
    UnitSlot& slot = units.slots[static_cast<size_t>(unit)];
    if (slot.state == SlotState::kOpening) {
      slot.close_requested = true;  // the opener closes it as soon as the device's open returns
      return {};
    }
    if (slot.state == SlotState::kClosed) return {};
    file = slot.file;
    device = std::move(slot.device);
    name = std::move(slot.name);
    slot = UnitSlot{};
  }
  IoResult result;
  if (file != nullptr && std::fclose(file) != 0) {
    result = {IoStatus::kWriteFailed, name + ": cannot close: " + system_message(errno)};
  }
  if (device != nullptr && device->close) device->close(unit);
  return apply_error_exit(std::move(result), exit);
}

void close_all_units() {
  for (int32_t unit = 0; unit <= kMaxUnit; ++unit) close_file(unit, ErrorExit::kReturn);
}

IoResult read_formatted(int32_t unit, const Format& format, InputList targets, ErrorExit exit) {
  IoResult result;
  {
    std::lock_guard lock(table().mutex);
    if (UnitSlot* slot = file_slot(unit, result)) {
      const RecordFailure failure = read_records(format, targets, [slot](std::string_view& line) {
        const IoStatus status = next_line(*slot);
        line = slot->line;
        return status;
      });
      if (!failure.ok()) result = read_failure(*slot, failure);
    }
  }
  return apply_error_exit(std::move(result), exit);
}

IoResult write_formatted(int32_t unit, const Format& format, OutputList values, ErrorExit exit) {
  IoResult result;
  {
    std::lock_guard lock(table().mutex);
    if (UnitSlot* slot = file_slot(unit, result)) {
      std::string bytes;
      const RecordFailure failure = write_records(format, values, [&bytes](std::string_view line) {
        bytes.append(line);
        bytes.append("\r\n");
      });
      if (!failure.ok()) {
        std::string report = slot->name;
        if (failure.first_column > 0)
          report += ", " + describe_columns(failure.first_column, failure.last_column);
        result = {failure.status, report + ": " + failure.what};
      } else {
        result = write_bytes(*slot, bytes);
      }
    }
  }
  return apply_error_exit(std::move(result), exit);
}

IoResult read_line(int32_t unit, std::span<char> text, ErrorExit exit) {
  IoResult result;
  {
    std::lock_guard lock(table().mutex);
    if (UnitSlot* slot = file_slot(unit, result)) {
      const IoStatus status = next_line(*slot);
      if (status != IoStatus::kOk) {
        result = read_failure(*slot, RecordFailure{status, 0, 0, {}});
      } else {
        const size_t length = std::min(slot->line.size(), text.size());
        std::fill(std::copy_n(slot->line.begin(), length, text.begin()), text.end(), ' ');
      }
    }
  }
  return apply_error_exit(std::move(result), exit);
}

IoResult sync_file(int32_t unit, ErrorExit exit) {
  IoResult result;
  {
    std::lock_guard lock(table().mutex);
    if (UnitSlot* slot = file_slot(unit, result)) {
      if (!sync_system_file(slot->file)) {
        result = {IoStatus::kWriteFailed, slot->name + ": cannot write: " + system_message(errno)};
      }
    }
  }
  return apply_error_exit(std::move(result), exit);
}

IoResult write_line(int32_t unit, std::string_view text, ErrorExit exit) {
  IoResult result;
  {
    std::lock_guard lock(table().mutex);
    if (UnitSlot* slot = file_slot(unit, result)) {
      std::string bytes(text);
      bytes.append("\r\n");
      result = write_bytes(*slot, bytes);
    }
  }
  return apply_error_exit(std::move(result), exit);
}

}  // namespace zorikan
