#pragma once
// The tests' way through modal dialogs, which block their caller in a loop
// of their own: a timer polls from within that loop.

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>

// Runs act; the first modal window it shows is given to step, and every one still showing
// afterwards is closed with Escape. The first modal window seen, or nullptr.
inline QWidget* WithModal(const std::function<void()>& act,
                          const std::function<void(QWidget*)>& step = {}) {
  QWidget* seen = nullptr;
  QTimer poll;
  poll.setInterval(0);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) return;
    if (seen == nullptr) {
      seen = modal;
      if (step) step(modal);
    }
    if (modal->isVisible()) QTest::keyClick(modal, Qt::Key_Escape);
  });
  poll.start();
  act();
  return seen;
}
