// Entry point of zorikan_bench: the Display layer's own process on the offscreen platform (unless
// QT_QPA_PLATFORM names another), with the benchmarks running on the program thread while the GUI
// thread runs the message loop, as the program's own code does.
#include <QApplication>

#include <benchmark/benchmark.h>

#include "display/display.h"

namespace {

void run_benchmarks() {
  zorikan::set_exit_behaviour(2);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  zorikan::stop_program();
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  return zorikan::run_display_process(argc, argv, {nullptr, &run_benchmarks});
}
