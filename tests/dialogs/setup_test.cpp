#include "dialogs/setup_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <memory>

#include "book/sized_book_window.h"
#include "init/profile_file.h"
#include "platform/qt_prompts.h"
#include "support/album_env.h"
#include "support/click.h"
#include "support/controls.h"
#include "support/file_size_limit.h"
#include "support/settings_folder.h"
#include "support/with_modal.h"

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

class SetupDialogTest : public AlbumFilesTest {
 protected:
  void SetUp() override {
    AlbumFilesTest::SetUp();
    SetDefaultProfile(look_);
    settings_ = DefaultProgramSettings();
    settings_.Profile = Path("default.AFM");
    env_.Window.EditMode = true;
    dialog_ = std::make_unique<SetupDialog>(Context());
  }
  SetupContext Context() { return {{env_.Data(), look_, settings_}, settings_, host_}; }
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
    env_.View.CurrentChapter = 0;
    env_.View.CurrentPage = 0;
  }
  void Show() {
    dialog_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog_.get()));
  }
  void ShowProperties() {
    dialog_->PrepareAlbumProperties();
    Show();
  }
  template <typename T = QAbstractButton>
  T* Find(const char* name) {
    return Control<T>(dialog_.get(), name);
  }
  void ShowPage(const char* page) {
    Find<QTabWidget>("Pages")->setCurrentWidget(Find<QWidget>(page));
  }
  void Click(const char* name) {
    QAbstractButton* button = Find(name);
    ASSERT_TRUE(button->isVisible()) << name;
    ClickButton(button);
  }
  void Click(std::initializer_list<const char*> names) {
    for (const char* name : names) Click(name);
  }
  void Type(const char* name, const QString& text) {
    QTest::keyClick(Find<QWidget>(name), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(Find<QWidget>(name), text);
  }
  QColor Background(const char* name) {
    return Find<QWidget>(name)->palette().color(QPalette::Window);
  }
  QString Text(const char* name) { return Find<QLineEdit>(name)->text(); }

  DataEnv env_;
  AlbumLook look_;
  ProgramSettings settings_;
  FakeSetupHost host_;
  std::unique_ptr<SetupDialog> dialog_;
};

// The window: what a person sees and does.

// A default look that cannot be written keeps the dialog open with nothing
// committed; OK then writes the missing look with the defaults it showed.
TEST_F(SetupDialogTest, AMissingDefaultLookShowsTheDefaultsAndOkCreatesIt) {
  ASSERT_TRUE(dialog_->PrepareProgramSettings());
  Show();
  EXPECT_EQ(dialog_->windowTitle(), "Setup");  // a title, not a menu entry
  auto* pages = Find<QTabWidget>("Pages");
  EXPECT_EQ(pages->currentWidget(), Find<QWidget>("pgGeneral"));
  EXPECT_EQ(pages->tabText(1), "Default album look");
  EXPECT_EQ(Find<QSpinBox>("edColCount")->value(), 2);
  EXPECT_EQ(Find<QSpinBox>("edRowCount")->value(), 3);
  EXPECT_FALSE(Find<QWidget>("pnDescription")->isVisible());
  EXPECT_FALSE(Find<QWidget>("pnChapters")->isVisible());
  EXPECT_FALSE(Find("btApply")->isEnabled());
  Click({"btConfirmDeletes", "btShareThumbnails"});
  {
    const FileSizeLimit limit(10);
    Click("btOK");
  }
  EXPECT_TRUE(dialog_->isVisible());
  EXPECT_TRUE(env_.Ask.Log.last().startsWith("error: Error writing file"))
      << env_.Ask.Log.last().toStdString();
  EXPECT_TRUE(settings_.ConfirmDeletes);                // nothing committed
  EXPECT_FALSE(Find("btConfirmDeletes")->isChecked());  // nothing typed lost
  EXPECT_FALSE(QFile::exists(Path("default.AFM")));
  Click("btOK");
  EXPECT_EQ(dialog_->result(), QDialog::Accepted);
  AlbumLook written;
  ASSERT_TRUE(LoadProfile(Path("default.AFM"), written));
  EXPECT_EQ(written.ColumnCount, 2);
  EXPECT_FALSE(settings_.ConfirmDeletes);
  EXPECT_FALSE(settings_.ShareThumbnails);
  ProgramSettings stored = DefaultProgramSettings();
  ReadSettings(stored);
  EXPECT_EQ(stored, settings_);
}

