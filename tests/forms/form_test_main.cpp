// The form tests need an application object; they run without a screen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

int main(int argc, char** argv) {
  // Listing the tests also makes the application, so this holds for ctest's
  // discovery step as well.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The data folder the form remembers goes to the tests' own settings,
  // never to the user's.
  QTemporaryDir settings;
  qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
  // A fixed day, 62 days after the bundled data's, so that the data line
  // the tests expect does not change with the clock.
  qputenv("ZUMARO_TODAY", "2026-07-27");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
