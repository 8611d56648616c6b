#include "app/setup_commands.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTabWidget>

#include "browser/album_browser.h"
#include "browser/edit_window.h"
#include "dialogs/guide_dialog.h"
#include "dialogs/setup_dialog.h"
#include "init/load_settings.h"
#include "init/profile_file.h"
#include "support/album_env.h"
#include "support/controls.h"
#include "support/settings_folder.h"
#include "support/with_modal.h"

namespace {

class SetupCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Settings() = DefaultProgramSettings();
    Settings().Profile = dir_.path() + "/default.AFM";
    SetDefaultProfile(browser_.Document().Look);
    new EditWindow(browser_);  // as at start-up: its RecreateThumbnails command
    AttachSetupCommands(browser_);
    browser_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&browser_));
  }
  // Triggers an action whose modal dialog then shows; inspect sees it, and
  // it is closed the way close says (Escape when empty).
  void WhileModal(const char* action, const std::function<void(QWidget*)>& inspect) {
    const QWidget* seen =
        WithModal([&] { ASSERT_TRUE(browser_.RunAction(QLatin1String(action))); }, inspect);
    EXPECT_NE(seen, nullptr) << action;
  }

  // A data file as the program writes it: links "file=name", photos "src=title".
  static QByteArray Xml(const QString& title, const QStringList& links, const QStringList& photos,
                        const QString& dir = {}) {
    QString text = QStringLiteral("<album2");
    if (!dir.isEmpty()) text += QStringLiteral(" dir=\"%1\"").arg(dir);
    text += QStringLiteral(">\r\n\t<title>%1</title>\r\n").arg(title);
    for (const QString& link : links) {
      text += QStringLiteral("\t<link xlink:href=\"%1\">%2</link>\r\n")
                  .arg(link.section(u'=', 0, 0), link.section(u'=', 1));
    }
    for (const QString& photo : photos) {
      text += QStringLiteral(
                  "\t<photo src=\"%1\">\r\n\t\t<title>%2</title>\r\n\t\t<date></date>\r\n"
                  "\t\t<place></place>\r\n\t\t<people></people>\r\n\t</photo>\r\n")
                  .arg(photo.section(u'=', 0, 0), photo.section(u'=', 1));
    }
    return kDataFileHeader + (text + QStringLiteral("</album2>\r\n")).toLatin1();
  }
  QString Path(const char* name) const { return dir_.filePath(QLatin1String(name)); }
  ProgramSettings& Settings() { return browser_.Document().Settings; }
  // Trip.ALB: main.xml with images a and b and the chapters One and Two, and look.AFM with three
  // bookmark colours of their own; open at chapter 0 in edit mode.
  void OpenTrip() {
    WriteAll(Path("main.xml"), Xml("Album", kLinks, {"a.jpg=A", "b.jpg=B"}));
    WriteAll(Path("c1.xml"), Xml("One", {}, {"c.jpg=C"}));
    WriteAll(Path("c2.xml"), Xml("Two", {}, {}));
    for (const char* image : {"a.jpg", "b.jpg", "c.jpg"})
      WriteAll(Path(image), {});  // none missing
    AlbumLook look;
    SetDefaultProfile(look);
    for (int k = 0; k < 3; ++k) look.BM[k] = RGBColor(10 * (k + 1), 0, 0);
    SaveProfile(Path("look.AFM"), look);
    WriteAll(Path("Trip.ALB"), "DataFile=main.xml\r\nFormatFile=look.AFM\r\n");
    browser_.OpenFile(Path("Trip.ALB"));
    ASSERT_EQ(browser_.Model().ChapterCount(), 2);
    browser_.ShowSpread(0, 0);
    ASSERT_TRUE(browser_.RunAction(QStringLiteral("EditMode")));
  }
  // The bookmark colour lines of the format file.
  QStringList ColorLines() const {
    return QString::fromLatin1(ReadAll(Path("look.AFM")))
        .split(QStringLiteral("\r\n"))
        .filter(QRegularExpression(QStringLiteral("^BM[0-2]=")));
  }
  // The window closes as its close box closes it.
  void Close(QList<PromptAnswer> answers) {
    ask_.YesNoCancelAnswers = answers;
    EXPECT_TRUE(browser_.close());
    EXPECT_TRUE(ask_.YesNoCancelAnswers.isEmpty()) << ask_.Log.join(u'\n').toStdString();
  }

  const QStringList kLinks{"c1.xml=One", "c2.xml=Two"};
  QTemporaryDir dir_;
  ScriptedPrompts ask_;
  AlbumBrowser browser_{&ask_};
};

