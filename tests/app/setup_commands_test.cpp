#include "app/setup_commands.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>
#include <functional>

#include "browser/album_browser.h"
#include "browser/edit_window.h"
#include "core/message_table.h"
#include "dialogs/guide_dialog.h"
#include "dialogs/setup_dialog.h"
#include "init/load_settings.h"
#include "init/program_settings.h"
#include "support/scripted_prompts.h"
#include "support/soon.h"
#include "support/test_files.h"

namespace {

class SetupCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FillDefaultMessages();
    ProgramSettings = DefaultProgramSettings();
    ProgramSettings.Profile = dir_.path() + "/default.AFM";
    SetDefaultProfile(AlbumProfile);
    new TEditWindow(browser_);  // as at start-up: its RecreateThumbnails command
    AttachSetupCommands(browser_);
    browser_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&browser_));
  }
  // Triggers an action whose modal dialog then shows; inspect sees it, and
  // it is closed the way close says (Escape when empty).
  void WhileModal(const char* action, const std::function<void(QWidget*)>& inspect) {
    bool seen = false;
    const Soon soon([&] {
      QWidget* modal = QApplication::activeModalWidget();
      ASSERT_NE(modal, nullptr);
      seen = true;
      inspect(modal);
      if (modal->isVisible()) QTest::keyClick(modal, Qt::Key_Escape);
    });
    ASSERT_TRUE(browser_.RunAction(QLatin1String(action)));
    EXPECT_TRUE(seen) << action;
  }

  QTemporaryDir dir_;
  ScriptedPrompts ask_;
  TfAlbumBrowser browser_{&ask_};
};

TEST_F(SetupCommandsTest, EachActionOpensTheSetupDialogOnItsPage) {
  const struct {
    const char* action;
    const char* page;
    bool albumPanel;
  } cases[] = {{"Setup", "pgGeneral", false},
               {"AlbumProperties", "pgGeneral", true},
               {"EditChapters", "pgBookmarks", true}};
  for (const auto& c : cases) {
    WhileModal(c.action, [&](QWidget* modal) {
      ASSERT_EQ(modal->objectName(), "fSetup");
      const auto* setup = static_cast<TfSetup*>(modal);
      EXPECT_EQ(setup->Pages->currentWidget()->objectName(), c.page) << c.action;
      EXPECT_EQ(setup->pnDescription->isVisibleTo(setup->pgGeneral), c.albumPanel) << c.action;
      // The command's caption as a title: "Setup", not "Setup...".
      QString title = browser_.Action(c.albumPanel ? "AlbumProperties" : "Setup")->text();
      title.chop(3);
      EXPECT_EQ(setup->windowTitle(), title);
    });
  }
}

TEST_F(SetupCommandsTest, ALanguageChosenInSetupWaitsForTheNextStartInEveryWindow) {
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.path());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.path());
  const QString started = dir_.path() + "/started.LNG";
  const QString chosen = dir_.path() + "/chosen.LNG";
  WriteAll(started, "fSplash.btClose=Zavrit\r\n");
  WriteAll(chosen, "fSplash.btClose=Schliessen\r\n");
  ProgramSettings.Language = started;
  SaveSettings(ProgramSettings);
  LoadSettings(browser_.Document(),
               [this](const QStringList& language) { browser_.SetLanguage(language); });
  WhileModal("Setup", [&](QWidget* modal) {
    auto* setup = static_cast<TfSetup*>(modal);
    ask_.OpenFileNames << chosen;
    QTest::mouseClick(setup->btLanguage, Qt::LeftButton);
    QTest::mouseClick(setup->btOK, Qt::LeftButton);
  });
  ASSERT_EQ(ProgramSettings.Language, chosen);
  // The About window is made now, after the choice.
  WhileModal("About", [](QWidget* modal) {
    EXPECT_EQ(modal->findChild<QPushButton*>("btClose")->text(), "Zavrit");
  });
}

TEST_F(SetupCommandsTest, FourColumnsAppliedRedrawTheOpenBookAtASpreadItStillHas) {
  browser_.NewAlbum();
  AlbumModel& model = browser_.Model();
  for (int i = 0; i < 30; ++i) model.Chapters[0].AppendEmpty();  // 6 a page: last spread 6
  browser_.ShowSpread(0, 6);
  ASSERT_EQ(model.CurrentPage, 6);
  const QSize before = browser_.Book().ThumbnailBox();
  WhileModal("AlbumProperties", [](QWidget* modal) {
    auto* setup = static_cast<TfSetup*>(modal);
    setup->Pages->setCurrentWidget(setup->pgLook);
    QTest::keyClick(setup->edColCount, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(setup->edColCount, "4");
    QTest::keyClick(setup->edColCount, Qt::Key_Return);  // Enter is OK, also in a spin box
    EXPECT_FALSE(setup->isVisible());
  });
  EXPECT_EQ(AlbumProfile.ColumnCount, 4);
  EXPECT_LT(browser_.Book().ThumbnailBox().width(), before.width());
  EXPECT_TRUE(model.FormatModified);
  EXPECT_EQ(model.CurrentPage, 4);  // 12 a page: spread 6 is gone
  EXPECT_FALSE(model.IsBookClosed());
}

TEST_F(SetupCommandsTest, TheGuideMakesTheNewAlbumThroughTheWindow) {
  browser_.Model().DataTitles = {"Old"};
  WhileModal("DoRunGuide", [this](QWidget* modal) {
    ASSERT_EQ(modal->objectName(), "fGuide");
    auto* guide = static_cast<TfGuide*>(modal);
    EXPECT_EQ(guide->Pages->currentIndex(), 0);
    for (int page = 0; page < 4; ++page) {
      if (page == 1) {
        QTest::keyClicks(guide->edTitle, "Walk");
        QTest::keyClicks(guide->edFileName, dir_.path() + "/Walk");
      }
      QTest::mouseClick(guide->btNext, Qt::LeftButton);
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
    ProgramSettings.RunGuide = run;
    bool shown = false;
    const Soon soon([&] {
      QWidget* modal = QApplication::activeModalWidget();
      shown = modal != nullptr;
      if (shown) QTest::keyClick(modal, Qt::Key_Escape);
    });
    ShowStartupGuide(browser_);
    QCoreApplication::processEvents();
    EXPECT_EQ(shown, run);
  }
}

}  // namespace