TEST_F(SetupDialogTest, OutsideEditModeEveryControlIsDisabledAndOkCommitsTheSame) {
  OpenAlbum();
  env_.Window.EditMode = false;
  ShowProperties();
  for (const char* page : {"pgGeneral", "pgLook", "pgBookmarks"}) {
    for (QWidget* control : Find<QWidget>(page)->findChildren<QWidget*>())
      EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
  }
  const AlbumModel before = env_.Model;
  Click("btOK");
  EXPECT_EQ(env_.Model.DataTitles, before.DataTitles);
  EXPECT_EQ(env_.Model.DataModified, before.DataModified);
  EXPECT_FALSE(env_.Model.FormatModified);
}

// Clearing Extended disables the lines it governs but keeps them; Apply
// commits, and Cancel afterwards keeps what Apply committed.
TEST_F(SetupDialogTest, ApplyThenCancelKeepsWhatApplyCommitted) {
  OpenAlbum();
  ShowProperties();
  EXPECT_EQ(dialog_->windowTitle(), "Album properties");
  Type("edTitle", "Applied");
  ShowPage("pgLook");
  Click("btExtended");
  for (const char* line : {"btDate", "btPlace", "btPeople"}) {
    EXPECT_FALSE(Find(line)->isEnabled());
    EXPECT_TRUE(Find(line)->isChecked());
  }
  Click("btApply");
  ShowPage("pgGeneral");
  Type("edTitle", "Dropped");
  Click("btCancel");
  EXPECT_EQ(dialog_->result(), QDialog::Rejected);
  EXPECT_EQ(env_.Model.DataTitles[0], "Applied");
  EXPECT_TRUE(env_.Model.DataModified[0]);
  EXPECT_FALSE(look_.ExtendedDesc);
  EXPECT_TRUE(look_.ShowDate && look_.ShowPlace && look_.ShowPeople);
}

TEST_F(SetupDialogTest, EachTargetKeepsItsPendingTextureAndAnUnreadableOneIsRefused) {
  OpenAlbum();
  QImage texture(4, 4, QImage::Format_RGB32);
  texture.fill(Qt::red);
  ASSERT_TRUE(texture.save(Path("cover.bmp")));
  ASSERT_TRUE(texture.save(Path("paper.bmp")));
  WriteAll(Path("clip.avi"), "RIFF");
  ShowProperties();
  ShowPage("pgLook");
  env_.Ask.OpenFileNames << Path("cover.bmp") << Path("paper.bmp") << Path("clip.avi");
  Click({"btTexture", "btPages", "btTexture", "btTexture"});  // the last a video
  EXPECT_TRUE(env_.Ask.Log.last().startsWith("error: Unknown image format"));
  Click("btCover");
  EXPECT_EQ(dialog_->Session().PendingCoverTexture, Path("cover.bmp"));
  EXPECT_FALSE(Find<QLabel>("imgTexture")->pixmap().isNull());
  Click("btOK");
  EXPECT_EQ(look_.CoverTexture, Path("cover.bmp"));
  EXPECT_EQ(look_.PageTexture, Path("paper.bmp"));
}

