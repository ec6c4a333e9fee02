// Default program stop and fatal report: the standard streams and the process exit code.
#include "common/program_stop.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace zorikan {
namespace {

std::atomic<StopHandler> g_stop_handler{nullptr};
std::atomic<FatalReportHandler> g_fatal_report_handler{nullptr};

}  // namespace

void set_stop_handler(StopHandler handler) { g_stop_handler.store(handler); }

void set_fatal_report_handler(FatalReportHandler handler) { g_fatal_report_handler.store(handler); }

void stop_program() {
  if (StopHandler handler = g_stop_handler.load()) handler();
  std::fflush(nullptr);
  std::exit(0);
}

void report_fatal_error(std::string_view report) {
  if (FatalReportHandler handler = g_fatal_report_handler.load()) handler(report);
  std::fflush(stdout);
  std::fprintf(stderr, "%.*s\n", static_cast<int>(report.size()), report.data());
  std::fflush(nullptr);
  std::exit(1);
}

}  // namespace zorikan
