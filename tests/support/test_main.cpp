// Test entry point: every test process runs on Qt's offscreen platform unless told otherwise, with the
// fonts of the test font folder where the build names one.
#include <gtest/gtest.h>
#include <QApplication>
#include <QFont>

#include "display/display.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" ZORIKAN_OFFSCREEN_CONFIG);
  }
#ifdef ZORIKAN_TEST_FONT_DIR
  if (qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR")) qputenv("QT_QPA_FONTDIR", ZORIKAN_TEST_FONT_DIR);
#endif
  zorikan::prepare_application();
  QApplication app(argc, argv);
#ifdef ZORIKAN_TEST_FONT_DIR
  // The folder's faces answer to Windows' names as their metric twins, as Wine and fontconfig answer them.
  QFont::insertSubstitution("Times New Roman", "Liberation Serif");
  QFont::insertSubstitution("Arial", "Liberation Sans");
  QFont::insertSubstitution("Courier New", "Liberation Mono");
#endif
  return RUN_ALL_TESTS();
}
