#pragma once
// The application a Qt fuzz target runs in: offscreen, test-mode paths and a
// thumbnail cache of its own, made on the first input and ended at exit
// (windows a target keeps must be function statics made after it).

#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <memory>

inline const QTemporaryDir& FuzzScratch() {
  static const QTemporaryDir dir;
  return dir;
}

inline void FuzzApp() {
  static int argc = 1;
  static char name[] = "fuzz";
  static char* argv[] = {name, nullptr};
  static const std::unique_ptr<QApplication> app = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_CACHE_HOME", FuzzScratch().filePath("cache").toUtf8());
    QStandardPaths::setTestModeEnabled(true);
    return std::make_unique<QApplication>(argc, argv);
  }();
}
