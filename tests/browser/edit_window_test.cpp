// Editing driven through the real book window: keys, mouse drags at points
// computed from the book's geometry, and dropped files.

#include "browser/edit_window.h"

#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>

#include "browser/browse_window.h"
#include "browser/edit_browse.h"
#include "browser_fixture.h"
#include "core/data_file.h"
#include "support/controls.h"
#include "support/photo_test_files.h"
#include "support/settings_folder.h"
#include "support/test_files.h"

namespace {

// An 800 x 600 book window, 3 rows x 4 columns, in edit mode on spread 0 of
// a chapter of count tiny JPEGs named "0.jpg", "1.jpg", ...
class EditWindowTest : public BrowserTest {
 protected:
  EditWindow* edit = nullptr;
  QImage picture{16, 12, QImage::Format_RGB32};

  void SetUp() override {
    BrowserTest::SetUp();
    UseBookLook();
    edit = new EditWindow(W());
    ConnectEditing(*edit, *new BrowseWindow(W()));
    picture.fill(Qt::darkGreen);
  }

  // With chapterCount > 0 a chapter 1 follows, of images "c0.jpg", "c1.jpg", ...
  void Open(int count, int chapterCount = 0) {
    AlbumModel& model = Model();
    W().Album().ResetToStart();
    model.DataFiles = {dir_.filePath(QStringLiteral("main.xml"))};
    const auto files = [this](const QString& prefix, int n) {
      QStringList names;
      for (int i = 0; i < n; ++i) names << File(prefix + QString::number(i));
      return ImagesOf(names);
    };
    ImageEdits::SetChapter(model, 0, files(QString(), count));
    if (chapterCount > 0) {
      model.DataFiles << QStringLiteral("c1.xml");
      model.ChapterNames = {QStringLiteral("One")};
      model.ImageDirs = {QString(), QString()};
      model.DataTitles = {QString(), QString()};
    }
    ImageEdits::SetChapter(model, 1, files(QStringLiteral("c"), chapterCount));
    for (int k = 0; k < MaxDataFiles; ++k) model.MarkSaved(k);  // as opened
    window_->PositionWindow();
    window_->ShowSpread(0, 0);
    if (!window_->IsEditMode()) {
      ASSERT_TRUE(window_->RunAction(QStringLiteral("EditMode")));
    }
  }
  QString File(const QString& name) {
    const QString file = dir_.filePath(name + QStringLiteral(".jpg"));
    if (!QFile::exists(file)) picture.save(file, "JPG");
    return file;
  }
  // The chapter's files by their names without folder and extension.
  QString Order() {
    QStringList names;
    for (const ImageRecord& image : Model().Images(0)) names << QFileInfo(image.File).baseName();
    return names.join(u' ');
  }
  QString Selection() { return QStringLiteral("%1..%2").arg(View().SelStart).arg(View().SelEnd); }
  // Image i's cell on spread 0 (the right page).
  QRect CellOf(int i) { return CellAt(true, i); }
  // A click on image a, then a Shift+click on image b.
  void Select(int a, int b) {
    Hover(CellOf(a).center());
    QTest::mouseClick(window_.get(), Qt::LeftButton, {}, CellOf(a).center());
    QTest::mouseClick(window_.get(), Qt::LeftButton, Qt::ShiftModifier, CellOf(b).center());
  }
  // A move with no button held (QTest's own move repeats the last button).
  void Hover(QPoint p) {
    QMouseEvent move(QEvent::MouseMove, QPointF(p), QPointF(window_->mapToGlobal(p)), Qt::NoButton,
                     Qt::NoButton, {});
    QApplication::sendEvent(window_.get(), &move);
  }
  // Sends a drop of files at p, after its drag entered; true when accepted.
  bool DropFiles(const QStringList& files, QPoint p) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& file : files) urls << QUrl::fromLocalFile(file);
    data.setUrls(urls);
    QDragEnterEvent enter(p, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(window_.get(), &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(p), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(window_.get(), &drop);
    return drop.isAccepted();
  }
};

TEST_F(EditWindowTest, DraggingTheSelectionMovesItWithAMarkerOnTheLandingSide) {
  const struct {
    int a, b, target;
    bool marker;
    const char* order;
    const char* selection;
  } cases[] = {
      {2, 3, 6, true, "0 1 4 5 6 2 3 7", "5..6"},
      {2, 3, 0, true, "2 3 0 1 4 5 6 7", "0..1"},
      {2, 4, 3, false, "0 1 2 3 4 5 6 7", "2..4"},
  };
  for (const auto& c : cases) {
    Open(8);
    Select(c.a, c.b);
    const QPoint from = CellOf(c.a).center();
    const QRect target = CellOf(c.target);
    Hover(from);
    QTest::mousePress(window_.get(), Qt::LeftButton, {}, from);
    QTest::mouseMove(window_.get(), from + QPoint(0, 15));
    QTest::mouseMove(window_.get(), target.center());
    EXPECT_EQ(edit->DragIndex(), c.marker ? c.target : -1) << c.target;
    // The marker is a navy line just inside the cell's frame, on the side
    // the images will land.
    const int x = c.target > c.b ? target.right() + 2 : target.left() - 1;
    const QImage shot = window_->grab().toImage();
    EXPECT_EQ(shot.pixelColor(x, target.center().y()) == QColor(0, 0, 0x80), c.marker) << c.target;
    QTest::mouseRelease(window_.get(), Qt::LeftButton, {}, target.center());
    EXPECT_EQ(Order(), QLatin1String(c.order)) << c.target;
    EXPECT_EQ(Selection(), QLatin1String(c.selection)) << c.target;
    EXPECT_EQ(Thumbs().Lists[0].size(), 8);
  }
}

TEST_F(EditWindowTest, KeysCopyPasteDeleteUndoAndRedo) {
  Open(10);
  Select(2, 4);
  Key(Qt::Key_C, Qt::ControlModifier);
  Select(7, 7);
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Order(), "0 1 2 3 4 5 6 2 3 4 7 8 9");
  EXPECT_EQ(Selection(), "7..9");
  EXPECT_TRUE(Model().DataModified[0]);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Order(), "0 1 2 3 4 5 6 7 8 9");
  EXPECT_EQ(Selection(), "7..7");
  EXPECT_FALSE(Model().DataModified[0]);
  Key(Qt::Key_Y, Qt::ControlModifier);
  Key(Qt::Key_Z, Qt::ControlModifier);
  Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Selection(), "7..9");

  // The last images go: the new last one is selected.
  edit->SelectRange(11, 12);
  ask_.OkCancelAnswers = {true};
  Key(Qt::Key_Delete);
  EXPECT_EQ(Order(), "0 1 2 3 4 5 6 2 3 4 7");
  EXPECT_EQ(Selection(), "10..10");
  // Cut with Cancel keeps the images; the clipboard takes them all the same.
  Key(Qt::Key_A, Qt::ControlModifier);
  ask_.OkCancelAnswers = {false, true};
  Key(Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(Model().ImageCount(0), 11);
  Key(Qt::Key_Delete);
  EXPECT_EQ(Model().ImageCount(0), 0);
  EXPECT_EQ(View().CurrentPage, 0);
  EXPECT_EQ(edit->Editor().Clipboard().Count(), 11);
}

