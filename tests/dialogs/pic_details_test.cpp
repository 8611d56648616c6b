// The image properties dialog driven with keys and clicks, over a chapter of
// eight images whose thumbnails name their files.

#include "dialogs/pic_details.h"

#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "core/chapter_undo.h"
#include "dialogs/pic_details_date.h"
#include "init/profile.h"
#include "support/controls.h"
#include "support/photo_test_files.h"
#include "support/qt_print.h"
#include "support/scripted_prompts.h"

namespace {

Thumbnail ThumbFor(const QString& file) {
  QImage image(1, 1, QImage::Format_ARGB32);
  image.setText(QStringLiteral("file"), file);
  return {image, QPoint(), QSize(1, 1)};
}

class PicDetails : public ::testing::Test, public DetailsHost {
 protected:
  void SetUp() override {
    model.DataFiles = {QStringLiteral("/album/main.xml")};
    model.ImageDirs = {QString()};
    model.DataTitles = {QString()};
    view.CurrentChapter = 0;
    view.CurrentPage = 0;
    ImageList images;
    for (int i = 0; i < 8; ++i) {
      images.append({QStringLiteral("/album/p%1.jpg").arg(i), QStringLiteral("title %1").arg(i),
                     QStringLiteral("spring %1").arg(i), QStringLiteral("place %1").arg(i),
                     QStringLiteral("people %1").arg(i)});
      thumbs.Lists[0] << ThumbFor(images.last().File);
    }
    ImageEdits::SetChapter(model, 0, images);
    thumbs.Loaded[0] = true;
    model.MarkSaved(0);
  }

  // The window's side: the selection changes and the dialog follows.
  void SelectRange(int a, int b) override {
    selections << QStringLiteral("%1-%2").arg(a).arg(b);
    view.SelStart = a;
    view.SelEnd = b;
    if (dialog.IsShowing()) dialog.SetDetailsRange(a, b);
  }
  ThumbnailList MakeThumbnails(const QStringList& files) override {
    ThumbnailList thumbnails;
    for (const QString& file : files) thumbnails << ThumbFor(file);
    return thumbnails;
  }

  template <typename T = QLineEdit>
  T* Find(const char* name) const {
    return Control<T>(&dialog, name);
  }
  DateEdit* Date() const { return dynamic_cast<DateEdit*>(Find("edDate")); }
  QString Enabled() const {
    QString flags;
    for (const char* field :
         {"edFilename", "btFilename", "edDate", "edPlace", "edPeople", "edTitle"})
      flags += Find<QWidget>(field)->isEnabled() ? u'1' : u'0';
    return flags;
  }
  // Typing replaces a field's text, as a user selecting all and typing does.
  static void Type(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
  }

