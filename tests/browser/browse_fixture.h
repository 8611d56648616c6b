#pragma once
// Browsing over a real book in an 800 x 600 window (the book view's test
// fixture), with a host that records what browsing asks of the window.

#include <QKeyEvent>
#include <QStringList>

#include "browser/browse_host.h"
#include "browser/browsing.h"
#include "support/book_fixture.h"
#include "support/qt_print.h"

class RecordingBrowseHost : public BrowseHost {
 public:
  QStringList Log;
  bool EditMode = false;
  bool Letters = false;
  bool DetailsShowing = false;
  QPoint Press;

  bool IsEditMode() const override { return EditMode; }
  bool IsLettersShown() const override { return Letters; }
  QPoint PressPoint() const override { return Press; }
  void RunAction(const QString& name) override { Log << name; }
  void SetShowPictureEnabled(bool enabled) override {
    Log << QStringLiteral("ShowPictureEnabled %1").arg(enabled);
  }
  void PopupPictureMenu(QPoint p) override {
    Log << QStringLiteral("PictureMenu %1,%2").arg(p.x()).arg(p.y());
  }
  void ShowImage(int index) override { Log << QStringLiteral("ShowImage %1").arg(index); }
  void ShowGoto() override { Log << QStringLiteral("ShowGoto"); }
  bool IsDetailsShowing() const override { return DetailsShowing; }
  void OpenDetails(int a, int b) override {
    Log << QStringLiteral("OpenDetails %1 %2").arg(a).arg(b);
  }
  void OpenDetailsReadOnly(int i) override {
    Log << QStringLiteral("OpenDetailsReadOnly %1").arg(i);
  }
  void SetDetailsRange(int a, int b) override {
    Log << QStringLiteral("SetDetailsRange %1 %2").arg(a).arg(b);
  }
};

class BrowseTest : public BookTest {
 protected:
  RecordingBrowseHost host;
  BookBrowsing browsing{book, host};

  // The book's edit mode and the host's agree.
  void SetEditMode(bool on) {
    window.EditMode = on;
    host.EditMode = on;
  }
  void Show(int chapter, int page) { book.ShowSpread(chapter, page); }
  std::pair<int, int> Spread() const { return {view.CurrentChapter, view.CurrentPage}; }
  std::pair<int, int> Selection() const { return {view.SelStart, view.SelEnd}; }
  bool Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent event(QEvent::KeyPress, key, mods);
    return browsing.KeyDown(event);
  }
};