TEST_F(EditWindowTest, EditModeFramesWhatDeleteRemovesAndNothingUnseen) {
  Open(12);  // one page of images: spread 2 shows none
  const QPoint frame(CellOf(0).left() - 3, CellOf(0).center().y());
  const auto framed = [&] {
    return window_->grab().toImage().pixelColor(frame) == QColor(0, 0, 0x80);
  };
  EXPECT_TRUE(framed());
  Key(Qt::Key_Escape);
  EXPECT_FALSE(framed()) << "leaving edit mode takes the frame away";
  Key(Qt::Key_F5);
  EXPECT_TRUE(framed()) << "the same selection is framed again";

  // On a spread without images Delete and Cut remove nothing, before and
  // after edit mode turns on there.
  Key(Qt::Key_PageDown);
  ASSERT_EQ(View().CurrentPage, 2);
  Key(Qt::Key_Delete);
  Key(Qt::Key_X, Qt::ControlModifier);
  Key(Qt::Key_Escape);
  Key(Qt::Key_F5);
  EXPECT_EQ(View().SelEnd, -1);
  Key(Qt::Key_Delete);
  EXPECT_EQ(Model().ImageCount(0), 12);
  EXPECT_EQ(Order(), "0 1 2 3 4 5 6 7 8 9 10 11");
  EXPECT_TRUE(ask_.Log.isEmpty()) << ask_.Log.join(u'\n').toStdString();
}

