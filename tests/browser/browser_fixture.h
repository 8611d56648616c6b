#pragma once
// A book window for one test: scripted prompts, the built-in look at a known
// place, a temporary folder, and a small album to open.

#include <gtest/gtest.h>

#include <QAction>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "browser/album_browser.h"
#include "init/profile.h"
#include "init/program_settings.h"
#include "support/qt_print.h"
#include "support/scripted_prompts.h"

// Waits (processing events, at most 5 s) until cond holds; fails the test
// otherwise. QTRY_* report to QtTest, which GoogleTest never hears of.
#define QV_WAIT(cond) \
  ASSERT_TRUE(QTest::qWaitFor([&] { return bool(cond); })) << "waited in vain for " #cond

// The offscreen platform keeps a window's mask without applying it, and says
// so on every outline; the outline is checked through QWidget::mask().
inline void QuietAboutMasks() {
  static const QtMessageHandler next = qInstallMessageHandler(
      [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (!text.contains(QLatin1String("support setting window masks")))
          next(type, context, text);
      });
}

class BrowserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QuietAboutMasks();
    ASSERT_TRUE(dir_.isValid());
    window_ = std::make_unique<AlbumBrowser>(&ask_);
    Settings() = DefaultProgramSettings();
    Settings().Profile = Path("default.AFM");  // not there: the built-in look
    SetDefaultProfile(Look());
    Look().CoverTexture.clear();
    Look().PageTexture.clear();
    Look().FormLeft = 20;
    Look().FormTop = 30;
    Look().FormWidth = 600;
    Look().FormHeight = 400;
    window_->PositionWindow();
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    Activate();
  }

  // Shortcuts reach the active window only.
  void Activate() {
    window_->activateWindow();
    QV_WAIT(window_->isActiveWindow());
  }

  QString Path(const QString& name) const { return dir_.filePath(name); }
  AlbumBrowser& W() { return *window_; }
  AlbumModel& Model() { return window_->Model(); }
  ViewState& View() { return window_->View(); }
  AlbumThumbnails& Thumbs() { return window_->Thumbs(); }
  AlbumLook& Look() { return window_->Document().Look; }
  ProgramSettings& Settings() { return window_->Document().Settings; }
  // The cursor shown at p. A move to where the pointer already is (left
  // there by an earlier test) sends no event: step off first.
  BookCursor CursorAt(QPoint p) {
    QTest::mouseMove(&W(), p - QPoint(1, 1));
    QTest::mouseMove(&W(), p);
    return W().CursorShowing();
  }

  // The book tests' look: 800 x 600 at the screen's corner, 3 rows x 4 columns.
  void UseBookLook() {
    Look().RowCount = 3;
    Look().ColumnCount = 4;
    Look().FormLeft = Look().FormTop = 0;
    Look().FormWidth = 800;
    Look().FormHeight = 600;
    W().PositionWindow();
  }
  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(window_.get(), static_cast<Qt::Key>(key), modifiers);
  }

  // A new album (edit mode, panel out) whose chapter 0 holds count images
  // without pictures, shown at spread 0 and saved nowhere yet.
  void NewAlbumWith(int count) {
    ASSERT_TRUE(W().RunAction(QStringLiteral("FileNew")));
    ImageEdits::SetChapter(Model(), 0, ImageList(count));
    Thumbs().Lists[0] = QList<Thumbnail>(count);
    Thumbs().Loaded[0] = true;
    W().RebuildPages();
  }

  QTemporaryDir dir_;
  ScriptedPrompts ask_;
  std::unique_ptr<AlbumBrowser> window_;
};
