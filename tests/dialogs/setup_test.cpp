#include "dialogs/setup_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "book/book.h"
#include "dialogs/path_label.h"
#include "init/profile_file.h"
#include "platform/qt_prompts.h"
#include "support/album_env.h"
#include "support/file_size_limit.h"
#include "support/settings_folder.h"
#include "support/soon.h"

namespace {

class FakeSetupHost : public SetupHost {
 public:
  int Recreated = 0;
  void RecreateThumbnails() override { ++Recreated; }
  // The captions the window's actions have: menu entries that open a dialog.
  QString ActionCaption(const QString& action) const override {
    return action == "AlbumProperties" ? "Album &properties..." : action + "...";
  }
};

// The book, drawn in a window of its own size, for comparing with the preview.
class PlainBookWindow : public BookWindow {
 public:
  BookView* Book = nullptr;
  NoProgress Quiet;
  void PositionWindow() override {
    Book->SetWindowSize({800, 600});
    Book->RebuildPages();
  }
  void RepaintWindow() override {}
  void SetToolPanelVisible(bool) override {}
  bool IsMenuShown() const override { return false; }
  bool IsEditMode() const override { return false; }
  bool IsResizing() const override { return false; }
  ProgressSink& Progress() override { return Quiet; }
};

class SetupDialogTest : public AlbumFilesTest {
 protected:
  void SetUp() override {
    AlbumFilesTest::SetUp();
    SetDefaultProfile(look_);
    settings_ = DefaultProgramSettings();
    settings_.Profile = Path("default.AFM");
    env_.Window.EditMode = true;
    dialog_ = std::make_unique<SetupDialog>(
        SetupContext{{env_.Data(), look_, settings_}, settings_, host_});
  }
  // An album of main.xml (two images) linking c1.xml and c2.xml (three each),
  // with the format file look.AFM.
  void OpenAlbum() {
    WriteXml("main.xml",
             "<album2><title>Album</title><photo src=\"a.jpg\"/><photo src=\"b.jpg\"/>"
             "<link xlink:href=\"c1.xml\">N1</link><link xlink:href=\"c2.xml\">N2</link>"
             "</album2>");
    for (const char* name : {"c1.xml", "c2.xml"})
      WriteXml(name,
               "<album2><photo src=\"x.jpg\"/><photo src=\"y.jpg\"/>"
               "<photo src=\"z.jpg\"/></album2>");
    LoadAlbumData(env_.Data(), Path("main.xml"));
    env_.Model.FormatFileName = Path("look.AFM");
    env_.Model.CurrentChapter = 0;
    env_.Model.CurrentPage = 0;
  }
  void Show() {
    dialog_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog_.get()));
  }
  void Click(QAbstractButton* button) {
    ASSERT_TRUE(button->isVisible()) << button->objectName().toStdString();
    // Check boxes and radio buttons take clicks on their box and text only.
    const bool boxed = qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button);
    QTest::mouseClick(button, Qt::LeftButton, {},
                      boxed ? QPoint(8, button->height() / 2) : button->rect().center());
  }
  void Type(QWidget* edit, const QString& text) {
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, text);
  }
  void ClickRow(QListWidget* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
  }
  QColor Background(QWidget* widget) const { return widget->palette().color(QPalette::Window); }

  DataEnv env_;
  AlbumLook look_;
  ProgramSettings settings_;
  FakeSetupHost host_;
  std::unique_ptr<SetupDialog> dialog_;
};

TEST_F(SetupDialogTest, AMissingDefaultLookShowsTheDefaultsAndOkCreatesIt) {
  ASSERT_TRUE(dialog_->PrepareProgramSettings());
  Show();
  EXPECT_EQ(dialog_->windowTitle(), "Setup");  // a title, not a menu entry
  EXPECT_EQ(dialog_->Pages->currentWidget(), dialog_->pgGeneral);
  EXPECT_EQ(dialog_->Pages->tabText(1), "Default album look");
  EXPECT_EQ(dialog_->edColCount->value(), 2);
  EXPECT_EQ(dialog_->edRowCount->value(), 3);
  EXPECT_FALSE(dialog_->pnDescription->isVisible());
  EXPECT_FALSE(dialog_->pnChapters->isVisible());
  EXPECT_FALSE(dialog_->btApply->isEnabled());
  Click(dialog_->btConfirmDeletes);
  Click(dialog_->btOK);
  EXPECT_EQ(dialog_->result(), QDialog::Accepted);
  AlbumLook written;
  ASSERT_TRUE(LoadProfile(Path("default.AFM"), written));
  EXPECT_EQ(written.ColumnCount, 2);
  EXPECT_FALSE(settings_.ConfirmDeletes);
  ProgramSettings stored = DefaultProgramSettings();
  ReadSettings(stored);
  EXPECT_EQ(stored, settings_);
}