TEST_F(EditWindowTest, ClipboardSurvivesNewAndAddingToAnEmptyChapterSelectsTheNewImages) {
  Open(3);
  Select(0, 1);
  Key(Qt::Key_C, Qt::ControlModifier);
  Key(Qt::Key_N, Qt::ControlModifier);  // nothing changed: no question
  ASSERT_TRUE(window_->IsEditMode());
  EXPECT_EQ(edit->Undo().Stack().count(), 0);
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Order(), "0 1");
  Key(Qt::Key_Z, Qt::ControlModifier);
  ASSERT_EQ(Model().ImageCount(0), 0);

  ask_.OpenFileNames = {File("x"), File("y"), File("z")};
  Key(Qt::Key_Plus, Qt::KeypadModifier);
  EXPECT_EQ(Order(), "x y z");
  EXPECT_EQ(Selection(), "0..2");
  ASSERT_EQ(Thumbs().Lists[0].size(), 3);
  EXPECT_FALSE(Thumbs().Lists[0][2].IsNull());
}

TEST_F(EditWindowTest, AddedPhotosBringTheirDetailsInOneUndoStepUnlessSwitchedOff) {
  Open(2);
  ImageList dated = Model().Images(0);
  dated[0].Date = QStringLiteral("5. 6. 2004");
  dated[1].Date = QStringLiteral("17. 12. 2003");
  ImageEdits::SetChapter(Model(), 0, dated);
  const QString exif = dir_.filePath(QStringLiteral("exif.jpg"));
  const QString iptc = dir_.filePath(QStringLiteral("iptc.jpg"));
  ASSERT_TRUE(WritePhoto(exif, {{"Exif.Photo.DateTimeOriginal", "2004:06:25 14:30:00"},
                                {"Exif.Image.ImageDescription", "OLYMPUS DIGITAL CAMERA"},
                                {"Xmp.iptcExt.PersonInImage", "Jana\nPetr"}}));
  ASSERT_TRUE(WritePhoto(iptc, {{"Iptc.Application2.City", "Brno"},
                                {"Iptc.Application2.Caption", "Castle"},
                                {"Iptc.Application2.DateCreated", "2001-02-03"}}));
  const QByteArray before = ReadAll(exif) + ReadAll(iptc);

  ask_.OpenFileNames = {exif, iptc, File("plain")};
  Key(Qt::Key_Plus, Qt::KeypadModifier);
  ASSERT_EQ(Model().ImageCount(0), 5);
  const ImageList& added = Model().Images(0);
  EXPECT_EQ(added[2], (ImageRecord{exif, "", "25. 6. 2004", "", "Jana, Petr"}));
  EXPECT_EQ(added[3], (ImageRecord{iptc, "Castle", "3. 2. 2001", "Brno", ""}));
  EXPECT_EQ(added[4], (ImageRecord{File("plain"), "", "", "", ""}));
  EXPECT_EQ(ReadAll(exif) + ReadAll(iptc), before);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Model().Images(0), dated);

  // Copied in a file manager: the pictures among the files go in at the
  // selection as one step; a Copy here is newer, and a new copy there again.
  WriteAll(Path("notes.txt"), "x");
  auto* copied = new QMimeData;
  copied->setUrls({QUrl::fromLocalFile(Path("notes.txt")), QUrl::fromLocalFile(iptc)});
  QGuiApplication::clipboard()->setMimeData(copied);
  Select(1, 1);
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Model().Images(0)[1], (ImageRecord{iptc, "Castle", "3. 2. 2001", "Brno", ""}));
  EXPECT_FALSE(Thumbs().Lists[0][1].IsNull());
  Select(0, 0);
  Key(Qt::Key_C, Qt::ControlModifier);
  Key(Qt::Key_V, Qt::ControlModifier);
  copied = new QMimeData;
  copied->setData("x-special/gnome-copied-files", "copy\n" + QUrl::fromLocalFile(exif).toEncoded());
  QGuiApplication::clipboard()->setMimeData(copied);
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(FilesOf(Model().Images(0)), QStringList({exif, File("0"), File("0"), iptc, File("1")}));
  QGuiApplication::clipboard()->clear();
  for (int undo = 0; undo < 3; ++undo) Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Model().Images(0), dated);

  Settings().ReadPhotoDetails = false;
  EXPECT_TRUE(DropFiles({exif}, CellOf(0).center()));
  EXPECT_EQ(Model().Images(0)[0], (ImageRecord{exif, "", "", "", ""}));
}

