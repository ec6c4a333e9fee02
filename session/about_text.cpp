// The about text; see about_text.h.
#include "session/about_text.h"

#include "common/cp1251.h"

namespace zorikan {
namespace {

// The detailed instructions are the user guide, installed with the program; ZORIKAN_GUIDE_PLACE names it.
// ZORIKAN_VERSION is the project's version.
constexpr auto kAboutText = cp1251<
    "Программа - тренажер для глаз ZORIKAN " ZORIKAN_VERSION ". "
    "\r\r"
    "НАЧАЛО: левая кнопка мыши - ТРЕНИРОВКА с текущим размером, правая - ПРОВЕРКА ЗРЕНИЯ, "
    "обе кнопки -  выход из программы"
    "\r\r"
    "ТРЕНИРОВКА: Цифра слева - жмите левую кнопку мыши, справа - правую, обе кнопки - переход в НАЧАЛО"
    "\r\r"
    "ПРОВЕРКА ЗРЕНИЯ: Зазор слева - жмите левую кнопку мыши, справа - правую, обе кнопки - переход в НАЧАЛО"
    "\r\r"
    "Подробная инструкция на страничке " ZORIKAN_GUIDE_PLACE " ,там же гостевая книга."
    "\r"
    "Пожалуйста, напишите о своем опыте работы с программой">();

static_assert(kAboutText.size() <= 512, "the Display layer keeps at most 512 characters of about text");

}  // namespace

std::string_view about_text() {
  return kAboutText.view();
}

}  // namespace zorikan
