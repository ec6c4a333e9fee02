// The Russian word forms that follow a count on the result screen: "1 попытка", "3 попытки",
// "5 попыток", chosen by the count's last digit, with 11 to 20 taking the form of 5.
#pragma once

#include <cstdint>
#include <string_view>

#include "common/cp1251.h"

namespace zorikan {

// Which of the three forms a count takes: 0 for a last digit of 1, 1 for 2 to 4, 2 for every other
// count (0, 5 to 9, 11 to 20, negatives). Only the last digit and the range 11-20 count, so 111 takes
// form 0, as 1 does.
constexpr int32_t word_form(int32_t count) {
  const int32_t digit = count > 10 && count < 21 ? 5 : count % 10;
  if (digit == 1) return 0;
  return digit >= 2 && digit <= 4 ? 1 : 2;
}

// Each table by form. The words of the counts are drawn straight after the count's four columns: all
// but "раза не ответили" begin with their own blank.
inline constexpr auto kAttemptsForm1 = cp1251<" попытка">();
inline constexpr auto kAttemptsForm2 = cp1251<" попытки">();
inline constexpr auto kAttemptsForm5 = cp1251<" попыток">();
inline constexpr std::string_view kAttemptWords[] = {kAttemptsForm1.view(), kAttemptsForm2.view(),
                                                     kAttemptsForm5.view()};

inline constexpr auto kErrorsForm1 = cp1251<" ошибка">();
inline constexpr auto kErrorsForm2 = cp1251<" ошибки">();
inline constexpr auto kErrorsForm5 = cp1251<" ошибок">();
inline constexpr std::string_view kErrorWords[] = {kErrorsForm1.view(), kErrorsForm2.view(),
                                                   kErrorsForm5.view()};

inline constexpr auto kMissedForm1 = cp1251<" раз не ответили">();
inline constexpr auto kMissedForm2 = cp1251<"раза не ответили">();
inline constexpr std::string_view kMissedWords[] = {kMissedForm1.view(), kMissedForm2.view(),
                                                    kMissedForm1.view()};

// The push-up request, drawn apart from its number. The form for 1 deliberately ends in the Latin "e"
// (byte 0x65), which looks the same on the screen as the Cyrillic letter; the literal keeps that byte
// apart so that no editor or conversion turns it into the Cyrillic one.
inline constexpr auto kPushupsForm1 = cp1251<
    "отжимани"
    "e, пожалуйста!">();
inline constexpr auto kPushupsForm2 = cp1251<"отжимания, пожалуйста!">();
inline constexpr auto kPushupsForm5 = cp1251<"отжиманий, пожалуйста!">();
inline constexpr std::string_view kPushupWords[] = {kPushupsForm1.view(), kPushupsForm2.view(),
                                                    kPushupsForm5.view()};

static_assert(kPushupsForm1.view()[8] == 'e');
static_assert(kMissedForm2.view().size() == 16 && kMissedForm1.view().size() == 16);

}  // namespace zorikan
