#pragma once
// Gives the keyboard focus back when a window of the program that had it
// closes (the image view, the go-to dialog, any dialog or message box): to
// the dialog still waiting for an answer, else to the window it was opened
// over, else to the book. A window manager usually does so itself; without
// one the focus would stay nowhere, and the book's keys would do nothing
// until a click.

#include <QObject>

class QWidget;

class FocusReturn : public QObject {
 public:
  // Watches the application's windows on behalf of book; a child of book.
  explicit FocusReturn(QWidget& book);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget& book_;
};
