// The Dialog toolkit: template lookup, control texts and routines, and the modal dialog on the real
// widgets, driven through real mouse clicks and key presses while the program thread waits in it.
#include "dialog/dialog.h"

#include <gtest/gtest.h>
#include <QDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QPointer>
#include <QPushButton>

#include <array>
#include <atomic>
#include <string>
#include <utility>
#include <vector>

#include "common/cp1251.h"
#include "common/logical.h"
#include "dialog/dialog_resources.h"
#include "dialog/dialog_units.h"
#include "display/display.h"
#include "display/frame_state.h"
#include "display/frame_window.h"
#include "tests/support/dialog_robot.h"
#include "tests/support/display_harness.h"

namespace zorikan {
namespace {

using testing::DialogRobot;

// The texts of template 101's controls, in template order.
std::vector<std::string> texts_of(const DialogRecord& dialog) {
  std::vector<std::string> texts;
  for (const DialogControl& control : dialog.controls) texts.push_back(control.text);
  return texts;
}

std::string get_text(DialogRecord& dialog, int32_t id, size_t length) {
  std::string text(length, '#');
  EXPECT_EQ(dialog_get_text(dialog, id, text), kTrue) << "control " << id;
  return text;
}

// Runs `program` as the program's main routine; it is given the record of template 101.
int run_with_dialog(const std::function<void(DialogRecord&)>& program) {
  static DialogRecord dialog;
  return testing::run_display(
      [&] {
        set_exit_behaviour(2);
        ASSERT_EQ(dialog_init(kParameterDialogId, dialog), kTrue);
        program(dialog);
        stop_program();
      },
      {});
}

TEST(DialogToolkit, InitFindsTemplatesByIdAndRefusesMissingOrUnloadableOnes) {
  DialogRecord dialog;
  EXPECT_EQ(dialog_init(999, dialog), kFalse);
  ASSERT_EQ(dialog_init(101, dialog), kTrue);
  EXPECT_EQ(dialog.return_value, 1);
  EXPECT_EQ(dialog.window, nullptr);
  ASSERT_EQ(dialog.controls.size(), 23u);
  const std::array<int32_t, 23> ids = {1,  2,  -1, 1000, -1,   -1,   -1,   1001, 1005, -1,   -1,  -1,
                                       -1, -1, -1, -1,   1002, 1003, 1004, -1,   -1,   1006, 1007};
  for (size_t i = 0; i < ids.size(); ++i) {
    const DialogControl& control = dialog.controls[i];
    EXPECT_EQ(control.id, ids[i]) << "item " << i;
    const int32_t kind = control.id == 1 || control.id == 2 || control.id == 1005 ? kKindPushButton
                         : control.id >= 1000 && control.id <= 1004               ? kKindEdit
                                                                                  : kKindStatic;
    EXPECT_EQ(control.kind, kind) << "item " << i;
    EXPECT_EQ(control.clicked, kind == kKindPushButton ? &dialog_end_routine : nullptr) << "item " << i;
  }
  EXPECT_EQ(dialog.controls[1].text, cp1251<"Выйти из программы">().view());
  EXPECT_EQ(dialog.controls[20].text, cp1251<"1дюйм=25.4мм)">().view());
  EXPECT_EQ(dialog.controls[3].text, "");

  // Another module: a template holding a list box cannot be shown, a declared resource without a
  // template cannot be loaded, and the program's own templates are not in it.
  static constexpr DialogItem kListItems[] = {{5, ControlClass::kListBox, kStyleVisible, "", 0, 0, 40, 40}};
  static constexpr DialogTemplate kList = {{kStylePopup, 0, 0, 100, 100, "List", 8, "MS Sans Serif", 0x0409},
                                           kListItems};
  const DialogResource module[] = {{7, "LIST", &kList}, {8, "BROKEN", nullptr}};
  const auto own = use_dialog_resources(module);
  DialogRecord other;
  EXPECT_EQ(dialog_init(7, other), kFalse);
  EXPECT_EQ(dialog_init(8, other), kFalse);
  EXPECT_EQ(dialog_init(101, other), kFalse);
  use_dialog_resources(own);
  EXPECT_EQ(dialog_init(101, other), kTrue);
}

void ignore_routine(DialogRecord&, int32_t&, int32_t&) {}

TEST(DialogToolkit, TextsAreCutAndPaddedAndUnknownIdsOrSelectorsChangeNothing) {
  DialogRecord dialog;
  ASSERT_EQ(dialog_init(101, dialog), kTrue);
  EXPECT_EQ(dialog_set_text(dialog, 1000, "abc   "), kTrue);
  EXPECT_EQ(dialog.controls[3].text, "abc");
  EXPECT_EQ(get_text(dialog, 1000, 10), "abc       ");
  EXPECT_EQ(get_text(dialog, 1000, 2), "ab");

  const std::vector<std::string> before = texts_of(dialog);
  std::string untouched = "##";
  EXPECT_EQ(dialog_set_text(dialog, 999, "x"), kFalse);
  EXPECT_EQ(dialog_get_text(dialog, 999, untouched), kFalse);
  EXPECT_EQ(dialog_set_text(dialog, 1000, "x", kSelectorText), kFalse) << "an edit box's text is -5";
  EXPECT_EQ(dialog_set_text(dialog, 1, "x", kSelectorEditText), kFalse);
  EXPECT_EQ(dialog_get_text(dialog, 1001, untouched, -3), kFalse);
  EXPECT_EQ(texts_of(dialog), before);
  EXPECT_EQ(untouched, "##");

  EXPECT_EQ(dialog_set_text(dialog, 1000, "y", kSelectorEditText), kTrue);
  EXPECT_EQ(dialog_set_text(dialog, 1, "Go  ", kSelectorText), kTrue);
  EXPECT_EQ(dialog_set_text(dialog, -1, "label"), kTrue) << "the first control of the id counts";
  EXPECT_EQ(get_text(dialog, 1, 4), "Go  ");
  EXPECT_EQ(dialog.controls[2].text, "label");
  EXPECT_EQ(dialog.controls[4].text, cp1251<"сантиметров">().view());

  EXPECT_EQ(dialog_set_callback(dialog, 2, &ignore_routine), kTrue);
  EXPECT_EQ(dialog.controls[1].clicked, &ignore_routine);
  EXPECT_EQ(dialog_set_callback(dialog, 1, &ignore_routine, kCallbackClicked), kTrue);
  EXPECT_EQ(dialog_set_callback(dialog, 1, nullptr, kCallbackInit), kFalse);
  EXPECT_EQ(dialog_set_callback(dialog, 1000, &ignore_routine, kCallbackClicked), kFalse)
      << "an edit box has no click";
  EXPECT_EQ(dialog_set_callback(dialog, 1000, &ignore_routine), kTrue) << "its main event is a change";
  EXPECT_EQ(dialog.controls[3].changed, &ignore_routine);
  EXPECT_EQ(dialog_set_text_color(dialog, 1000, 0xC0), kFalse) << "only static texts take a colour";
  EXPECT_EQ(dialog_set_callback(dialog, -1, &ignore_routine), kFalse);
  EXPECT_EQ(dialog_set_callback(dialog, 999, &ignore_routine), kFalse);
  EXPECT_EQ(dialog_set_callback(dialog, 101, &ignore_routine, kCallbackClicked), kFalse);
  EXPECT_EQ(dialog_set_callback(dialog, 101, &ignore_routine), kTrue) << "the dialog's own routine";
  EXPECT_EQ(dialog.dialog_routine, &ignore_routine);
  EXPECT_EQ(dialog_run_modal(dialog), -1) << "no window system runs in this process";
}

TEST(DialogToolkit, WindowIsLaidOutInDialogUnitsAndTakesKeysAsTheTemplateSays) {
  static const DialogTemplate& layout = *find_dialog_resource(101)->dialog;
  std::vector<int> tab_order;
  std::string font_family;
  QSize base;
  DialogRobot robot([&](QDialog& dialog) {
    const dialog::BaseUnits units = dialog::base_units(dialog.font());
    base = {units.width, units.height};
    font_family = dialog.fontInfo().family().toStdString();
    EXPECT_EQ(dialog.size(),
              QSize(dialog::horizontal_pixels(units, 334), dialog::vertical_pixels(units, 204)));
    const QPoint owner = display::frame_window()->child_area()->viewport()->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(dialog.pos(),
              owner + QPoint(dialog::horizontal_pixels(units, 50), dialog::vertical_pixels(units, 20)));
    const QList<QWidget*> widgets = dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    EXPECT_EQ(widgets.size(), 23);
    for (int i = 0; i < widgets.size() && i < 23; ++i) {
      const DialogItem& item = layout.items[static_cast<size_t>(i)];
      EXPECT_EQ(widgets[i]->property("zorikan_control_id").toInt(), item.id) << "item " << i;
      EXPECT_EQ(widgets[i]->geometry(), dialog::to_pixels(units, item.x, item.y, item.width, item.height))
          << "item " << i;
    }
    EXPECT_TRUE(testing::push_button(dialog, 1)->isDefault());
    EXPECT_FALSE(testing::push_button(dialog, 2)->isDefault());

    // The focus starts on the first tab stop and Tab walks the template order, past the static texts.
    tab_order.push_back(dialog.focusWidget()->property("zorikan_control_id").toInt());
    for (int i = 0; i < 8; ++i) {
      testing::press_key(dialog, Qt::Key_Tab);
      tab_order.push_back(dialog.focusWidget()->property("zorikan_control_id").toInt());
    }

    // Digits only in 1002-1004; 1000 does not scroll, so typing stops at its right edge; 1001 scrolls.
    testing::retype(testing::edit_box(dialog, 1002), "12a3-4");
    testing::retype(testing::edit_box(dialog, 1003), "5ж6");
    testing::retype(testing::edit_box(dialog, 1000), QString(40, '9'));
    testing::retype(testing::edit_box(dialog, 1001), QString("абв") + QString(37, '7'));
    QLineEdit* no_scroll = testing::edit_box(dialog, 1000);
    EXPECT_LE(no_scroll->fontMetrics().horizontalAdvance(no_scroll->text()), no_scroll->width());
    testing::press_key(dialog, Qt::Key_Escape);
    return true;
  });
  int32_t result = 0;
  std::string distance, diagonal, ny, nx;
  const int code = run_with_dialog([&](DialogRecord& dialog) {
    result = dialog_run_modal(dialog);
    distance = get_text(dialog, 1000, 50);
    diagonal = get_text(dialog, 1001, 50);
    ny = get_text(dialog, 1002, 4);
    nx = get_text(dialog, 1003, 4);
  });
  EXPECT_EQ(code, 0);
  EXPECT_TRUE(robot.finished());
  std::printf("dialog font: %s, base units %d x %d pixels\n", font_family.c_str(), base.width(),
              base.height());
  EXPECT_GT(base.width(), 3);
  EXPECT_GT(base.height(), 8);
  EXPECT_EQ(tab_order, (std::vector<int>{1, 2, 1000, 1001, 1005, 1002, 1003, 1004, 1}));
  EXPECT_EQ(result, 2) << "Esc clicks control 2, whose end-dialog routine returns its id";
  EXPECT_EQ(ny, "1234");
  EXPECT_EQ(nx, "56  ");
  const size_t nines = distance.find_first_not_of('9');
  EXPECT_GT(nines, 5u);
  EXPECT_LT(nines, 40u) << "the box without horizontal scrolling took every key";
  EXPECT_EQ(distance.substr(nines), std::string(50 - nines, ' '));
  EXPECT_EQ(diagonal, std::string(cp1251<"абв">().view()) + std::string(37, '7') + std::string(10, ' '));
}

struct RoutineCall {
  int32_t control_id;
  int32_t callback_type;
};
std::vector<RoutineCall> g_calls;

// Records the call; the button 1 ends the dialog.
void record_and_end_on_1(DialogRecord& dialog, int32_t& control_id, int32_t& callback_type) {
  g_calls.push_back({control_id, callback_type});
  if (control_id == 1) dialog_exit(dialog);
}

TEST(DialogToolkit, EscAndCloseBoxClickControl2AndEnterTheDefaultButton) {
  DialogRobot robot([](QDialog& dialog) {
    testing::press_key(dialog, Qt::Key_Escape);
    testing::press_close_box(dialog);
    EXPECT_TRUE(dialog.isVisible()) << "the dialog ends only when the program ends it";
    testing::click(testing::edit_box(dialog, 1001));
    testing::press_key(dialog, Qt::Key_Return);
    return true;
  });
  int32_t result = 0;
  const int code = run_with_dialog([&](DialogRecord& dialog) {
    dialog_set_callback(dialog, 2, &record_and_end_on_1);
    dialog_set_callback(dialog, 1, &record_and_end_on_1);
    result = dialog_run_modal(dialog);
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(result, 1) << "the return value stays 1 when the program's routine ends the dialog";
  ASSERT_EQ(g_calls.size(), 3u);
  EXPECT_EQ(g_calls[0].control_id, 2);
  EXPECT_EQ(g_calls[0].callback_type, kCallbackClicked);
  EXPECT_EQ(g_calls[1].control_id, 2);
  EXPECT_EQ(g_calls[2].control_id, 1);
  EXPECT_EQ(g_calls[2].callback_type, kCallbackClicked);
}

void set_from_init(DialogRecord& dialog, int32_t& control_id, int32_t& callback_type) {
  EXPECT_EQ(control_id, 101);
  EXPECT_EQ(callback_type, kCallbackInit);
  dialog_set_text(dialog, 1001, "from init");
}

void set_and_end(DialogRecord& dialog, int32_t& control_id, int32_t&) {
  dialog_set_text(dialog, 1004, "77");
  dialog.return_value = control_id * 10;
  dialog_exit(dialog);
}

TEST(DialogToolkit, ExitReadsWhatWasTypedAndTextsSetInRoutinesReachTheScreen) {
  std::string shown_1000;
  DialogRobot robot([&](QDialog& dialog) {
    // The init routine's text reaches the box once the routine has returned.
    if (testing::edit_box(dialog, 1001)->text() != "from init") return false;
    shown_1000 = testing::edit_box(dialog, 1000)->text().toStdString();
    testing::retype(testing::edit_box(dialog, 1000), "65");
    testing::retype(testing::edit_box(dialog, 1004), "123");
    testing::click(testing::push_button(dialog, 2));
    return true;
  });
  int32_t result = 0;
  std::string distance, volume, diagonal;
  const int code = run_with_dialog([&](DialogRecord& dialog) {
    dialog_set_text(dialog, 1000, "before");
    dialog_set_callback(dialog, 101, &set_from_init);
    dialog_set_callback(dialog, 2, &set_and_end);
    result = dialog_run_modal(dialog);
    distance = get_text(dialog, 1000, 10);
    volume = get_text(dialog, 1004, 3);
    diagonal = get_text(dialog, 1001, 9);
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(shown_1000, "before");
  EXPECT_EQ(result, 20);
  EXPECT_EQ(distance, "65        ");
  EXPECT_EQ(volume, "77 ") << "a text set in the routine wins over the one typed";
  EXPECT_EQ(diagonal, "from init");
}

TEST(DialogToolkit, ButtonWithoutRoutineEndsWithItsIdAndTheDialogRunsAgain) {
  QPointer<QDialog> last;
  int dialogs_seen = 0;
  DialogRobot robot([&](QDialog& dialog) {
    if (&dialog == last.data()) return false;  // still going away
    last = &dialog;
    if (++dialogs_seen == 1) {
      testing::retype(testing::edit_box(dialog, 1003), "800");
      testing::click(testing::push_button(dialog, 2));
      return false;
    }
    EXPECT_EQ(testing::edit_box(dialog, 1003)->text(), "800") << "the values are kept for the next run";
    testing::press_key(dialog, Qt::Key_Return);
    return true;
  });
  std::vector<int32_t> results;
  const int code = run_with_dialog([&](DialogRecord& dialog) {
    results.push_back(dialog_run_modal(dialog));
    results.push_back(dialog_run_modal(dialog));
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(dialogs_seen, 2);
  EXPECT_EQ(results, (std::vector<int32_t>{2, 1}));
}

TEST(DialogToolkit, ClosingTheFrameWhileTheDialogIsShownEndsTheProgramThread) {
  DialogRobot robot([](QDialog&) {
    display::frame_widget()->close();
    return true;
  });
  std::atomic<bool> returned{false};
  const int code = run_with_dialog([&](DialogRecord& dialog) {
    dialog_run_modal(dialog);
    returned = true;
  });
  EXPECT_EQ(code, 0);
  EXPECT_TRUE(robot.finished());
  EXPECT_FALSE(returned) << "the program thread ended inside the modal wait";
  EXPECT_EQ(testing::shown_dialog(), nullptr);
}

}  // namespace
}  // namespace zorikan