TEST_F(SetupDialogTest, BookmarkThreeMovedToTheTopIsWrittenFirst) {
  ASSERT_TRUE(dialog_->PrepareProgramSettings());
  Show();
  const auto bm = dialog_->Session().SetupProfile.BM;
  dialog_->Pages->setCurrentWidget(dialog_->pgBookmarks);
  ClickRow(dialog_->Bookmarks, 2);
  EXPECT_EQ(Background(dialog_->pnBMColor), ToQColor(bm[2]));
  Click(dialog_->btUp);
  Click(dialog_->btUp);
  EXPECT_EQ(dialog_->Bookmarks->currentRow(), 0);
  EXPECT_EQ(dialog_->Bookmarks->item(0)->text(), "Bookmark 1");
  Click(dialog_->btOK);
  AlbumLook written;
  ASSERT_TRUE(LoadProfile(Path("default.AFM"), written));
  EXPECT_EQ((std::array{written.BM[0], written.BM[1], written.BM[2], written.BM[3]}),
            (std::array{bm[2], bm[0], bm[1], bm[3]}));
}

TEST_F(SetupDialogTest, TheSameLanguageAgainStillTellsOfTheRestart) {
  settings_.Language = Path("de.lng");
  ASSERT_TRUE(dialog_->PrepareProgramSettings());
  Show();
  env_.Ask.OpenFileNames << Path("de.lng");
  Click(dialog_->btLanguage);
  EXPECT_EQ(env_.Ask.Log.last(),
            "warning: This change takes effect only after restarting the program");
  EXPECT_TRUE(dialog_->btApply->isEnabled());
}

TEST_F(SetupDialogTest, ADefaultLookThatCannotBeWrittenKeepsTheDialogOpen) {
  ASSERT_TRUE(dialog_->PrepareProgramSettings());
  Show();
  Click(dialog_->btConfirmDeletes);
  {
    const FileSizeLimit limit(10);
    Click(dialog_->btOK);
  }
  EXPECT_TRUE(dialog_->isVisible());
  EXPECT_TRUE(env_.Ask.Log.last().startsWith("error: Error writing file"))
      << env_.Ask.Log.last().toStdString();
  EXPECT_TRUE(settings_.ConfirmDeletes);                 // nothing committed
  EXPECT_FALSE(dialog_->btConfirmDeletes->isChecked());  // nothing typed lost
  EXPECT_FALSE(QFile::exists(Path("default.AFM")));
}

TEST_F(SetupDialogTest, TheDefaultLookIsThePersonsOwnAndTheShippedOneIsOnlyRead) {
  const SettingsFolder folder(Path("config"));
  settings_ = DefaultProgramSettings();
  const QString own = Path("config/Quirevale/default.AFM");
  ASSERT_EQ(settings_.Profile, own);
  const QByteArray shipped = ReadAll(ShippedDefaultLook());
  ASSERT_FALSE(shipped.isEmpty());
  AlbumLook expected;
  ASSERT_TRUE(LoadProfile(ShippedDefaultLook(), expected));
  ASSERT_NE(expected.ColumnCount, 4);

  // The first time the shipped look is shown; OK keeps the settings and the
  // changed look as the person's own.
  ASSERT_TRUE(dialog_->PrepareProgramSettings());
  Show();
  EXPECT_EQ(dialog_->edColCount->value(), expected.ColumnCount);
  Click(dialog_->btConfirmDeletes);
  dialog_->Pages->setCurrentWidget(dialog_->pgLook);
  Type(dialog_->edColCount, "4");
  Click(dialog_->btOK);
  EXPECT_EQ(dialog_->result(), QDialog::Accepted);
  EXPECT_EQ(ReadAll(ShippedDefaultLook()), shipped);
  expected.ColumnCount = 4;
  ASSERT_TRUE(SaveProfile(Path("expected.AFM"), expected));
  EXPECT_EQ(ReadAll(own), ReadAll(Path("expected.AFM")));
  ProgramSettings stored = DefaultProgramSettings();
  ReadSettings(stored);
  EXPECT_FALSE(stored.ConfirmDeletes);
  EXPECT_EQ(stored.Profile, own);

  // From then on the person's own look is read first.
  ASSERT_TRUE(dialog_->PrepareProgramSettings());
  EXPECT_EQ(dialog_->edColCount->value(), 4);
}