// Every target shows its samples whole in a preview that keeps its place,
// in the colours and fonts the book then draws.
TEST_F(SetupDialogTest, ThePreviewShowsTheColoursAndFontsTheBookDraws) {
  OpenAlbum();
  look_.TitleFont.Font.setPointSize(28);
  look_.BookmarkFont.Font.setPointSize(16);
  SizedBookWindow bookWindow({800, 600});  // the book, for comparing with the preview
  BookView book(env_.Album, bookWindow, look_, settings_);
  bookWindow.SetBook(&book);
  ShowProperties();
  ShowPage("pgLook");
  QWidget* panel = Find<QWidget>("pnColor");
  const QSize size = dialog_->size();
  const QRect preview = panel->geometry();
  const QRect grid = Find<QWidget>("edColCount")->geometry();
  for (const char* target : {"btCover", "btInside", "btBookmarks", "btPages"}) {
    Click(target);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);  // laid out as shown
    const std::string name = target;
    EXPECT_EQ(dialog_->size(), size) << name;
    EXPECT_EQ(panel->geometry(), preview) << name;
    EXPECT_EQ(Find<QWidget>("edColCount")->geometry(), grid) << name;
    for (const char* label : {"lbFont1", "lbFont2", "lbBMFont"}) {
      auto* sample = Find<QLabel>(label);
      if (!sample->isVisible()) continue;
      const std::string what = name + " " + sample->objectName().toStdString();
      const QSize needed = sample->sizeHint();
      EXPECT_GE(sample->width(), needed.width()) << what;
      EXPECT_GE(sample->height(), needed.height()) << what;
      if (sample->parentWidget() == panel) {
        EXPECT_TRUE(panel->contentsRect().contains(sample->geometry())) << what;
      }
    }
  }
  QFont title(QStringLiteral("Liberation Serif"));
  title.setPointSize(11);
  env_.Ask.Colors << QColor(10, 120, 200) << QColor(0, 90, 0) << QColor(0, 0, 120)
                  << QColor(90, 30, 20);
  env_.Ask.Fonts << title;
  Click({"btPages", "btClearTexture", "btColor", "btFont2"});
  const QColor paper = Background("pnColor");
  const QFont shownTitle = Find<QLabel>("lbFont2")->font();
  EXPECT_EQ(paper, QColor(10, 120, 200));
  Click({"btFontColor1", "btFontColor2"});
  EXPECT_EQ(Find<QLabel>("lbFont1")->palette().color(QPalette::WindowText), QColor(0, 90, 0));
  EXPECT_EQ(Find<QLabel>("lbFont2")->palette().color(QPalette::WindowText), QColor(0, 0, 120));
  Click("btBookmarks");
  EXPECT_EQ(Background("lbBMFont"), ToQColor(look_.BM[0]));
  Click({"btCover", "btClearTexture", "btColor"});
  const QColor cover = Background("pnColor");
  Click("btOK");

  EXPECT_EQ(look_.BaseFont.Font, shownTitle);
  bookWindow.PositionWindow();
  book.ShowSpread(0, 2);
  const BookPage& left = book.LeftPage;  // the right page opens the next chapter
  EXPECT_EQ(left.Image.pixelColor(left.Area.Right - 20, 300), paper);
  book.ShowSpread(0, -1);
  EXPECT_EQ(book.CoverPage.Image.pixelColor(100, 100), cover);
}

TEST_F(SetupDialogTest, ImageFoldersAreChosenInAFolderDialog) {
  OpenAlbum();
  ShowProperties();
  env_.Ask.OpenFileNames << Path("main.xml");
  env_.Ask.OkCancelAnswers << false;
  Click("btDataFile");  // the same file is read again only when the person says so
  EXPECT_EQ(env_.Ask.Log.last(), "okcancel: Reload file from the disk?");
  env_.Ask.Directories << Path("pics") << Path("c1pics");
  Click("btAlbumDir");
  EXPECT_EQ(Text("edAlbumDir"), Path("pics"));
  ShowPage("pgBookmarks");
  EXPECT_EQ(Find<QLabel>("lbPicCount2")->text(), "3");
  Click("btDir");
  EXPECT_EQ(Text("edDir"), Path("c1pics"));
  Click("btOK");
  EXPECT_EQ(env_.Model.ImageDirs, QStringList({Path("pics"), Path("c1pics"), ""}));
  EXPECT_TRUE(env_.Model.DataModified[1]);
}

TEST_F(SetupDialogTest, AFormatFileThatCannotBeReadLeavesTheWorkingLook) {
  if (!QFile::exists("/proc/self/mem"))
    GTEST_SKIP() << "needs a file that exists but cannot be read";
  OpenAlbum();
  ShowProperties();
  Type("edTitle", "typed");
  const AlbumLook before = dialog_->Session().SetupProfile;
  env_.Ask.OpenFileNames << "/proc/self/mem";
  Click("btProfile");
  EXPECT_TRUE(env_.Ask.Log.last().startsWith("error: Error reading file"));
  EXPECT_EQ(dialog_->Session().SetupProfile, before);
  EXPECT_EQ(Text("edProfile"), Path("look.AFM"));
  EXPECT_EQ(Text("edTitle"), "typed");
}

