#include "dialogs/guide_dialog.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTest>

#include "init/album_document.h"
#include "init/profile_file.h"
#include "init/program_settings.h"
#include "support/album_env.h"
#include "support/click.h"
#include "support/controls.h"
#include "support/with_modal.h"

namespace {

class FakeGuideHost : public GuideHost {
 public:
  AlbumModel* Model = nullptr;
  QStringList Calls;
  bool KeepOldAlbum = false;  // the save question before New is cancelled
  bool NewAlbum() override {
    Calls << "New";
    if (KeepOldAlbum) return false;
    Model->ResetToNew();
    return true;
  }
  void OpenAlbum() override { Calls << "Open"; }
  void ShowAlbumLook() override { Calls << "Look"; }
};

class GuideTest : public AlbumFilesTest {
 protected:
  void SetUp() override {
    AlbumFilesTest::SetUp();
    host_.Model = &env_.Model;
    env_.Model.DataTitles = {"Old"};
    guide_.ResetGuide();
    guide_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&guide_));
  }
  template <typename T = QAbstractButton>
  T* Find(const char* name) {
    return Control<T>(&guide_, name);
  }
  void Click(const char* name) { ClickButton(Find(name)); }
  // From the first page to the last, with a new album of that title and file.
  void WalkToTheEnd(const QString& title, const QString& file, bool custom = false) {
    Click("btNext");
    QTest::keyClicks(Find<QLineEdit>("edTitle"), title);
    QTest::keyClicks(Find<QLineEdit>("edFileName"), file);
    Click("btNext");
    if (custom) Click("btCustomFormat");
    Click("btNext");
  }
  int Page() { return Find<QStackedWidget>("Pages")->currentIndex(); }

  DataEnv env_;
  ProgramSettings settings_ = DefaultProgramSettings();
  FakeGuideHost host_;
  GuideDialog guide_{{env_.Model, env_.Window, env_.Ask, settings_, host_}};
};

TEST_F(GuideTest, CreatingToTheEndMakesThreeFilesThatSaveAndReopenAsTheAlbum) {
  // Only an album file's own extensions are replaced; other dots are the name's.
  const struct {
    const char* typed;
    const char* album;
    const char* stem;
  } cases[] = {
      {"Holiday", "Holiday.ALB", "Holiday"},
      {"Beach.XML", "Beach.ALB", "Beach"},
      {"Alps.afm", "Alps.ALB", "Alps"},
      {"Summer 2024.06", "Summer 2024.06.ALB", "Summer 2024.06"},
      {"trip.alb", "trip.alb", "trip"},
  };
  for (const auto& c : cases) {
    const QString stem = QLatin1String(c.stem);
    guide_.ResetGuide();
    guide_.show();
    host_.Calls.clear();
    WalkToTheEnd(stem, Path(c.typed));
    EXPECT_EQ(Find("btNext")->text(), "Finish");
    EXPECT_EQ(Find<QLabel>("lbStep")->text(), "Step 3. ");
    Click("btNext");
    EXPECT_EQ(guide_.result(), QDialog::Accepted) << c.typed;
    EXPECT_EQ(host_.Calls, QStringList{"New"}) << c.typed;
    EXPECT_TRUE(env_.Window.Log.contains("RebuildPages"));

    AlbumLook look;
    SetDefaultProfile(look);
    WriteAlbumFile({env_.Data(), look, settings_});
    EXPECT_EQ(ReadAll(Path(c.album)),
              "DataFile=" + stem.toUtf8() + ".XML\r\nFormatFile=" + stem.toUtf8() + ".AFM\r\n")
        << c.typed;
    EXPECT_EQ(ReadAll(Path(stem + ".XML")), DataFileBytes(env_.Model, 0)) << c.typed;
    ASSERT_TRUE(SaveProfile(Path("look"), look));
    EXPECT_EQ(ReadAll(Path(stem + ".AFM")), ReadAll(Path("look"))) << c.typed;
    DataEnv reopened;
    OpenDocument({reopened.Data(), look, settings_}, Path(c.album));
    EXPECT_EQ(reopened.Model.DataTitles.value(0), stem) << c.typed;
    EXPECT_EQ(reopened.Model.DataFiles.value(0), Path(stem + ".XML")) << c.typed;
    EXPECT_EQ(reopened.Model.FormatFileName, Path(stem + ".AFM")) << c.typed;
  }
}