TEST_F(SetupDialogTest, OutsideEditModeEveryControlIsDisabledAndOkCommitsTheSame) {
  OpenAlbum();
  env_.Window.EditMode = false;
  dialog_->PrepareAlbumProperties();
  Show();
  for (QWidget* page : {dialog_->pgGeneral, dialog_->pgLook, dialog_->pgBookmarks}) {
    for (QWidget* control : page->findChildren<QWidget*>())
      EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
  }
  const AlbumModel before = env_.Model;
  Click(dialog_->btOK);
  EXPECT_EQ(env_.Model.DataTitles, before.DataTitles);
  EXPECT_EQ(env_.Model.DataModified, before.DataModified);
  EXPECT_FALSE(env_.Model.FormatModified);
}

TEST_F(SetupDialogTest, FourColumnsRedrawTheBookAtOnceAndSurviveSavingTheLook) {
  OpenAlbum();
  dialog_->PrepareAlbumProperties();
  Show();
  EXPECT_EQ(dialog_->windowTitle(), "Album properties");
  dialog_->Pages->setCurrentWidget(dialog_->pgLook);
  Type(dialog_->edColCount, "4");
  env_.Window.Log.clear();
  Click(dialog_->btApply);
  EXPECT_EQ(look_.ColumnCount, 4);
  EXPECT_TRUE(env_.Window.Log.contains("RebuildPages"));
  EXPECT_EQ(host_.Recreated, 1);
  EXPECT_TRUE(env_.Model.FormatModified);
  EXPECT_FALSE(dialog_->btApply->isEnabled());
  SaveFormatFile({env_.Data(), look_, settings_});
  AlbumLook reread;
  ASSERT_TRUE(LoadProfile(Path("look.AFM"), reread));
  EXPECT_EQ(reread.ColumnCount, 4);
}

TEST_F(SetupDialogTest, ClearingExtendedKeepsTheLinesItDisables) {
  OpenAlbum();
  dialog_->PrepareAlbumProperties();
  Show();
  dialog_->Pages->setCurrentWidget(dialog_->pgLook);
  Click(dialog_->btExtended);
  for (QCheckBox* line : {dialog_->btDate, dialog_->btPlace, dialog_->btPeople}) {
    EXPECT_FALSE(line->isEnabled());
    EXPECT_TRUE(line->isChecked());
  }
  Click(dialog_->btOK);
  EXPECT_FALSE(look_.ExtendedDesc);
  EXPECT_TRUE(look_.ShowDate && look_.ShowPlace && look_.ShowPeople);
}

TEST_F(SetupDialogTest, ApplyThenCancelKeepsWhatApplyCommitted) {
  OpenAlbum();
  dialog_->PrepareAlbumProperties();
  Show();
  Type(dialog_->edTitle, "Applied");
  Click(dialog_->btApply);
  Type(dialog_->edTitle, "Dropped");
  Click(dialog_->btCancel);
  EXPECT_EQ(dialog_->result(), QDialog::Rejected);
  EXPECT_EQ(env_.Model.DataTitles[0], "Applied");
  EXPECT_TRUE(env_.Model.DataModified[0]);
}

TEST_F(SetupDialogTest, EachTargetKeepsItsPendingTextureAndAnUnreadableOneIsRefused) {
  OpenAlbum();
  QImage texture(4, 4, QImage::Format_RGB32);
  texture.fill(Qt::red);
  ASSERT_TRUE(texture.save(Path("cover.bmp")));
  ASSERT_TRUE(texture.save(Path("paper.bmp")));
  WriteAll(Path("clip.avi"), "RIFF");
  dialog_->PrepareAlbumProperties();
  Show();
  dialog_->Pages->setCurrentWidget(dialog_->pgLook);
  env_.Ask.OpenFileNames << Path("cover.bmp") << Path("paper.bmp") << Path("clip.avi");
  Click(dialog_->btTexture);
  Click(dialog_->btPages);
  Click(dialog_->btTexture);
  Click(dialog_->btTexture);  // a video: the preview cannot show it
  EXPECT_TRUE(env_.Ask.Log.last().startsWith("error: Unknown image format"));
  Click(dialog_->btCover);
  EXPECT_EQ(dialog_->Session().PendingCoverTexture, Path("cover.bmp"));
  EXPECT_FALSE(dialog_->imgTexture->pixmap().isNull());
  Click(dialog_->btOK);
  EXPECT_EQ(look_.CoverTexture, Path("cover.bmp"));
  EXPECT_EQ(look_.PageTexture, Path("paper.bmp"));
}