TEST_F(SetupDialogTest, ABookmarkTitleMovesWithItsChapter) {
  OpenAlbum();
  env_.View.CurrentChapter = 2;
  dialog_->PrepareAlbumChapters();
  Show();
  Type("edBMTitle", "Second");
  Click("btUp");
  EXPECT_EQ(Find<QListWidget>("Bookmarks")->item(0)->text(), "Second");
  Click("btOK");
  EXPECT_EQ(env_.Model.ChapterNames, QStringList({"Second", "N1"}));
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
  EXPECT_EQ(Background("pnBMColor"), ToQColor(look_.BM[0]));  // the chapter's bookmark
  const struct {
    const char *page, *name;
    QString full;
  } labels[] = {{"pgBookmarks", "lbFile", QDir::toNativeSeparators(env_.Model.DataFiles[1])},
                {"pgGeneral", "lbFilename", QDir::toNativeSeparators(env_.Model.AlbumFileName)}};
  for (const auto& [page, name, full] : labels) {
    ShowPage(page);
    auto* label = Find<QLabel>(name);
    EXPECT_EQ(label->toolTip(), full);
    const QString shown = label->text();
    EXPECT_TRUE(shown.contains(QChar(0x2026))) << shown.toStdString();
    EXPECT_TRUE(full.endsWith(shown.section(QChar(0x2026), 1))) << shown.toStdString();
    EXPECT_LE(label->fontMetrics().horizontalAdvance(shown), label->contentsRect().width());
  }
}

// The session: what the dialog decides, without the window.

TEST_F(SetupDialogTest, ProgramSettingsWriteTheMovedBookmarkFirstAndTellOfALanguagesRestart) {
  settings_.Language = Path("de.lng");
  SetupSession s(Context());
  ASSERT_TRUE(s.OpenProgramSettings());
  const auto bm = s.SetupProfile.BM;
  env_.Ask.OpenFileNames << Path("de.lng");
  s.ChooseLanguage();  // the same file again still tells when it takes effect
  EXPECT_EQ(env_.Ask.Log.last(),
            "warning: This change takes effect only after restarting the program");
  EXPECT_TRUE(s.ApplyEnabled);
  s.SelectEntry(2);
  s.MoveUp();
  s.MoveUp();
  EXPECT_EQ(s.Chapters.Selected, 0);
  EXPECT_EQ(s.Chapters.Entries[0], "Bookmark 1");
  s.SetTarget(LookTarget::Bookmarks);
  EXPECT_EQ(s.Preview().Color, ToQColor(bm[2]));  // the preview follows at once
  s.ChangeSettings([](auto& w) { w.SlideshowInterval = 9; });
  ASSERT_TRUE(s.CommitSetup());
  ProgramSettings stored;
  ReadSettings(stored);
  EXPECT_EQ(stored.SlideshowInterval, 9);
  AlbumLook written;
  ASSERT_TRUE(LoadProfile(Path("default.AFM"), written));
  EXPECT_EQ((std::array{written.BM[0], written.BM[1], written.BM[2], written.BM[3]}),
            (std::array{bm[2], bm[0], bm[1], bm[3]}));
}

TEST_F(SetupDialogTest, TheDefaultLookIsThePersonsOwnAndTheShippedOneIsOnlyRead) {
  const SettingsFolder folder(Path("config"));
  settings_ = DefaultProgramSettings();
  const QString own = Path("config/Quirevale/default.AFM");
  ASSERT_EQ(settings_.Profile, own);
  const QByteArray shipped = ReadAll(ShippedDefaultLook());
  AlbumLook expected;
  ASSERT_TRUE(LoadProfile(ShippedDefaultLook(), expected));
  ASSERT_NE(expected.ColumnCount, 4);

  // The first time the shipped look is shown; OK keeps the settings and the
  // changed look as the person's own.
  SetupSession s(Context());
  ASSERT_TRUE(s.OpenProgramSettings());
  EXPECT_EQ(s.LookValue(LookField::Columns), expected.ColumnCount);
  s.ChangeSettings([](ProgramSettings& w) { w.ConfirmDeletes = false; });
  s.SetLookValue(LookField::Columns, 4);
  ASSERT_TRUE(s.CommitSetup());
  EXPECT_EQ(ReadAll(ShippedDefaultLook()), shipped);
  expected.ColumnCount = 4;
  ASSERT_TRUE(SaveProfile(Path("expected.AFM"), expected));
  EXPECT_EQ(ReadAll(own), ReadAll(Path("expected.AFM")));
  ProgramSettings stored = DefaultProgramSettings();
  ReadSettings(stored);
  EXPECT_FALSE(stored.ConfirmDeletes);
  EXPECT_EQ(stored.Profile, own);

  // From then on the person's own look is read first.
  ASSERT_TRUE(s.OpenProgramSettings());
  EXPECT_EQ(s.LookValue(LookField::Columns), 4);
}