// Two a.jpg told apart by their dates, one photo truly gone, the folder
// moved and renamed: every other picture is relinked in one step.
TEST_F(EditWindowTest, FindMissingPhotosRelinksMovedFoldersAfterOpening) {
  QDir(dir_.path()).mkpath(QStringLiteral("photos/2004"));
  QDir(dir_.path()).mkpath(QStringLiteral("photos/2005"));
  ASSERT_TRUE(WritePhoto(Path("photos/2004/a.jpg"),
                         {{"Exif.Photo.DateTimeOriginal", "2004:06:15 10:00:00"}}));
  ASSERT_TRUE(WritePhoto(Path("photos/2005/a.jpg"),
                         {{"Exif.Photo.DateTimeOriginal", "2005:07:18 10:00:00"}}));
  ASSERT_TRUE(WritePhoto(Path("photos/b.jpg"), {}));
  ASSERT_TRUE(WritePhoto(Path("photos/gone.jpg"), {}));
  AlbumModel album;
  album.DataFiles = {Path("main.xml"), QStringLiteral("c1.xml")};
  album.ImageDirs = {QString(), QString()};
  album.DataTitles = {QString(), QString()};
  album.ChapterNames = {QStringLiteral("One")};
  const ImageList before[] = {{{Path("photos/2004/a.jpg"), "", "15. 6. 2004", "", ""},
                               {Path("photos/b.jpg"), "", "", "", ""}},
                              {{Path("photos/2005/a.jpg"), "", "18. 7. 2005", "", ""},
                               {Path("photos/gone.jpg"), "", "", "", ""}}};
  for (int k = 0; k < 2; ++k) ImageEdits::SetChapter(album, k, before[k]);
  WriteAll(Path("main.xml"), DataFileBytes(album, 0));
  WriteAll(Path("c1.xml"), DataFileBytes(album, 1));
  QDir dir(dir_.path());
  ASSERT_TRUE(dir.mkdir(QStringLiteral("moved")));
  ASSERT_TRUE(dir.rename(QStringLiteral("photos"), QStringLiteral("moved/pictures")));
  ASSERT_TRUE(
      dir.rename(QStringLiteral("moved/pictures/2004"), QStringLiteral("moved/pictures/summer")));
  ASSERT_TRUE(
      dir.rename(QStringLiteral("moved/pictures/2005"), QStringLiteral("moved/pictures/later")));
  ASSERT_TRUE(QFile::remove(Path("moved/pictures/gone.jpg")));

  const SettingsFolder settings(Path("config"));  // where a declined offer is kept
  ask_.YesNoAnswers = {true};
  ask_.Directories = {Path("moved")};
  window_->hide();  // asked over the painted book, never before it shows
  W().OpenFile(Path("main.xml"));
  QCoreApplication::processEvents();
  EXPECT_TRUE(ask_.Log.isEmpty());
  window_->show();
  QV_WAIT(ask_.Log.size() == 3);
  EXPECT_TRUE(ask_.Log[0].startsWith("yesno: Pictures of this album not where the album says: 4."))
      << ask_.Log[0].toStdString();
  EXPECT_TRUE(ask_.Log[2].startsWith("warning: Missing pictures found: 3. Still missing: 1.\n\n" +
                                     QDir::toNativeSeparators(Path("photos/gone.jpg"))))
      << ask_.Log[2].toStdString();
  const QStringList found = {FilesOf(Model().Images(0)) + FilesOf(Model().Images(1))};
  const QStringList relinked = {Path("moved/pictures/summer/a.jpg"), Path("moved/pictures/b.jpg"),
                                Path("moved/pictures/later/a.jpg"), Path("photos/gone.jpg")};
  EXPECT_EQ(found, relinked);
  EXPECT_TRUE(Model().DataModified[0] && Model().DataModified[1]);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Model().Images(1), before[1]);
  EXPECT_EQ(Model().Images(0), before[0]);
  Key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(FilesOf(Model().Images(0)) + FilesOf(Model().Images(1)), relinked);

  ASSERT_TRUE(W().RunAction(QStringLiteral("SaveAll")));
  ask_.Log.clear();
  ask_.YesNoAnswers = {false};  // only the gone one is asked about
  W().OpenFile(Path("main.xml"));
  QV_WAIT(ask_.Log.size() == 1);
  EXPECT_TRUE(ask_.Log[0].startsWith("yesno: Pictures of this album not where the album says: 1."))
      << ask_.Log[0].toStdString();
  EXPECT_EQ(FilesOf(Model().Images(0)) + FilesOf(Model().Images(1)), relinked);
  W().OpenFile(Path("main.xml"));  // declined: not asked again while one is missing
  window_->repaint();
  QCoreApplication::processEvents();
  EXPECT_EQ(ask_.Log.size(), 1);
  for (int k = 0; k < 2; ++k) {
    W().LoadThumbnails(k);
    ASSERT_EQ(Thumbs().Lists[k].size(), 2);
    EXPECT_FALSE(Thumbs().Lists[k][0].IsNull());
  }
  EXPECT_FALSE(Thumbs().Lists[0][1].IsNull());
}

