// Records of the results log as the program writes them, for the log's tests.
#pragma once

#include <cstdint>
#include <string>

#include "common/cp1251.h"
#include "services/results_log.h"

namespace zorikan::testing {

inline const std::string kHeaderLine = std::string(kResultsLogHeader.view()) + "\r\n";

inline std::string training_record(int32_t second, float mean) {
  return utf8_to_cp1251(" 07.03.2026г,   9час  5мин ") + (second < 10 ? " " : "") + std::to_string(second) +
         utf8_to_cp1251("сек, D=   60.0см  Is=   5  Nп= 100 Nв=  97 Nош=   2 Nно=   1 t_ср=") +
         (mean < 0 ? "   -1.00" : "    1.50") + utf8_to_cp1251("с  Nотж=   5\r\n");
}

inline void append_training(int32_t second, float mean) {
  open_results_log();
  write_results_record(kTrainingRecordLayout, {7, 3, 2026, 9, 5, second, 60.0f, 5, 100, 97, 2, 1, mean, 5});
}

inline const std::string kOldRecord = training_record(1, 1.5f);

}  // namespace zorikan::testing