TEST_F(GuideTest, StepsAndButtonsFollowThePageAndOpeningEndsTheGuide) {
  Click("btPrevious");  // nothing before the first page
  EXPECT_EQ(Page(), 0);
  EXPECT_TRUE(Find<QLabel>("lbStep")->text().isEmpty());
  Click("btNext");
  EXPECT_EQ(Find<QLabel>("lbStep")->text(), "Step 1. Select title and filename for the new album.");
  EXPECT_FALSE(Find("btNext")->isEnabled());  // no album without a file name
  QTest::keyClicks(Find<QLineEdit>("edFileName"), "x");
  EXPECT_TRUE(Find("btNext")->isEnabled());
  Click("btPrevious");
  EXPECT_EQ(Page(), 0);
  EXPECT_EQ(Find<QLabel>("lbStep")->text(), "Step 1. Select title and filename for the new album.");
  Click("btNext");
  EXPECT_TRUE(Find<QLineEdit>("edFileName")->text().isEmpty());  // a new start
  Click("btPrevious");
  Click("btOpen");  // opening an album runs Open and ends the guide
  Click("btNext");
  EXPECT_EQ(host_.Calls, QStringList{"Open"});
  EXPECT_FALSE(guide_.isVisible());
}

TEST_F(GuideTest, AnExistingAlbumFileIsReplacedOnlyWhenTheUserSaysSo) {
  // Each of the three files, the look other albums may share included.
  for (const char* name : {"Look.ALB", "Look.XML", "Look.AFM"}) {
    WriteAll(Path(name), "FormLeft=1\r\n");
    guide_.ResetGuide();
    WalkToTheEnd("Look", Path("Look"));
    env_.Ask.OkCancelAnswers << false;
    Click("btNext");
    EXPECT_EQ(env_.Ask.Log.value(0), "okcancel: " + QDir::toNativeSeparators(Path(name)) +
                                         " already exists. Replace it when saving?");
    EXPECT_TRUE(host_.Calls.isEmpty()) << name;
    EXPECT_EQ(Page(), 3) << name;
    EXPECT_EQ(ReadAll(Path(name)), "FormLeft=1\r\n");
    ASSERT_TRUE(QFile::remove(Path(name)));
    env_.Ask.Log.clear();
  }

  WriteAll(Path("Trip.ALB"), "DataFile=Trip.XML\r\n");
  guide_.ResetGuide();
  WalkToTheEnd("Trip", Path("Trip.ALB"));
  host_.KeepOldAlbum = true;  // replaced, but the save question before New is cancelled
  env_.Ask.OkCancelAnswers << true;
  Click("btNext");
  EXPECT_TRUE(env_.Ask.Log.last().endsWith("already exists. Replace it when saving?"));
  EXPECT_EQ(host_.Calls, QStringList{"New"});
  EXPECT_EQ(env_.Model.DataTitles, QStringList{"Old"});
  EXPECT_TRUE(guide_.isVisible());
}

TEST_F(GuideTest, CustomFormatOpensTheLookAfterwardsAndTheStartupBoxIsStored) {
  guide_.hide();
  settings_.RunGuide = true;
  WithModal([this] { EXPECT_EQ(guide_.ShowGuide(), QDialog::Accepted); },
            [this](QWidget*) {
              EXPECT_TRUE(Find("btRunOnStartup")->isChecked());
              Click("btRunOnStartup");
              WalkToTheEnd("Look", Path("Look"), true);
              Click("btNext");
            });
  EXPECT_EQ(host_.Calls, QStringList({"New", "Look"}));
  EXPECT_FALSE(settings_.RunGuide);
  ProgramSettings stored = DefaultProgramSettings();
  ReadSettings(stored);
  EXPECT_FALSE(stored.RunGuide);
}

}  // namespace
