// The main of every Qt test program. gtest_discover_tests may run the program
// outside ctest's environment, so the offscreen platform is chosen here too.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QStandardPaths::setTestModeEnabled(true);
  // The desktop's shared thumbnail cache of this run, not the user's; made
  // before the application so that it is removed after pending writes end.
  QTemporaryDir cacheHome;
  if (cacheHome.isValid()) qputenv("XDG_CACHE_HOME", cacheHome.path().toUtf8());
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
