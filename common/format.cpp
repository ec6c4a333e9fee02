// The report of a malformed format text, a programming error that ends the program.
#include "common/format.h"

#include <string>

#include "common/program_stop.h"

namespace zorikan {

void report_malformed_format(std::string_view utf8_text, const char* error, size_t column) {
  std::string report = "format \"";
  report.append(utf8_text);
  report += "\", column " + std::to_string(column) + ": " + error;
  report_fatal_error(report);
}

}  // namespace zorikan