TEST_F(SetupDialogTest, AFormatFileThatCannotBeReadLeavesTheWorkingLook) {
  if (!QFile::exists("/proc/self/mem"))
    GTEST_SKIP() << "needs a file that exists but cannot be read";
  OpenAlbum();
  dialog_->PrepareAlbumProperties();
  Show();
  Type(dialog_->edTitle, "typed");
  const AlbumLook before = dialog_->Session().SetupProfile;
  env_.Ask.OpenFileNames << "/proc/self/mem";
  Click(dialog_->btProfile);
  EXPECT_TRUE(env_.Ask.Log.last().startsWith("error: Error reading file"));
  EXPECT_EQ(dialog_->Session().SetupProfile, before);
  EXPECT_EQ(dialog_->edProfile->text(), Path("look.AFM"));
  EXPECT_EQ(dialog_->edTitle->text(), "typed");
}

TEST_F(SetupDialogTest, ThePreviewShowsTheColoursAndFontsTheBookDraws) {
  OpenAlbum();
  PlainBookWindow bookWindow;
  BookView book(env_.Model, bookWindow, look_, settings_);
  bookWindow.Book = &book;
  dialog_->PrepareAlbumProperties();
  Show();
  dialog_->Pages->setCurrentWidget(dialog_->pgLook);
  QFont title(QStringLiteral("Liberation Serif"));
  title.setPointSize(11);
  env_.Ask.Colors << QColor(10, 120, 200) << QColor(90, 30, 20);
  env_.Ask.Fonts << title;
  Click(dialog_->btPages);
  Click(dialog_->btClearTexture);
  Click(dialog_->btColor);
  Click(dialog_->btFont2);
  const QColor paper = Background(dialog_->pnColor);
  const QFont shownTitle = dialog_->lbFont2->font();
  EXPECT_EQ(paper, QColor(10, 120, 200));
  Click(dialog_->btCover);
  Click(dialog_->btClearTexture);
  Click(dialog_->btColor);
  const QColor cover = Background(dialog_->pnColor);
  Click(dialog_->btOK);

  EXPECT_EQ(look_.BaseFont.Font, shownTitle);
  bookWindow.PositionWindow();
  book.ShowSpread(0, 2);
  const BookPage& left = book.LeftPage;  // the right page opens the next chapter
  EXPECT_EQ(left.Image.pixelColor(left.Area.Right - 20, 300), paper);
  book.ShowSpread(0, -1);
  EXPECT_EQ(book.CoverPage.Image.pixelColor(100, 100), cover);
}

TEST_F(SetupDialogTest, ChaptersPageMovesTheShownChapterUpAndTheViewFollows) {
  OpenAlbum();
  env_.Model.CurrentChapter = 2;
  look_.RowCount = look_.ColumnCount = 1;
  env_.Model.CurrentPage = 2;
  dialog_->PrepareAlbumChapters();
  Show();
  EXPECT_EQ(dialog_->Pages->currentWidget(), dialog_->pgBookmarks);
  EXPECT_EQ(dialog_->Bookmarks->currentRow(), 1);
  EXPECT_EQ(dialog_->lbPicCount2->text(), "3");
  Type(dialog_->edBMTitle, "Second");
  Click(dialog_->btUp);
  EXPECT_EQ(dialog_->Bookmarks->item(0)->text(), "Second");
  Click(dialog_->btOK);
  EXPECT_EQ(env_.Model.ChapterNames, QStringList({"Second", "N1"}));
  EXPECT_EQ(env_.Model.CurrentChapter, 1);
  EXPECT_EQ(env_.Model.CurrentPage, 2);
}

