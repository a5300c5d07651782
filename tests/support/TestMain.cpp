#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>

// Every test binary gets one QApplication on the offscreen platform, so widgets,
// fonts and the clipboard work without a display. Configuration goes to Qt's test
// folders, never to the user's own settings.
int main(int argc, char** argv) {
  QStandardPaths::setTestModeEnabled(true);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
