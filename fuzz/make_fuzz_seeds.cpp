// Writes the seeds of the fuzz targets whose inputs the program itself makes: zorikan.vvd as the
// parameter dialog saves it, results logs as the training run and the vision check append to them, and
// the program's parameter dialog template in the byte form of dialog_template_bytes.h.
//
//   make_fuzz_seeds <seed folder>   writes <seed folder>/{saved_parameters,results_log,dialog_template}/
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "dialog/dialog_resources.h"
#include "fuzz/dialog_template_bytes.h"
#include "services/results_log.h"
#include "session/saved_parameters.h"

namespace zorikan {
namespace {

namespace fs = std::filesystem;

void training(int32_t day, int32_t hour, float distance, int32_t size, int32_t images, float mean,
              int32_t pushups) {
  open_results_log();
  write_results_record(kTrainingRecordLayout,
                       {day, 3, 2026, hour, 5, 3, distance, size, images, images - 3, 2, 1, mean, pushups});
}

void vision(int32_t day, int32_t hour, float acuity) {
  open_results_log();
  write_results_record(kVisionRecordLayout, {day, 3, 2026, hour, 0, 0, 60.0f, 15.6f, 1080, 1920, acuity});
}

// Runs `write` in a fresh folder and keeps the file it wrote as `seed`.
template <typename Write>
void seed_file(const fs::path& folder, const std::string& seed, std::string_view file_name, Write write) {
  const fs::path work = folder / ".work";
  fs::remove_all(work);
  fs::create_directories(work);
  const fs::path previous = fs::current_path();
  fs::current_path(work);
  write();
  fs::current_path(previous);
  fs::rename(work / file_name, folder / seed);
  fs::remove_all(work);
}

}  // namespace
}  // namespace zorikan

int main(int argc, char** argv) {
  using namespace zorikan;
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_fuzz_seeds <seed folder>\n");
    return 2;
  }
  const fs::path root = fs::absolute(argv[1]);
  for (const char* target : {"saved_parameters", "results_log", "dialog_template"})
    fs::create_directories(root / target);

  seed_file(root / "saved_parameters", "defaults.vvd", kSavedParametersFileName,
            [] { save_parameters(kDefaultSessionParams); });
  seed_file(root / "saved_parameters", "large.vvd", kSavedParametersFileName, [] {
    save_parameters({12345.678f, -0.5f, 99999, -7, 1000000});
  });

  seed_file(root / "results_log", "training.rtr", kResultsLogName, [] {
    training(7, 9, 60.0f, 5, 100, 1.5f, 5);
    training(8, 10, 250.0f, 3, 40, kNoMeanAnswerTime, 40);
  });
  seed_file(root / "results_log", "mixed.rtr", kResultsLogName, [] {
    vision(6, 8, 0.8f);
    training(7, 9, 60.0f, 5, 100, 1.5f, 5);
    vision(9, 20, 1.2f);
    training(12, 23, 480.0f, 9, 200, 4.25f, 0);
  });
  seed_file(root / "results_log", "header_only.rtr", kResultsLogName, [] { open_results_log(); });

  std::ofstream(root / "dialog_template" / "parameter_dialog.bin", std::ios::binary)
      << fuzz::encode_dialog_template(*find_dialog_resource(kParameterDialogId)->dialog);
  return 0;
}
