#pragma once
// The fixtures of the window's tests: a book window for one test (scripted
// prompts, the built-in look at a known place, a temporary folder); browsing
// over a real book with a host that records what browsing asks of the window;
// and an album chapter to edit without a window.

#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QKeyEvent>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

#include "browser/album_browser.h"
#include "browser/browse_host.h"
#include "browser/browsing.h"
#include "browser/editing.h"
#include "core/chapter_undo.h"
#include "core/message_table.h"
#include "init/profile.h"
#include "init/program_settings.h"
#include "support/book_fixture.h"
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
    Show(new AlbumBrowser(&ask_), [this] {
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
    });
  }
  // Takes the window, lets setup place it, shows it and makes it active.
  void Show(AlbumBrowser* window, const std::function<void()>& setup = {}) {
    QuietAboutMasks();
    ASSERT_TRUE(dir_.isValid());
    window_.reset(window);
    if (setup) setup();
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
  // The cell of position pos on the left or right page, in window coordinates.
  QRect CellAt(bool right, int pos) {
    const int spine = W().Book().SpineX();
    const EdgeRect cell = CellRect(right, pos, PageSizeFor(W().size()), Look());
    return cell.ToQRect().translated(right ? spine : 0, 0);
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
  void SetShowPictureEnabled(bool enabled) override { Note("ShowPictureEnabled", enabled); }
  void PopupPictureMenu(QPoint p) override { Note("PictureMenu", p.x(), p.y()); }
  void ShowImage(int index) override { Note("ShowImage", index); }
  void ShowGoto() override { Note("ShowGoto"); }
  bool IsDetailsShowing() const override { return DetailsShowing; }
  void OpenDetails(int a, int b) override { Note("OpenDetails", a, b); }
  void OpenDetailsReadOnly(int i) override { Note("OpenDetailsReadOnly", i); }
  void SetDetailsRange(int a, int b) override { Note("SetDetailsRange", a, b); }

 private:
  // One line of the log: the call's name and its numbers.
  template <typename... Numbers>
  void Note(const char* call, Numbers... numbers) {
    QString line = QLatin1String(call);
    ((line += u' ' + QString::number(numbers)), ...);
    Log << line;
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

// An album chapter to edit without a window: the model, its undo stack, the
// editor with scripted prompts, and thumbnails that name their file so a
// test can tell each is still the picture of its image.

// Stand-in thumbnails that remember the file each was made from.
inline ThumbnailList ThumbsFor(const QStringList& files) {
  ThumbnailList thumbnails;
  for (const QString& file : files) {
    QImage image(1, 1, QImage::Format_ARGB32);
    image.setText(QStringLiteral("file"), file);
    thumbnails.append({image, QPoint(), QSize(1, 1)});
  }
  return thumbnails;
}
inline QString FileOf(const Thumbnail& thumbnail) {
  return thumbnail.Picture.text(QStringLiteral("file"));
}

struct EditEnv {
  static constexpr int kChapter = 1;
  OpenAlbum Album;
  AlbumModel& Model = Album.Model;
  ViewState& View = Album.View;
  AlbumThumbnails& Thumbs = Album.Thumbs;
  AlbumUndo Undo{Album};
  ScriptedPrompts Ask;
  QStringList Made;  // every file a thumbnail was made for
  ChapterEditor Editor{Undo, Ask, [this](const QStringList& files) {
                         Made << files;
                         return NewImages{ThumbsFor(files), {}};
                       }};

  // Chapter 1 shown at spread 0 with images "p0".."p<count-1>", each with
  // details of its own and its thumbnail loaded, as opened from its files.
  explicit EditEnv(int count) {
    Model.DataFiles = {QStringLiteral("/album/main.xml"), QStringLiteral("c1.xml")};
    Model.ImageDirs = {QString(), QString()};
    Model.DataTitles = {QStringLiteral("Album"), QStringLiteral("One")};
    Model.ChapterNames = {QStringLiteral("One")};
    View.CurrentChapter = kChapter;
    View.CurrentPage = 0;
    ImageList data;
    for (int i = 0; i < count; ++i) {
      const QString n = QString::number(i);
      data.append({QStringLiteral("p") + n, QStringLiteral("title ") + n,
                   QStringLiteral("date ") + n, QStringLiteral("place ") + n,
                   QStringLiteral("people ") + n});
    }
    ImageEdits::SetChapter(Model, kChapter, data);
    Thumbs.Lists[kChapter] = ThumbsFor(FilesOf(data));
    Thumbs.Loaded[kChapter] = true;
    for (int k = 0; k < MaxDataFiles; ++k) Model.MarkSaved(k);  // as opened
  }

  const ImageList& Chapter() const { return Model.Images(kChapter); }
  void Select(int a, int b) {
    View.SelStart = a;
    View.SelEnd = b;
  }
  // The chapter's files, the leading "p" of the first ones left out: "0 1 a 4".
  QString Order() {
    QStringList order;
    for (const ImageRecord& image : Chapter())
      order << (image.File.startsWith(u'p') ? image.File.mid(1) : image.File);
    return order.join(u' ');
  }
  // One thumbnail per image, each made from its own file.
  void ExpectParallel() {
    const ImageList& data = Chapter();
    const auto n = data.size();
    ASSERT_EQ(Thumbs.Lists[kChapter].size(), n);
    for (qsizetype i = 0; i < n; ++i) {
      EXPECT_EQ(FileOf(Thumbs.Lists[kChapter][i]), data[i].File) << i;
      // Details travel with their file.
      if (data[i].File.startsWith(u'p')) {
        EXPECT_EQ(data[i].Title, QStringLiteral("title ") + data[i].File.mid(1)) << i;
      }
    }
  }
};
