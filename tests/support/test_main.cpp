// Test entry point: every test process runs on Qt's offscreen platform unless told otherwise.
#include <gtest/gtest.h>
#include <QApplication>

#include "display/display.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" ZORIKAN_OFFSCREEN_CONFIG);
  }
  zorikan::prepare_application();
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