TEST_F(EditWindowTest, DroppedFilesGoInAtTheDropPointOnlyInEditMode) {
  Open(4);
  EXPECT_TRUE(DropFiles({File("b"), File("a")}, CellOf(1).center()));
  EXPECT_EQ(Order(), "0 b a 1 2 3");
  EXPECT_EQ(Selection(), "1..2");
  EXPECT_TRUE(DropFiles({File("c")}, QPoint(5, 300)));  // beside the images
  EXPECT_EQ(Order(), "0 b a 1 2 3 c");

  ASSERT_TRUE(window_->RunAction(QStringLiteral("EditMode")));
  EXPECT_FALSE(DropFiles({File("d")}, CellOf(1).center()));
  EXPECT_EQ(Model().ImageCount(0), 7);

  // A data file dropped outside edit mode opens, after the save question.
  AlbumModel other;
  other.DataFiles = {dir_.filePath(QStringLiteral("other.xml"))};
  ImageEdits::SetChapter(other, 0, ImagesOf({File("o")}));
  WriteAll(other.DataFiles[0], DataFileBytes(other, 0));
  ask_.YesNoCancelAnswers = {PromptAnswer::No};
  EXPECT_TRUE(DropFiles({other.DataFiles[0]}, CellOf(0).center()));
  EXPECT_EQ(Order(), "o");
  EXPECT_EQ(edit->Undo().Stack().count(), 0);
}

TEST_F(EditWindowTest, PropertiesDialogOpensByKeyAndDoubleClickAndBlocksCommands) {
  Open(6);
  ASSERT_TRUE(window_->RunAction(QStringLiteral("EditMode")));  // browse mode
  Hover(CellOf(2).center());
  Key(Qt::Key_F6);
  PicDetailsDialog& details = edit->Details();
  ASSERT_TRUE(details.isVisible());
  EXPECT_FALSE(details.IsEditing());
  EXPECT_EQ(Control<QLabel>(&details, "lbNr")->text(), "3");
  details.hide();

  Hover(CellOf(4).center());
  QTest::mouseDClick(window_.get(), Qt::LeftButton, {}, CellOf(4).center());
  ASSERT_TRUE(details.isVisible());
  EXPECT_TRUE(details.IsEditing());
  EXPECT_EQ(Control<QLabel>(&details, "lbNr")->text(), "5");
  QTest::keyClicks(Control<QLineEdit>(&details, "edTitle"), QStringLiteral("Dusk"));
  EXPECT_TRUE(Model().DataModified[0]);
  window_->activateWindow();
  Key(Qt::Key_N, Qt::ControlModifier);  // New, disabled while the dialog shows
  EXPECT_EQ(Model().ImageCount(0), 6);
  QTest::mouseClick(Control(&details, "btApply"), Qt::LeftButton);
  EXPECT_EQ(Model().Images(0)[4].Title, "Dusk");
  QTest::keyClick(&details, Qt::Key_Escape);
  EXPECT_FALSE(details.isVisible());
  window_->activateWindow();
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Model().Images(0)[4].Title, "");
  EXPECT_FALSE(Model().DataModified[0]);
}

TEST_F(EditWindowTest, PropertiesDialogFollowsAPageTurnIntoTheNextChapter) {
  Open(3, 2);
  Hover(CellOf(1).center());
  QTest::mouseDClick(window_.get(), Qt::LeftButton, {}, CellOf(1).center());
  PicDetailsDialog& details = edit->Details();
  ASSERT_TRUE(details.isVisible());
  EXPECT_EQ(Control<QLineEdit>(&details, "edFilename")->text(), "1.jpg");
  Key(Qt::Key_PageDown);
  Key(Qt::Key_PageDown);
  ASSERT_EQ(View().CurrentChapter, 1);
  // Edit mode selects the new chapter's first image; the dialog shows it.
  EXPECT_EQ(Control<QLineEdit>(&details, "edFilename")->text(), "c0.jpg");
  EXPECT_EQ(Control<QLabel>(&details, "lbNr")->text(), "1");
  QTest::keyClicks(Control<QLineEdit>(&details, "edTitle"), QStringLiteral("Pier"));
  QTest::mouseClick(Control(&details, "btApply"), Qt::LeftButton);
  EXPECT_EQ(Model().Images(1)[0].Title, "Pier");
  EXPECT_EQ(Model().Images(1)[1].Title, "");
  for (const ImageRecord& image : Model().Images(0)) EXPECT_EQ(image.Title, "");
  EXPECT_FALSE(Model().DataModified[0]);
  EXPECT_TRUE(Model().DataModified[1]);
}

}  // namespace