  OpenAlbum album;
  AlbumModel& model = album.Model;
  ViewState& view = album.View;
  AlbumThumbnails& thumbs = album.Thumbs;
  AlbumUndo undo{album};
  AlbumLook look;
  ScriptedPrompts ask;
  PicDetailsDialog dialog{undo, look, ask, *this};
  QStringList selections;
};

TEST_F(PicDetails, FieldsAreEnabledByModeRangeAndLook) {
  const struct {
    const char* name;
    bool editing, extended, showPlace;
    int a, b;
    const char* enabled;  // file name, "...", date, place, people, title
  } cases[] = {
      {"read-only", false, true, true, 2, -1, "000000"},
      {"editing", true, true, true, 2, -1, "111111"},
      {"no place", true, true, false, 2, -1, "111011"},
      {"no extended lines", true, false, true, 2, -1, "110001"},
      {"range", true, true, true, 3, 7, "001111"},
  };
  for (const auto& c : cases) {
    look.ExtendedDesc = c.extended;
    look.ShowPlace = c.showPlace;
    if (c.editing) {
      dialog.OpenDetails(c.a, c.b);
    } else {
      dialog.OpenDetailsReadOnly(c.a);
    }
    EXPECT_EQ(Enabled(), QLatin1String(c.enabled)) << c.name;
    EXPECT_FALSE(Find<QPushButton>("btApply")->isEnabled()) << c.name;
    dialog.hide();
  }
}

TEST_F(PicDetails, ARangeShowsZeroBasedBoldEmptyFieldsAndApplyWritesOnlyFilledOnes) {
  dialog.OpenDetails(2, -1);
  EXPECT_EQ(Find<QLabel>("lbNr")->text(), "3");
  EXPECT_EQ(Find("edFilename")->text(), "p2.jpg");
  EXPECT_EQ(Date()->text(), "spring 2");
  EXPECT_FALSE(Find("edTitle")->font().bold());
  SelectRange(7, 3);
  EXPECT_EQ(Find<QLabel>("lbNr")->text(), "3-7");
  EXPECT_TRUE(Find("edTitle")->text().isEmpty());
  EXPECT_TRUE(Find("edTitle")->font().bold());
  Type(Find("edPlace"), QStringLiteral("Brno"));
  EXPECT_TRUE(Find<QPushButton>("btApply")->isEnabled());
  EXPECT_TRUE(model.DataModified[0]);  // at once, before Apply
  QTest::mouseClick(Find<QPushButton>("btApply"), Qt::LeftButton);
  for (int i = 0; i < 8; ++i) {
    const bool inRange = i >= 3 && i <= 7;
    EXPECT_EQ(model.Images(0)[i].Place, inRange ? "Brno" : QStringLiteral("place %1").arg(i));
    EXPECT_EQ(model.Images(0)[i].Title, QStringLiteral("title %1").arg(i));
  }
  undo.Stack().undo();
  EXPECT_EQ(model.Images(0)[5].Place, "place 5");
  EXPECT_FALSE(model.DataModified[0]);
}

TEST_F(PicDetails, ReadFromPhotoFillsOnlyEmptyFieldsOfTheRangeInOneStep) {
  QTemporaryDir dir;
  const QString a = dir.filePath(QStringLiteral("a.jpg"));
  const QString b = dir.filePath(QStringLiteral("b.jpg"));
  ASSERT_TRUE(WritePhoto(a, {{"Exif.Photo.DateTimeOriginal", "2004:06:25 10:00:00"},
                             {"Xmp.dc.title", "lang=x-default Hills"},
                             {"Xmp.photoshop.City", "Brno"}}));
  ASSERT_TRUE(WritePhoto(b, {{"Iptc.Application2.City", "Praha"}}));
  ImageList images = model.Images(0);
  for (ImageRecord& image : images) image.Date.clear();
  images[1] = {a, "kept", "", "", ""};
  images[2] = {b, "", "", "", ""};
  images[3] = {a, "", "", "", ""};  // outside the range
  images[4].Date = QStringLiteral("17. 12. 2003");
  ImageEdits::SetChapter(model, 0, images);
  dialog.OpenDetails(2, 1);
  QTest::mouseClick(Find<QPushButton>("btReadPhoto"), Qt::LeftButton);
  ImageList expected = images;
  expected[1] = {a, "kept", "25. 6. 2004", "Brno", ""};
  expected[2] = {b, "", "", "Praha", ""};
  EXPECT_EQ(model.Images(0), expected);
  EXPECT_EQ(undo.Stack().count(), 1);
  undo.Stack().undo();
  EXPECT_EQ(model.Images(0), images);
}

TEST_F(PicDetails, EditingOneFieldWritesOnlyThatFieldHoweverLongTheOthersAre) {
  const QString title(40000, u'x');  // beyond a line edit's usual limit
  ImageList images = model.Images(0);
  images[2].Title = title;
  ImageEdits::SetChapter(model, 0, images);
  dialog.OpenDetails(2, -1);
  EXPECT_EQ(Find("edTitle")->text(), title);
  Type(Find("edPlace"), QStringLiteral("Brno"));
  QTest::mouseClick(Find<QPushButton>("btApply"), Qt::LeftButton);
  EXPECT_EQ(model.Images(0)[2],
            ImageRecord({"/album/p2.jpg", title, "spring 2", "Brno", "people 2"}));
}

TEST_F(PicDetails, PrevNextAndCtrlArrowsFollowSingleImagesOnly) {
  dialog.OpenDetails(6, -1);
  QTest::keyClick(Find("edTitle"), Qt::Key_Right, Qt::ControlModifier);
  EXPECT_EQ(Find<QLabel>("lbNr")->text(), "8");
  QTest::mouseClick(Find<QToolButton>("btNext"), Qt::LeftButton);  // the last image: nothing
  QTest::keyClick(Find("edPlace"), Qt::Key_Left, Qt::ControlModifier);
  SelectRange(2, 4);
  QTest::keyClick(Find("edTitle"), Qt::Key_Right, Qt::ControlModifier);  // a range: nothing
  EXPECT_EQ(selections, QStringList({"7-7", "6-6", "2-4"}));
  EXPECT_FALSE(Find<QToolButton>("btPrev")->isEnabled());
}

TEST_F(PicDetails, EditsSurviveImagesMovedAddedAndRemovedWhileOpen) {
  dialog.OpenDetails(5, -1);
  Type(Find("edTitle"), QStringLiteral("Lake"));
  Type(Find("edFilename"), QStringLiteral("q5.jpg"));
  // The window moves images 5..6 to the front, then removes image 0's neighbour.
  view.SelStart = 5;
  view.SelEnd = 6;
  undo.Move(0, 5, 2, 0, QString());
  undo.Remove(0, 2, 1, QString());
  SelectRange(0, 0);
  EXPECT_EQ(Find("edTitle")->text(), "Lake");
  EXPECT_TRUE(Find<QPushButton>("btApply")->isEnabled());  // the edits wait to be applied
  QTest::mouseClick(Find<QPushButton>("btApply"), Qt::LeftButton);

  const ImageList& d = model.Images(0);
  QStringList titles;
  for (const ImageRecord& image : d) titles << image.Title;
  EXPECT_EQ(titles, QStringList({"Lake", "title 6", "title 1", "title 2", "title 3", "title 4",
                                 "title 7"}));
  EXPECT_EQ(d[0].File, "/album/q5.jpg");
  EXPECT_EQ(d[0].Place, "place 5");
  // The renamed image has the thumbnail of its new file, the others theirs.
  for (int i = 0; i < d.size(); ++i)
    EXPECT_EQ(thumbs.Lists[0][i].Picture.text(QStringLiteral("file")), d[i].File) << i;
}

TEST_F(PicDetails, FileChooserAndCalendarFillTheirFields) {
  dialog.OpenDetails(1, -1);
  ask.OpenFileNames = {QStringLiteral("/album/sub/new.jpg")};
  QTest::mouseClick(Find<QToolButton>("btFilename"), Qt::LeftButton);
  ASSERT_EQ(ask.FileRequests.size(), 1);
  EXPECT_EQ(ask.FileRequests[0].FileName, "/album/p1.jpg");
  EXPECT_EQ(ask.FileRequests[0].InitialDir, "/album/");
  EXPECT_EQ(Find("edFilename")->text(), "sub/new.jpg");
  EXPECT_TRUE(Find<QPushButton>("btApply")->isEnabled());

  Type(Date(), QStringLiteral("summer '03, maybe"));
  EXPECT_EQ(dialog.WorkingCopy().Data()[1].Date, "summer '03, maybe");
  Date()->ShowCalendar();
  QCalendarWidget* calendar = Date()->Calendar();
  calendar->setSelectedDate(QDate(2003, 7, 14));
  emit calendar->clicked(QDate(2003, 7, 14));
  EXPECT_EQ(Date()->text(), QDate(2003, 7, 14).toString(DateEdit::DateFormat()));
  EXPECT_TRUE(Date()->text().contains(QLatin1String("2003")));
}

}  // namespace
