// The widget tests need one application object, on the offscreen platform unless told otherwise.
#include <gtest/gtest.h>
#include <QApplication>
#include <QStandardPaths>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QStandardPaths::setTestModeEnabled(true);  // keep the user's own folders out of the tests
  QApplication app(argc, argv);
  QApplication::setOrganizationName("Plovk");
  QApplication::setApplicationName("Magmo3Tests");
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