// Four columns redraw the book at once; each font of the look takes a colour;
// the format file keeps both.
TEST_F(SetupDialogTest, LookEditsReachTheBookAtOnceAndSurviveSavingTheLook) {
  OpenAlbum();
  SetupSession s(Context());
  s.OpenAlbum();
  s.SetLookValue(LookField::Columns, 4);
  const struct {
    LookTarget target;
    int button;
    LookFont AlbumLook::*font;
    QColor color;
  } cases[] = {{LookTarget::Cover, 1, &AlbumLook::TitleFont, {250, 240, 200}},
               {LookTarget::Bookmarks, 1, &AlbumLook::BookmarkFont, {10, 20, 30}},
               {LookTarget::Bookmarks, 2, &AlbumLook::ChapterFont, {200, 0, 0}},
               {LookTarget::Pages, 1, &AlbumLook::DescFont, {0, 90, 0}},
               {LookTarget::Pages, 2, &AlbumLook::BaseFont, {0, 0, 120}}};
  for (const auto& c : cases) {
    s.SetTarget(c.target);
    env_.Ask.Colors << c.color;
    s.ChooseFontColor(c.button);
  }
  env_.Window.Log.clear();
  ASSERT_TRUE(s.CommitSetup());
  EXPECT_EQ(look_.ColumnCount, 4);
  EXPECT_TRUE(env_.Window.Log.contains("RebuildPages"));
  EXPECT_EQ(host_.Recreated, 1);
  EXPECT_TRUE(env_.Model.FormatModified);
  EXPECT_FALSE(s.ApplyEnabled);
  SaveFormatFile({env_.Data(), look_, settings_});
  AlbumLook reread;
  ASSERT_TRUE(LoadProfile(Path("look.AFM"), reread));
  EXPECT_EQ(reread.ColumnCount, 4);
  for (const auto& c : cases) EXPECT_EQ(ToQColor((reread.*c.font).Color), c.color) << c.button;
}

// The same data file again asks first; read anew, it brings its own image
// folder, and Cancel changes nothing.
TEST_F(SetupDialogTest, ReloadingTheDataFileAsksAndShowsItsOwnImageFolder) {
  for (const bool reload : {false, true}) {
    OpenAlbum();
    SetupSession s(Context());
    s.OpenAlbum();
    s.SetAlbumDir("pics");
    env_.Ask.OpenFileNames << Path("main.xml");
    env_.Ask.OkCancelAnswers << reload;
    s.ChooseDataFile();
    EXPECT_EQ(env_.Ask.Log.last(), "okcancel: Reload file from the disk?");
    EXPECT_EQ(s.AlbumDir, reload ? "" : "pics");
    EXPECT_EQ(s.ChaptersChanged, reload);  // Cancel leaves the chapters as they were
    s.CommitSetup();
    EXPECT_EQ(env_.Model.ImageDirs[0], reload ? "" : "pics");
    EXPECT_EQ(env_.Model.DataModified[0], !reload);
    EXPECT_EQ(env_.Model.AlbumModified, reload);
    EXPECT_EQ(env_.Model.ChapterNames, QStringList({"N1", "N2"}));
  }
}

// The font dialog lists the faces the font configuration has; a look's
// "Arial" shows there as the face it stands for.
TEST(FontDialog, ChangingOnlyTheSizeKeepsTheFamilyName) {
  QtPrompts prompts;
  QFont arial(QStringLiteral("Arial"));
  arial.setPointSize(10);
  std::optional<QFont> chosen;
  WithModal([&] { chosen = prompts.GetFont(arial); },
            [](QWidget* modal) {
              auto* dialog = qobject_cast<QFontDialog*>(modal);
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
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(chosen->pointSize(), 14);
  EXPECT_EQ(chosen->family(), "Arial");
}

}  // namespace
