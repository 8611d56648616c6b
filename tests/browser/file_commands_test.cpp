// The file commands as a user reaches them: keys, menus, the save button,
// closing the window; real files in a temporary folder.
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSignalSpy>
#include <QToolButton>

#include "browser/tool_panel.h"
#include "browser_fixture.h"
#include "support/test_files.h"

namespace {

using FileCommandsTest = BrowserTest;

}  // namespace

TEST_F(FileCommandsTest, SaveAllRunsFromEveryPlaceOnlyWhenSomethingIsUnsaved) {
  // A named album whose files exist: only what is modified gets written.
  NewAlbumWith(1);
  ask_.SaveFileNames << Path("Trip.ALB");
  QTest::keyClick(&W(), Qt::Key_F2);  // a new album is named first
  ASSERT_EQ(ask_.FileRequests.size(), 1);
  EXPECT_EQ(ask_.FileRequests[0].Title, "Save album as...");
  EXPECT_EQ(ask_.FileRequests[0].DefaultSuffix, "ALB");
  Model().FormatFileName = Path("Trip.AFM");
  Model().FormatModified = true;
  ASSERT_TRUE(W().RunAction("SaveFormat"));
  ASSERT_EQ(QDir(dir_.path()).entryList(QDir::Files, QDir::Name),
            QStringList({"Trip.AFM", "Trip.ALB", "Trip.XML"}));
  const QByteArray album = ReadAll(Path("Trip.ALB"));
  const QByteArray data = ReadAll(Path("Trip.XML"));

  QAction* saveAll = W().Action("SaveAll");
  auto* button = W().ToolPanel()->findChild<QToolButton*>("btSave");
  ASSERT_NE(button, nullptr);
  QV_WAIT(button->isVisible());
  const std::pair<const char*, std::function<void()>> ways[] = {
      {"Ctrl+S", [&] { QTest::keyClick(&W(), Qt::Key_S, Qt::ControlModifier); }},
      {"save button", [&] { QTest::mouseClick(button, Qt::LeftButton); }},
      {"save menu item",
       [&] {
         QMenu* menu = W().SaveMenu();
         menu->popup(W().mapToGlobal(QPoint(50, 50)));
         QV_WAIT(menu->isVisible());
         QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(saveAll).center());
         menu->hide();
       }},
      {"code", [&] { W().RunAction("SaveAll"); }},
  };
  for (const auto& [way, run] : ways) {
    QSignalSpy ran(saveAll, &QAction::triggered);
    W().UpdateActions();
    run();
    EXPECT_EQ(ran.count(), 0) << way << ": nothing is unsaved";

    // Only the look is unsaved: only the format file is written.
    Look().RowCount = Look().RowCount % 5 + 1;
    Model().FormatModified = true;
    QFile::remove(Path("Trip.AFM"));
    run();
    EXPECT_EQ(ran.count(), 1) << way;
    EXPECT_TRUE(QFileInfo::exists(Path("Trip.AFM"))) << way;
    EXPECT_FALSE(Model().FormatModified) << way;
    EXPECT_EQ(ReadAll(Path("Trip.ALB")), album) << way;
    EXPECT_EQ(ReadAll(Path("Trip.XML")), data) << way;
  }
  EXPECT_TRUE(ReadAll(Path("Trip.AFM")).contains("RowCount="));

  // Under another name the data file is written though its images did not
  // change, and the album file must name it.
  ask_.SaveFileNames << Path("Other.XML");
  QTest::keyClick(&W(), Qt::Key_F3, Qt::ShiftModifier);
  EXPECT_TRUE(QFileInfo::exists(Path("Other.XML")));
  EXPECT_TRUE(Model().AlbumModified);
  QTest::keyClick(&W(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_TRUE(ReadAll(Path("Trip.ALB")).contains("DataFile=Other.XML"));
}

TEST_F(FileCommandsTest, AFailedSaveStopsSaveAllAndKeepsTheFlags) {
  NewAlbumWith(1);
  WriteAll(Path("Trip.AFM"), "old look");
  Model().AlbumFileName = Path("gone/Trip.ALB");  // its folder does not exist
  Model().FormatFileName = Path("Trip.AFM");
  Model().FormatModified = true;
  EXPECT_TRUE(W().RunAction("SaveAll"));
  EXPECT_TRUE(Model().AlbumModified);
  EXPECT_TRUE(Model().FormatModified);
  EXPECT_EQ(ReadAll(Path("Trip.AFM")), "old look");
  EXPECT_TRUE(ask_.Log.last().startsWith("error: ")) << ask_.Log.join('\n').toStdString();
}

TEST_F(FileCommandsTest, TheClosePromptOnEveryWayOfClosing) {
  struct Case {
    const char* what;
    std::function<void(AlbumBrowser&)> close;
    PromptAnswer answer;
    bool saveFails;
    bool closed;
  };
  auto exitAction = [](AlbumBrowser& w) { w.RunAction("ExitAlbum"); };
  auto closeButton = [](AlbumBrowser& w) {
    auto* button = w.findChild<QWidget*>("btClose");
    QTest::mousePress(button, Qt::LeftButton);  // closes on the press
    QTest::mouseRelease(button, Qt::LeftButton);
  };
  auto closeZone = [](AlbumBrowser& w) {
    // The close zone answers a release; the button covering it is hidden.
    w.findChild<QWidget*>("btClose")->hide();
    const QPoint p(w.width() - 12, 6);
    QTest::mouseMove(&w, QPoint(w.width() - 100, 200));  // the pointer comes from the book
    QTest::mouseMove(&w, p);
    QTest::mouseClick(&w, Qt::LeftButton, {}, p);
  };
  const Case cases[] = {
      {"Exit, Yes, saved", exitAction, PromptAnswer::Yes, false, true},
      {"Exit, Yes, the save fails", exitAction, PromptAnswer::Yes, true, false},
      {"close button, No", closeButton, PromptAnswer::No, false, true},
      {"close button, Cancel", closeButton, PromptAnswer::Cancel, false, false},
      {"close zone, Cancel", closeZone, PromptAnswer::Cancel, false, false},
      {"close zone, No", closeZone, PromptAnswer::No, false, true},
  };
  W().hide();  // each case has a window of its own
  for (const Case& c : cases) {
    ScriptedPrompts ask;
    AlbumBrowser w(&ask);
    w.PositionWindow();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.Model().AlbumModified = true;
    w.Model().AlbumFileName = Path(c.saveFails ? "gone/A.ALB" : "A.ALB");
    ask.YesNoCancelAnswers << c.answer;
    c.close(w);
    EXPECT_EQ(!w.isVisible(), c.closed) << c.what;
    EXPECT_EQ(ask.Log.value(0).toStdString(), ("question: " + Msg("DataModified")).toStdString())
        << c.what;
    EXPECT_EQ(QFileInfo::exists(Path("A.ALB")), c.answer == PromptAnswer::Yes && !c.saveFails)
        << c.what;
    QFile::remove(Path("A.ALB"));
    QFile::remove(Path("A.XML"));
    w.Model().AlbumModified = false;  // lets the window go
  }
}

TEST_F(FileCommandsTest, NewOpensAnEditableBookAndOpenLeavesEditMode) {
  ASSERT_FALSE(W().IsEditMode());
  QTest::keyClick(&W(), Qt::Key_N, Qt::ControlModifier);
  EXPECT_TRUE(W().IsEditMode());
  EXPECT_TRUE(Model().AlbumModified);
  EXPECT_EQ(View().CurrentChapter, 0);
  EXPECT_EQ(View().CurrentPage, 0);
  EXPECT_TRUE(Model().FormatFileName.isEmpty());
  QV_WAIT(W().ToolPanel()->isVisible() && !W().ToolPanel()->IsAnimating());
  EXPECT_EQ(W().ToolPanel()->TargetHeight(), ToolPanelFrame::EditHeight);

  // Open: the save question (No), edit mode off before the dialog, which
  // is cancelled: nothing else changes.
  ask_.YesNoCancelAnswers << PromptAnswer::No;
  ask_.OpenFileNames << QString();
  QTest::keyClick(&W(), Qt::Key_O, Qt::ControlModifier);
  EXPECT_FALSE(W().IsEditMode());
  EXPECT_EQ(ask_.FileRequests.last().Title, "Open...");
  EXPECT_TRUE(ask_.FileRequests.last().Filter.contains("*.ALB"));
  EXPECT_EQ(View().CurrentPage, 0);
  EXPECT_TRUE(Model().AlbumModified);

  // Edit mode goes on only with the book open, and off in any case.
  W().ShowSpread(0, -1);
  QTest::keyClick(&W(), Qt::Key_F5);
  EXPECT_FALSE(W().IsEditMode());
  W().ShowSpread(0, 0);
  QTest::keyClick(&W(), Qt::Key_F5);
  W().ShowSpread(0, -1);
  QTest::keyClick(&W(), Qt::Key_F5);
  EXPECT_FALSE(W().IsEditMode());
}
