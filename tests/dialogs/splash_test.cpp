#include "dialogs/splash.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "dialogs/splash_progress.h"
#include "support/controls.h"

namespace {

// The names of the visible components on the panel, in creation order.
QStringList VisibleComponents(const SplashDialog& splash) {
  QStringList names;
  for (QWidget* w :
       Control(&splash, "pnMain")->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (w->isVisibleTo(&splash)) names << w->objectName();
  }
  return names;
}

const QStringList kProgressOnly{"Logo", "lbVersion", "lbProgress", "ProgressBar"};
const QStringList kAbout{"Logo", "lbVersion", "lbMaker", "lbHomePage", "btHelp", "btClose"};

// Runs ShowAbout with a zero-timeout timer that records what the modal
// window shows and then closes it the way `close` does.
struct AboutRun {
  QStringList visible;
  bool modal = false;
  int result = -1;
};
AboutRun RunAbout(SplashDialog& splash, const std::function<void()>& close) {
  AboutRun run;
  QTimer timer;
  timer.setSingleShot(true);
  QObject::connect(&timer, &QTimer::timeout, [&] {
    run.visible = VisibleComponents(splash);
    run.modal = QApplication::activeModalWidget() == &splash;
    close();
  });
  timer.start(0);
  splash.ShowAbout();
  run.result = splash.result();
  return run;
}

}  // namespace

TEST(Splash, ProgressShowsTextAndGaugeOnlyWhenAsked) {
  SplashDialog splash;
  auto* text = Control<QLabel>(&splash, "lbProgress");
  auto* gauge = Control<QProgressBar>(&splash, "ProgressBar");
  splash.HideProgress();  // before any showing: harmless
  splash.ShowProgress("Opening file\nalbum.xml", 40, true);
  EXPECT_TRUE(splash.isVisible());
  EXPECT_FALSE(splash.isModal());
  EXPECT_EQ(text->text(), "Opening file\nalbum.xml");
  EXPECT_EQ(gauge->value(), 40);
  EXPECT_EQ(VisibleComponents(splash), kProgressOnly);

  splash.ShowProgressText("Loading thumbnails...");  // a gauge left visible goes
  EXPECT_FALSE(gauge->isVisibleTo(&splash));
  EXPECT_EQ(text->text(), "Loading thumbnails...");

  splash.ShowProgress("x", 250, true);
  EXPECT_EQ(gauge->value(), 100);

  // A long name is shortened in its middle to fit; its ends stay.
  const QString longName = "/home/user/" + QString(80, u'x') + "/album.xml";
  splash.ShowProgress("Opening file\n" + longName, 0, false);
  const QStringList shown = text->text().split(u'\n');
  ASSERT_EQ(shown.size(), 2);
  EXPECT_EQ(shown[0], "Opening file");
  EXPECT_TRUE(shown[1].startsWith("/home/") && shown[1].endsWith("album.xml"))
      << shown[1].toStdString();
  EXPECT_LE(text->fontMetrics().horizontalAdvance(shown[1]), text->width());

  splash.HideProgress();
  EXPECT_FALSE(splash.isVisible());
  EXPECT_EQ(VisibleComponents(splash), QStringList({"Logo", "lbVersion"}));
}

TEST(Splash, AboutIsModalAndLeavesNothingForTheProgressBox) {
  SplashDialog splash;
  auto* close = Control<QPushButton>(&splash, "btClose");
  const AboutRun byButton = RunAbout(splash, [&] { close->click(); });
  EXPECT_TRUE(byButton.modal);
  EXPECT_EQ(byButton.visible, kAbout);
  EXPECT_EQ(byButton.result, QDialog::Accepted);
  EXPECT_FALSE(splash.isVisible());

  const AboutRun byEscape = RunAbout(splash, [&] { splash.reject(); });
  EXPECT_EQ(byEscape.result, QDialog::Accepted);  // every way out is OK

  splash.ShowProgress("Opening file", 0, true);
  EXPECT_EQ(VisibleComponents(splash), kProgressOnly);
  splash.HideProgress();

  // About while a progress box is up shows the About controls only.
  splash.ShowProgressText("busy");
  EXPECT_EQ(RunAbout(splash, [&] { close->click(); }).visible, kAbout);
}

TEST(Splash, HelpAndWebAddressGoToTheOpener) {
  SplashDialog splash;
  QList<QUrl> opened;
  splash.SetUrlOpener([&](const QUrl& url) {
    opened << url;
    return true;
  });
  auto* help = Control<QPushButton>(&splash, "btHelp");
  auto* home = Control<QLabel>(&splash, "lbHomePage");
  help->show();
  help->click();
  ASSERT_EQ(opened.size(), 1);
  EXPECT_EQ(opened[0].fragment(), "contents");
  QFile page(opened[0].toLocalFile());
  ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << page.fileName().toStdString();
  EXPECT_TRUE(page.readAll().contains("id=\"contents\""));

  home->show();
  QTest::mouseClick(home, Qt::LeftButton);
  home->setText("www.example.cz");  // as a language file may show it
  QTest::mouseClick(home, Qt::LeftButton);
  home->setText("no address here");
  QTest::mouseClick(home, Qt::LeftButton);
  ASSERT_EQ(opened.size(), 4);
  EXPECT_EQ(opened[1], QUrl(SplashHomePage));
  EXPECT_EQ(opened[2], QUrl("http://www.example.cz"));
  EXPECT_EQ(opened[3], QUrl(SplashHomePage));
}

TEST(Splash, TheBoxComesOnlyForWorkLongerThanTheDelay) {
  struct Report {
    qint64 at;    // ms since the first report
    int percent;  // < 0: hide
  };
  struct Case {
    const char* what;
    std::vector<Report> reports;
    QStringList forwarded;  // "percent" per call reaching the box, "hide" for hides
  };
  const Case cases[] = {
      {"a quick operation shows nothing", {{0, 0}, {100, 50}, {399, 90}, {399, -1}}, {}},
      {"a long one shows from its first report after the delay",
       {{0, 0}, {200, 20}, {400, 40}, {900, 90}, {950, -1}},
       {"40", "90", "hide"}},
      {"each operation waits the delay anew",
       {{0, 0}, {500, 50}, {500, -1}, {600, 0}, {700, 10}, {1100, 80}, {1100, -1}},
       {"50", "hide", "80", "hide"}},
      {"a hide with nothing under way", {{0, -1}, {10, 0}, {300, -1}}, {}},
  };
  for (const Case& c : cases) {
    qint64 now = 0;
    QStringList forwarded;
    struct Recorder : ProgressSink {
      QStringList* log;
      void ShowProgress(const QString&, int percent, bool) override {
        *log << (percent < 0 ? QStringLiteral("hide") : QString::number(percent));
      }
    } box;
    box.log = &forwarded;
    DelayedProgress progress(
        nullptr, [&box]() -> ProgressSink& { return box; }, 400, [&now] { return now; });
    for (const Report& r : c.reports) {
      now = r.at;
      progress.ShowProgress(QStringLiteral("text"), r.percent, true);
    }
    EXPECT_EQ(forwarded, c.forwarded) << c.what;
  }
}

TEST(Splash, MadeOnFirstUseInTheSessionsLanguage) {
  const QStringList language{QStringLiteral("fSplash.btClose=Zavrit")};
  QWidget window;
  SplashDialog& splash = SplashWindow(&window, language);
  EXPECT_EQ(&SplashWindow(&window, {}), &splash);  // one window
  EXPECT_EQ(Control<QPushButton>(&splash, "btClose")->text(), "Zavrit");
}