TEST_F(SetupCommandsTest, ALanguageChosenInSetupWaitsForTheNextStartInEveryWindow) {
  const SettingsFolder settings(dir_.path());
  const QString started = dir_.path() + "/started.LNG";
  const QString chosen = dir_.path() + "/chosen.LNG";
  WriteAll(started, "fSplash.btClose=Zavrit\r\n");
  WriteAll(chosen, "fSplash.btClose=Schliessen\r\n");
  Settings().Language = started;
  SaveSettings(Settings());
  LoadSettings(browser_.Document(), browser_.Messages(),
               [this](const QStringList& language) { browser_.SetLanguage(language); });
  WhileModal("Setup", [&](QWidget* modal) {
    auto* setup = static_cast<SetupDialog*>(modal);
    EXPECT_EQ(setup->windowTitle(), "Setup");  // the command's caption as a title
    ask_.OpenFileNames << chosen;
    QTest::mouseClick(Control(setup, "btLanguage"), Qt::LeftButton);
    QTest::mouseClick(Control(setup, "btOK"), Qt::LeftButton);
  });
  ASSERT_EQ(Settings().Language, chosen);
  // The About window is made now, after the choice.
  WhileModal("About", [](QWidget* modal) {
    EXPECT_EQ(modal->findChild<QPushButton*>("btClose")->text(), "Zavrit");
  });
}

