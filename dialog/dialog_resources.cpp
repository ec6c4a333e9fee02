// The program's dialog templates: IDD_DIALOG1, the parameter dialog (Russian).
#include "dialog/dialog_resources.h"

#include <array>

namespace zorikan {
namespace {

constexpr uint16_t kLanguageRussian = 0x0419;

constexpr uint32_t kPushButton = kStyleVisible | kStyleTabStop | kButtonPush;
constexpr uint32_t kLabel = kStyleVisible;
constexpr uint32_t kTextBox = kStyleVisible | kStyleBorder | kStyleTabStop;
constexpr uint32_t kScrollingTextBox = kTextBox | kEditAutoHorizontalScroll;
constexpr uint32_t kNumberBox = kScrollingTextBox | kEditNumber;

constexpr DialogHeader kParameterDialogHeader = {
    .style = kStylePopup | kStyleVisible | kStyleCaption | kStyleSystemMenu | kStyleModalFrame,
    .x = 50,
    .y = 20,
    .width = 334,
    .height = 204,
    .caption = "Ввод параметров.    Если надо, измените!",
    .font_points = 8,
    .font_face = "MS Sans Serif",
    .language = kLanguageRussian,
};

// In tab order. The upper resolution box (1002, beside "Ny=") holds the pixels down, the lower one
// (1003, beside "Nx=") the pixels across. The button "Линейка" (1005) measures the diagonal; the two
// lines under the boxes (1006, 1007) say what the set-up typed can measure and what the screen is.
constexpr std::array<DialogItem, 23> kParameterDialogItems = {{
    {1, ControlClass::kButton, kPushButton, "Начать работу", 15, 161, 168, 36},
    {2, ControlClass::kButton, kPushButton, "Выйти из программы", 238, 176, 86, 21},
    {-1, ControlClass::kStatic, kLabel, "Дальность до дисплея", 18, 7, 83, 12},
    {1000, ControlClass::kEdit, kTextBox, "", 113, 7, 50, 17},
    {-1, ControlClass::kStatic, kLabel, "сантиметров", 177, 7, 53, 12},
    {-1, ControlClass::kStatic, kLabel, "Диагональ дисплея", 18, 37, 76, 13},
    {-1, ControlClass::kStatic, kLabel, "дюймов", 177, 36, 31, 14},
    {1001, ControlClass::kEdit, kScrollingTextBox, "", 113, 34, 50, 17},
    {1005, ControlClass::kButton, kPushButton, "Линейка", 277, 42, 50, 13},
    {-1, ControlClass::kStatic, kLabel, "Разрешение экрана", 18, 79, 75, 12},
    {-1, ControlClass::kStatic, kLabel, "Объем тренировки", 18, 131, 79, 11},
    {-1, ControlClass::kStatic, kLabel, "изображений", 177, 131, 60, 15},
    {-1, ControlClass::kStatic, kLabel, "Nx=", 94, 89, 16, 11},
    {-1, ControlClass::kStatic, kLabel, "пикселов на экран", 177, 89, 68, 11},
    {-1, ControlClass::kStatic, kLabel, "пикселов на экран", 177, 73, 68, 11},
    {-1, ControlClass::kStatic, kLabel, "Ny=", 94, 73, 16, 11},
    {1002, ControlClass::kEdit, kNumberBox, "", 121, 71, 44, 14},
    {1003, ControlClass::kEdit, kNumberBox, "", 121, 88, 44, 14},
    {1004, ControlClass::kEdit, kNumberBox, "", 113, 127, 50, 17},
    {-1, ControlClass::kStatic, kLabel, "(Не поленитесь, измерьте!", 214, 31, 94, 10},
    {-1, ControlClass::kStatic, kLabel, "1дюйм=25.4мм)", 214, 42, 59, 9},
    {1006, ControlClass::kStatic, kLabel, "", 18, 145, 312, 8},
    {1007, ControlClass::kStatic, kLabel, "", 18, 153, 312, 8},
}};
static_assert(template_texts_convert(kParameterDialogHeader, kParameterDialogItems));

constexpr DialogTemplate kParameterDialog = {kParameterDialogHeader, kParameterDialogItems};

constexpr std::array<DialogResource, 1> kProgramResources = {{
    {kParameterDialogId, "IDD_DIALOG1", &kParameterDialog},
}};

std::span<const DialogResource> g_resources = kProgramResources;

}  // namespace

const DialogResource* find_dialog_resource(int32_t id) {
  for (const DialogResource& resource : g_resources) {
    if (resource.id == id) return &resource;
  }
  return nullptr;
}

std::span<const DialogResource> program_dialog_resources() {
  return kProgramResources;
}

std::span<const DialogResource> use_dialog_resources(std::span<const DialogResource> resources) {
  const std::span<const DialogResource> previous = g_resources;
  g_resources = resources;
  return previous;
}

}  // namespace zorikan