TEST_F(SetupDialogTest, ImageFoldersAreChosenInAFolderDialog) {
  OpenAlbum();
  dialog_->PrepareAlbumProperties();
  Show();
  env_.Ask.Directories << Path("pics") << Path("c1pics");
  Click(dialog_->btAlbumDir);
  EXPECT_EQ(dialog_->edAlbumDir->text(), Path("pics"));
  dialog_->Pages->setCurrentWidget(dialog_->pgBookmarks);
  Click(dialog_->btDir);
  EXPECT_EQ(dialog_->edDir->text(), Path("c1pics"));
  Click(dialog_->btOK);
  EXPECT_EQ(env_.Model.ImageDirs, QStringList({Path("pics"), Path("c1pics"), ""}));
  EXPECT_TRUE(env_.Model.DataModified[1]);
}

TEST_F(SetupDialogTest, ReloadingTheDataFileShowsItsOwnImageFolder) {
  OpenAlbum();
  dialog_->PrepareAlbumProperties();
  Show();
  Type(dialog_->edAlbumDir, "pics");
  env_.Ask.OpenFileNames << Path("main.xml");
  env_.Ask.OkCancelAnswers << true;
  Click(dialog_->btDataFile);
  EXPECT_EQ(dialog_->edAlbumDir->text(), "");
  Click(dialog_->btOK);
  EXPECT_EQ(env_.Model.ImageDirs[0], "");
  EXPECT_FALSE(env_.Model.DataModified[0]);
}

TEST_F(SetupDialogTest, CancelToReloadChangesNothing) {
  OpenAlbum();
  dialog_->PrepareAlbumProperties();
  Show();
  env_.Ask.OpenFileNames << Path("main.xml");
  env_.Ask.OkCancelAnswers << false;
  Click(dialog_->btDataFile);
  EXPECT_EQ(env_.Ask.Log.last(), "okcancel: Reload file from the disk?");
  EXPECT_FALSE(dialog_->btApply->isEnabled());
  Click(dialog_->btOK);
  EXPECT_EQ(env_.Model.ChapterNames, QStringList({"N1", "N2"}));
  EXPECT_FALSE(env_.Model.AlbumModified);
}

TEST_F(SetupDialogTest, LongPathsAreShortenedInTheMiddleAndTheDialogFitsTheScreen) {
  const QString folder = QString("holidays_by_the_sea/").repeated(16).chopped(1);
  ASSERT_TRUE(QDir().mkpath(Path(folder)));
  WriteXml("main.xml", "<album2><title>Album</title><link xlink:href=\"" + folder +
                           "/chapter.xml\">Long</link></album2>");
  LoadAlbumData(env_.Data(), Path("main.xml"));
  env_.Model.AlbumFileName = Path(folder + "/album.ALB");
  dialog_->PrepareAlbumChapters();
  Show();
  EXPECT_LE(dialog_->frameGeometry().width(), dialog_->screen()->availableGeometry().width());
  const QString chapterFile = QDir::toNativeSeparators(env_.Model.DataFiles[1]);
  const std::pair<QWidget*, QLabel*> labels[] = {{dialog_->pgBookmarks, dialog_->lbFile},
                                                 {dialog_->pgGeneral, dialog_->lbFilename}};
  for (const auto& [page, label] : labels) {
    dialog_->Pages->setCurrentWidget(page);
    const QString full =
        label == dialog_->lbFile ? chapterFile : QDir::toNativeSeparators(env_.Model.AlbumFileName);
    EXPECT_EQ(label->toolTip(), full);
    const QString shown = label->text();
    EXPECT_TRUE(shown.contains(QChar(0x2026))) << shown.toStdString();
    EXPECT_TRUE(full.endsWith(shown.section(QChar(0x2026), 1))) << shown.toStdString();
    EXPECT_LE(label->fontMetrics().horizontalAdvance(shown), label->contentsRect().width());
  }
}

