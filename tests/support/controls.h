#pragma once
// Finding a window's control by its object name, the name language files
// address it by: tests reach controls the same way.

#include <gtest/gtest.h>

#include <QLatin1String>
#include <QObject>

// The control of that name and type under window; fails the test when there
// is none (the null then ends the test).
template <typename T = QWidget>
T* Control(const QObject* window, const char* name) {
  T* control = window->findChild<T*>(QLatin1String(name));
  if (control == nullptr) ADD_FAILURE() << "no control " << name;
  return control;
}