TEST_F(SetupCommandsTest, FourColumnsAppliedRedrawTheOpenBookAtASpreadItStillHas) {
  browser_.NewAlbum();
  AlbumModel& model = browser_.Model();
  const ViewState& view = browser_.View();
  ImageEdits::SetChapter(model, 0, ImageList(30));  // 6 a page: last spread 6
  browser_.ShowSpread(0, 6);
  ASSERT_EQ(view.CurrentPage, 6);
  const QSize before = browser_.Book().ThumbnailBox();
  WhileModal("AlbumProperties", [](QWidget* modal) {
    auto* setup = static_cast<SetupDialog*>(modal);
    Control<QTabWidget>(setup, "Pages")->setCurrentWidget(Control(setup, "pgLook"));
    QTest::keyClick(Control(setup, "edColCount"), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(Control(setup, "edColCount"), "4");
    QTest::keyClick(Control(setup, "edColCount"),
                    Qt::Key_Return);  // Enter is OK, also in a spin box
    EXPECT_FALSE(setup->isVisible());
  });
  EXPECT_EQ(browser_.Document().Look.ColumnCount, 4);
  EXPECT_LT(browser_.Book().ThumbnailBox().width(), before.width());
  EXPECT_TRUE(model.FormatModified);
  EXPECT_EQ(view.CurrentPage, 4);  // 12 a page: spread 6 is gone
  EXPECT_FALSE(view.IsBookClosed());
}

TEST_F(SetupCommandsTest, TheGuideMakesTheNewAlbumThroughTheWindow) {
  browser_.Model().DataTitles = {"Old"};
  WhileModal("DoRunGuide", [this](QWidget* modal) {
    ASSERT_EQ(modal->objectName(), "fGuide");
    auto* guide = static_cast<GuideDialog*>(modal);
    EXPECT_EQ(Control<QStackedWidget>(guide, "Pages")->currentIndex(), 0);
    for (int page = 0; page < 4; ++page) {
      if (page == 1) {
        QTest::keyClicks(Control(guide, "edTitle"), "Walk");
        QTest::keyClicks(Control(guide, "edFileName"), dir_.path() + "/Walk");
      }
      QTest::mouseClick(Control(guide, "btNext"), Qt::LeftButton);
    }
  });
  const AlbumModel& model = browser_.Model();
  EXPECT_EQ(model.DataTitles.value(0), "Walk");
  EXPECT_EQ(model.AlbumFileName, dir_.path() + "/Walk.ALB");
  EXPECT_TRUE(browser_.IsEditMode());  // as New leaves it
  EXPECT_TRUE(browser_.Action("SaveAlbum")->isEnabled());
}

TEST_F(SetupCommandsTest, TheStartupGuideShowsOnlyWhileRunGuideIsSet) {
  for (bool run : {false, true}) {
    Settings().RunGuide = run;
    const QWidget* shown = WithModal([&] {
      ShowStartupGuide(browser_);
      QCoreApplication::processEvents();
    });
    EXPECT_EQ(shown != nullptr, run);
  }
}

// An edit made in the album properties stays a change of the data file when
// an earlier image edit is undone, also after that edit was saved.
TEST_F(SetupCommandsTest, PropertiesEditsSurviveUndoingAnEarlierImageEdit) {
  Settings().ConfirmDeletes = false;
  for (const bool saveBetween : {false, true}) {
    OpenTrip();
    ASSERT_TRUE(browser_.RunAction(QStringLiteral("DeletePictures")));  // image a
    if (saveBetween) {
      ASSERT_TRUE(browser_.RunAction(QStringLiteral("SaveData")));
      ASSERT_EQ(ReadAll(Path("main.xml")), Xml("Album", kLinks, {"b.jpg=B"}));
    }
    WhileModal("AlbumProperties", [](QWidget* modal) {
      auto* setup = static_cast<SetupDialog*>(modal);
      EXPECT_EQ(setup->windowTitle(), "Album properties");
      Control<QLineEdit>(setup, "edTitle")->selectAll();
      QTest::keyClicks(Control(setup, "edTitle"), "Trip");
      QTest::mouseClick(Control(setup, "btOK"), Qt::LeftButton);
    });
    browser_.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == &browser_; }));
    QTest::keyClick(&browser_, Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(browser_.Model().ImageCount(0), 2);
    Close({PromptAnswer::Yes});
    EXPECT_EQ(ReadAll(Path("main.xml")), Xml("Trip", kLinks, {"a.jpg=A", "b.jpg=B"}))
        << saveBetween;
    browser_.show();
  }
}

// The colours follow their chapters, and the look is saved with them.
TEST_F(SetupCommandsTest, MovingOrRemovingAChapterMarksItsMovedColoursForSaving) {
  const struct {
    const char* button;
    QStringList links;
    int from[3];  // the former colour each of BM0..BM2 takes
  } cases[] = {
      {"btDown", {"c2.xml=Two", "c1.xml=One"}, {1, 0, 2}},
      // The removed chapter's colour goes behind the remaining ones.
      {"btDelete", {"c2.xml=Two"}, {1, 0, 2}},
  };
  for (const auto& c : cases) {
    OpenTrip();
    const QStringList before = ColorLines();
    ASSERT_EQ(before.size(), 3);
    WhileModal("EditChapters", [&](QWidget* modal) {
      auto* setup = static_cast<SetupDialog*>(modal);
      EXPECT_EQ(Control<QTabWidget>(setup, "Pages")->currentWidget()->objectName(), "pgBookmarks");
      ASSERT_EQ(Control<QListWidget>(setup, "Bookmarks")->currentRow(), 0);
      QTest::mouseClick(Control(setup, c.button), Qt::LeftButton);
      QTest::mouseClick(Control(setup, "btOK"), Qt::LeftButton);
    });
    Close({PromptAnswer::Yes, PromptAnswer::Yes});
    EXPECT_EQ(ReadAll(Path("main.xml")), Xml("Album", c.links, {"a.jpg=A", "b.jpg=B"})) << c.button;
    QStringList expected;
    for (int k = 0; k < 3; ++k)
      expected << QStringLiteral("BM%1=").arg(k) + before[c.from[k]].section(u'=', 1);
    EXPECT_EQ(ColorLines(), expected) << c.button;
    browser_.show();
  }
}

}  // namespace