TEST_F(SetupDialogTest, TheLookPreviewShowsItsSamplesWholeAndKeepsItsPlaceForEveryTarget) {
  OpenAlbum();
  look_.TitleFont.Font.setPointSize(28);
  look_.BookmarkFont.Font.setPointSize(16);
  dialog_->PrepareAlbumProperties();
  Show();
  dialog_->Pages->setCurrentWidget(dialog_->pgLook);
  const QSize size = dialog_->size();
  const QRect preview = dialog_->pnColor->geometry();
  const QRect grid = dialog_->edColCount->geometry();
  for (QRadioButton* target :
       {dialog_->btCover, dialog_->btInside, dialog_->btBookmarks, dialog_->btPages}) {
    Click(target);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);  // laid out as shown
    const std::string name = target->objectName().toStdString();
    EXPECT_EQ(dialog_->size(), size) << name;
    EXPECT_EQ(dialog_->pnColor->geometry(), preview) << name;
    EXPECT_EQ(dialog_->edColCount->geometry(), grid) << name;
    for (QLabel* sample : {dialog_->lbFont1, dialog_->lbFont2, dialog_->lbBMFont}) {
      if (!sample->isVisible()) continue;
      const std::string what = name + " " + sample->objectName().toStdString();
      const QSize needed = sample->sizeHint();
      EXPECT_GE(sample->width(), needed.width()) << what;
      EXPECT_GE(sample->height(), needed.height()) << what;
      if (sample->parentWidget() == dialog_->pnColor) {
        EXPECT_TRUE(dialog_->pnColor->contentsRect().contains(sample->geometry())) << what;
      }
    }
  }
}

TEST_F(SetupDialogTest, TheBookmarkPreviewFollowsAReorderingAtOnce) {
  ASSERT_TRUE(dialog_->PrepareProgramSettings());
  Show();
  const auto bm = dialog_->Session().SetupProfile.BM;
  dialog_->Pages->setCurrentWidget(dialog_->pgBookmarks);
  ClickRow(dialog_->Bookmarks, 1);
  Click(dialog_->btUp);
  dialog_->Pages->setCurrentWidget(dialog_->pgLook);
  Click(dialog_->btBookmarks);
  EXPECT_EQ(Background(dialog_->pnColor), ToQColor(bm[1]));
  EXPECT_EQ(Background(dialog_->lbBMFont), ToQColor(bm[1]));
}

TEST_F(SetupDialogTest, EachFontOfTheLookTakesAColourThatTheFormatFileKeeps) {
  OpenAlbum();
  dialog_->PrepareAlbumProperties();
  Show();
  dialog_->Pages->setCurrentWidget(dialog_->pgLook);
  const struct {
    QRadioButton* target;
    const char* button;
    QLabel* sample;
    LookFont AlbumLook::*font;
    QColor color;
  } cases[] = {
      {dialog_->btCover, "btFontColor1", dialog_->lbFont1, &AlbumLook::TitleFont, {250, 240, 200}},
      {dialog_->btBookmarks,
       "btFontColor1",
       dialog_->lbBMFont,
       &AlbumLook::BookmarkFont,
       {10, 20, 30}},
      {dialog_->btBookmarks,
       "btFontColor2",
       dialog_->lbFont1,
       &AlbumLook::ChapterFont,
       {200, 0, 0}},
      {dialog_->btPages, "btFontColor1", dialog_->lbFont1, &AlbumLook::DescFont, {0, 90, 0}},
      {dialog_->btPages, "btFontColor2", dialog_->lbFont2, &AlbumLook::BaseFont, {0, 0, 120}}};
  for (const auto& c : cases) {
    Click(c.target);
    auto* button = dialog_->findChild<QPushButton*>(c.button);
    ASSERT_NE(button, nullptr) << c.button;
    env_.Ask.Colors << c.color;
    Click(button);
    EXPECT_EQ(c.sample->palette().color(QPalette::WindowText), c.color) << c.button;
  }
  Click(dialog_->btOK);
  EXPECT_TRUE(env_.Model.FormatModified);
  SaveFormatFile({env_.Data(), look_, settings_});
  AlbumLook reread;
  ASSERT_TRUE(LoadProfile(Path("look.AFM"), reread));
  for (const auto& c : cases) EXPECT_EQ(ToQColor((reread.*c.font).Color), c.color) << c.button;
}

// The font dialog lists the faces the font configuration has; a look's
// "Arial" shows there as the face it stands for.
TEST(FontDialog, ChangingOnlyTheSizeKeepsTheFamilyName) {
  QtPrompts prompts;
  QFont arial(QStringLiteral("Arial"));
  arial.setPointSize(10);
  const Soon soon([] {
    auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    for (QLineEdit* edit : dialog->findChildren<QLineEdit*>()) {
      if (edit->isReadOnly()) continue;  // family and style; the size is typed
      QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
      QTest::keyClicks(edit, "14");
    }
    auto* buttons = dialog->findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
  });
  const std::optional<QFont> chosen = prompts.GetFont(arial);
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(chosen->pointSize(), 14);
  EXPECT_EQ(chosen->family(), "Arial");
}

}  // namespace
