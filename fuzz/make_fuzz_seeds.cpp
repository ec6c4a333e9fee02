// Writes the seeds of the fuzz targets whose inputs the program itself makes: zorikan.vvd as the
// parameter dialog saves it, results logs as the training run and the vision check append to them, and
// the program's parameter dialog template in the byte form of dialog_template_bytes.h; or prints the
// formats the program's headers declare (the layouts of its files), as format texts.
//
//   make_fuzz_seeds <seed folder>   writes <seed folder>/{saved_parameters,results_log,dialog_template}/
//   make_fuzz_seeds --formats       prints each declared format's text on a line of its own (UTF-8)
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include "common/cp1251.h"
#include "common/format.h"
#include "dialog/dialog_resources.h"
#include "fuzz/dialog_template_bytes.h"
#include "services/results_log.h"
#include "session/glyph_file.h"
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

// Every format the program's headers declare; scripts/fuzz counts the declarations in the headers and
// fails when this table has fewer.
constexpr std::pair<const char*, const Format*> kDeclaredFormats[] = {
    {"kTrainingRecordLayout", &kTrainingRecordLayout},
    {"kVisionRecordLayout", &kVisionRecordLayout},
    {"kRecordDateReadLayout", &kRecordDateReadLayout},
    {"kVisionFieldsReadLayout", &kVisionFieldsReadLayout},
    {"kTrainingFieldsReadLayout", &kTrainingFieldsReadLayout},
    {"kSavedRealValue", &kSavedRealValue},
    {"kSavedIntegerValue", &kSavedIntegerValue},
    {"kSavedParametersLines", &kSavedParametersLines},
    {"kGlyphCountLineRead", &kGlyphCountLineRead},
    {"kGlyphCountLineWrite", &kGlyphCountLineWrite},
    {"kGlyphPointLines", &kGlyphPointLines},
};

// The format's text in the notation of common/format.h: its descriptors in order, quoted texts in UTF-8
// between single quotes (a quote inside doubled).
std::string format_text(const Format& format) {
  std::string text = "(";
  for (const EditDescriptor& item : format.descriptors()) {
    if (text.size() > 1) text += ',';
    const std::string repeat = item.repeat > 1 ? std::to_string(item.repeat) : "";
    switch (item.kind) {
      case EditKind::kInteger:
        text += repeat + "I" + std::to_string(item.width);
        if (item.has_min_digits) text += "." + std::to_string(item.digits);
        break;
      case EditKind::kReal:
        text += repeat + "F" + std::to_string(item.width) + "." + std::to_string(item.digits);
        break;
      case EditKind::kSkip:
        text += std::to_string(item.width) + "X";
        break;
      case EditKind::kNewLine:
        text += repeat + "/";
        break;
      case EditKind::kLiteral:
        text += '\'';
        for (const char c : cp1251_to_utf8(format.literal(item)))
          text += c == '\'' ? "''" : std::string(1, c);
        text += '\'';
        break;
    }
  }
  return text + ")";
}

bool same_format(const Format& a, const Format& b) {
  const auto items = a.descriptors(), others = b.descriptors();
  if (items.size() != others.size()) return false;
  for (size_t i = 0; i < items.size(); ++i) {
    const EditDescriptor &x = items[i], &y = others[i];
    if (x.kind != y.kind || x.has_min_digits != y.has_min_digits || x.repeat != y.repeat ||
        x.width != y.width || x.digits != y.digits ||
        (x.kind == EditKind::kLiteral && a.literal(x) != b.literal(y))) {
      return false;
    }
  }
  return true;
}

// Prints every declared format; fails, naming it, on one whose text does not parse back into it.
int print_declared_formats() {
  for (const auto& [name, format] : kDeclaredFormats) {
    const std::string text = format_text(*format);
    const FormatParse parse = try_parse_format(text);
    if (parse.error != nullptr || !same_format(parse.format, *format)) {
      std::fprintf(stderr, "make_fuzz_seeds: %s written as %s does not read back as itself\n", name,
                   text.c_str());
      return 1;
    }
    std::printf("%s\n", text.c_str());
  }
  return 0;
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
    std::fprintf(stderr, "usage: make_fuzz_seeds <seed folder> | --formats\n");
    return 2;
  }
  if (std::strcmp(argv[1], "--formats") == 0) return print_declared_formats();
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
