// The calendar's error stack: levels of routine names with their recorded errors, message substitution,
// wrapped printing on standard output and the stop on pop.
#include "calendar/error_stack.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

#include "common/program_stop.h"

namespace zorikan {
namespace {

// A text of at most N characters in static storage; longer texts keep their first N.
template <size_t N>
struct FixedText {
  std::array<char, N> bytes{};
  size_t length = 0;

  void assign(std::string_view text) {
    length = std::min(text.size(), N);
    std::copy_n(text.data(), length, bytes.data());
  }
  std::string_view view() const { return {bytes.data(), length}; }
};

struct ErrorParams {
  std::array<int32_t, 3> ints{};
  std::array<FixedText<kErrorNameLength>, 2> names{};
};

struct ErrorRecord {
  int32_t type = 0;  // 0 while nothing is recorded
  int32_t code = 0;
  FixedText<kErrorMessageLength> message;
  ErrorParams params;
};

struct ErrorLevel {
  FixedText<kErrorNameLength> routine;
  ErrorRecord last;           // the last error recorded at this level
  bool stop_pending = false;  // a stopping error was recorded at this level
};

constexpr std::string_view kUserLevelName = "USER";
constexpr std::string_view kFirstPrefix = " *** ";
constexpr std::string_view kContinuationPrefix = " ***          ";
constexpr std::array<std::string_view, 8> kTypeWords = {"",      "NOTE",     "ALERT",   "WARNING",
                                                        "FATAL", "TERMINAL", "WARNING", "FATAL"};

// Level 0 is the user level, below every pushed routine; levels 1..g_depth hold the pushed names.
std::array<ErrorLevel, kErrorStackDepth + 1> g_levels;
int g_depth = 0;
ErrorParams g_pending;

bool stops(int32_t type) {
  return type == kErrorFatal || type == kErrorTerminal || type == kErrorFatalWithFix;
}

std::string_view routine_at(int depth) {
  return depth == 0 ? kUserLevelName : g_levels[depth].routine.view();
}

std::string substitute(std::string_view text, const ErrorParams& params) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    std::string_view rest = text.substr(i);
    if (rest.starts_with("%/")) {
      out += '\n';
      ++i;
      continue;
    }
    // "%(I1)".."%(I3)", "%(L1)", "%(L2)": five characters each.
    if (rest.size() >= 5 && rest[0] == '%' && rest[1] == '(' && rest[4] == ')') {
      const int index = rest[3] - '1';
      if (rest[2] == 'I' && index >= 0 && index < 3) {
        out += std::to_string(params.ints[index]);
        i += 4;
        continue;
      }
      if (rest[2] == 'L' && index >= 0 && index < 2) {
        out += params.names[index].view();
        i += 4;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

// The one place where error text leaves the program.
void write_line(std::string_view prefix, std::string_view text) {
  std::string line(prefix);
  line += text;
  while (!line.empty() && line.back() == ' ') line.pop_back();
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), stdout);
}

// Writes one forced-break segment, breaking it at blanks into lines of at most kErrorLineWidth columns.
void write_segment(std::string_view segment, bool& first_line) {
  bool broken = false;
  do {
    if (broken) {
      // A line broken at a blank: the next line starts at the next word.
      segment.remove_prefix(std::min(segment.find_first_not_of(' '), segment.size()));
      if (segment.empty()) return;
    }
    const std::string_view prefix = first_line ? kFirstPrefix : kContinuationPrefix;
    const size_t width = kErrorLineWidth - prefix.size();
    size_t cut = segment.size();
    if (cut > width) {
      cut = width;
      const size_t blank = segment.rfind(' ', width);
      if (blank != std::string_view::npos && segment.find_first_not_of(' ') < blank) cut = blank;
    }
    write_line(prefix, segment.substr(0, cut));
    segment.remove_prefix(cut);
    first_line = false;
    broken = true;
  } while (!segment.empty());
}

void print_error(std::string_view routine, const ErrorRecord& record) {
  std::string text(kTypeWords[record.type]);
  text += " ERROR ";
  text += std::to_string(record.code);
  text += " from ";
  text += routine;
  text += ".  ";
  text += substitute(record.message.view(), record.params);

  bool first_line = true;
  std::string_view rest = text;
  for (;;) {
    const size_t end = rest.find('\n');
    write_segment(rest.substr(0, end), first_line);
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + 1);
  }
  std::fflush(stdout);
}

[[noreturn]] void stack_fault(std::string_view routine, int32_t code, std::string_view text,
                              const ErrorParams& params) {
  ErrorRecord record;
  record.type = kErrorTerminal;
  record.code = code;
  record.message.assign(text);
  record.params = params;
  print_error(routine, record);
  stop_program();
}

}  // namespace

void E1PSH(std::string_view name) {
  if (g_depth == kErrorStackDepth) {
    ErrorParams params;
    params.ints[0] = kErrorStackDepth;
    stack_fault("E1PSH", 1, "Error condition in E1PSH.  Push would cause stack level to exceed %(I1). ",
                params);
  }
  ErrorLevel& level = g_levels[++g_depth];
  level.routine.assign(name);
  level.last = ErrorRecord{};
  level.stop_pending = false;
}

void E1POP(std::string_view name) {
  ErrorParams params;
  params.names[0].assign(name);
  if (g_depth == 0) {
    stack_fault("E1POP", 2, "Error condition in E1POP.  Cannot pop from %(L1) because stack is empty.",
                params);
  }
  const ErrorLevel& level = g_levels[g_depth];
  if (name.substr(0, kErrorNameLength) != level.routine.view()) {
    params.names[1] = level.routine;
    stack_fault("E1POP", 1, "Error condition in E1POP.  %(L1) does not match the name %(L2) in the stack.",
                params);
  }
  const bool stop = level.stop_pending;
  --g_depth;
  if (stop) stop_program();
}

void E1MES(int32_t type, int32_t code, std::string_view text) {
  if (type < kErrorNote || type > kErrorFatalWithFix) {
    ErrorParams params;
    params.ints[0] = type;
    stack_fault("E1MES", 1, "Error condition in E1MES.  The error type %(I1) is not one of 1 to 7.", params);
  }
  ErrorLevel& level = g_levels[g_depth];
  level.last.type = type;
  level.last.code = code;
  level.last.message.assign(text);
  level.last.params = g_pending;
  g_pending = ErrorParams{};
  print_error(routine_at(g_depth), level.last);
  if (!stops(type)) return;
  // Nothing will pop the user level, so an error recorded there stops now.
  if (g_depth == 0) stop_program();
  level.stop_pending = true;
}

void e1_set_ints(int32_t i1, int32_t i2, int32_t i3) {
  g_pending.ints = {i1, i2, i3};
}

void e1_set_names(std::string_view l1, std::string_view l2) {
  g_pending.names[0].assign(l1);
  g_pending.names[1].assign(l2);
}

}  // namespace zorikan
