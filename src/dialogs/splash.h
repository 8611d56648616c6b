#pragma once
// The splash window fSplash: the progress box shown during long work, and the
// modal About window. Both show the logo and the version; About adds the maker
// line, the web address, and Help and Close.

#include <QDialog>
#include <QStringList>

#include "core/progress.h"
#include "dialogs/help_page.h"

class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class LogoImage;

class SplashDialog : public QDialog, public ProgressSink {
 public:
  // Borderless, always on top, centred on parent (the main window) when shown.
  explicit SplashDialog(QWidget* parent = nullptr);

  // Shows the About window modally; the About-only controls are hidden again
  // when it closes, so the progress box never shows them.
  void ShowAbout();

  // percent >= 0: shows text (two lines fit) and, when showGauge, the gauge at
  // percent (held to 0..100); shows the window without making it modal and
  // paints it at once. percent < 0: hides the text, the gauge and the window.
  // ShowProgressText and HideProgress come from ProgressSink.
  void ShowProgress(const QString& text, int percent, bool showGauge) override;

  // Where the Help button and the web address go; the desktop by default.
  void SetUrlOpener(UrlOpener opener) { openUrl_ = std::move(opener); }

  // Escape, like every way out of the About window, ends it with OK.
  void reject() override { done(QDialog::Accepted); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Opens the help page at "contents".
  void btHelpClick();
  // Opens the web address in the desktop's browser.
  void lbHomePageClick();

  // The window's components, named as the language file names them.
  QFrame* pnMain;
  LogoImage* Logo;
  QLabel* lbVersion;
  QLabel* lbMaker;
  QLabel* lbHomePage;
  QLabel* lbProgress;
  QProgressBar* ProgressBar;
  QPushButton* btHelp;
  QPushButton* btClose;

  void FormCreate();
  UrlOpener openUrl_ = OpenWithDesktop;
};

// The one splash window of parent (fSplash), made on first use as its child,
// owned by it and given the captions of language, the lines of the session's
// language file.
SplashDialog& SplashWindow(QWidget* parent, const QStringList& language);

// The address lbHomePage shows and opens.
extern const QString SplashHomePage;
