#include "app/startup.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QThreadPool>
#include <QTimer>
#include <csignal>

#include "app/setup_commands.h"

#include "browser/album_browser.h"
#include "browser/browse_window.h"
#include "browser/edit_browse.h"
#include "browser/edit_window.h"
#include "core/file_error.h"
#include "core/message_table.h"
#include "core/prompts.h"
#include "dialogs/splash_progress.h"
#include "init/file_association.h"
#include "init/load_settings.h"
#include "program_icon.h"

namespace {

// The font configuration and the system's font list take milliseconds to
// read, and the cover's first text would wait for them: another core reads
// them while the window is built. (The fonts themselves are loaded by each
// thread for itself, so they are left to the one that draws.)
void ReadFontsAhead() {
  QThreadPool::globalInstance()->start([] { QFontDatabase::families(); });
}

// A file-size limit (ulimit -f) ends a process that writes past it, and with
// it every unsaved edit. Ignored, the write fails instead (EFBIG) and is
// reported like a full disk; the old file and the edits stay.
void SurviveFileSizeLimit() {
#ifdef SIGXFSZ
  std::signal(SIGXFSZ, SIG_IGN);
#endif
}

}  // namespace

QString CannotOpenReason(const QString& file) {
  const QFileInfo info(file);
  QString why;
  if (!info.exists())
    why = Msg(QStringLiteral("FileNotFound"));
  else if (info.isDir())
    why = Msg(QStringLiteral("FileIsFolder"));
  else if (!QStringList({"ALB", "AFM", "XML"}).contains(info.suffix().toUpper()))
    why = Msg(QStringLiteral("FileKindUnknown"));
  else if (!info.isReadable())
    why = Msg(QStringLiteral("FileNotReadable"));
  if (why.isEmpty()) return {};
  return Msg(QStringLiteral("CannotOpenFile")).arg(QDir::toNativeSeparators(file), why);
}

void SetProgramIdentity() {
  // The application name is also the window class the X server shows, which
  // the desktop entry's StartupWMClass names; on Wayland the desktop file
  // name is the window's application id.
  QApplication::setApplicationName(QStringLiteral("Quirevale"));
  QApplication::setApplicationVersion(QStringLiteral("1.0"));
  QGuiApplication::setDesktopFileName(QString::fromLatin1(ApplicationId));
  QApplication::setWindowIcon(ProgramIcon());
}

AlbumBrowser* StartBookWindow(const QString& file, Prompts* ask) {
  SurviveFileSizeLimit();
  ReadFontsAhead();
  auto* browser = new AlbumBrowser(ask);
  // The other windows belong to the book window and live as long as it.
  // The splash window is made when a long operation or About first needs it.
  browser->SetProgress(MakeSplashProgress(browser, browser->Language()));
  // Editing first, so the release that ends an image drag reaches it first.
  auto* edit = new EditWindow(*browser);      // editing, undo and the image properties dialog
  AttachSetupCommands(*browser);              // the setup dialog and the guide, made when opened
  auto* browse = new BrowseWindow(*browser);  // browsing, the go-to dialog and the image view
  ConnectEditing(*edit, *browse);
  browser->HoldLayout();
  LoadSettings(browser->Document(), browser->Messages(), [browser](const QStringList& language) {
    browser->SetLanguage(language);
    browser->ApplyActionHints();
  });
  if (!file.isEmpty()) {
    // Said at once: an empty cover alone would leave the user guessing.
    if (const QString cannot = CannotOpenReason(file); !cannot.isEmpty()) {
      browser->prompts().ShowError(cannot);
    } else {
      try {
        OpenDocument(browser->Document(), file);
      } catch (const EFileError& error) {
        browser->prompts().ShowError(error.Message());
      }
    }
    browser->ReleaseLayout();  // the file's look and spread, or the default ones
  } else {
    browser->ReleaseLayout();  // PositionWindow and the current spread
    browser->Progress().HideProgress();
    // The panel comes out as soon as a book is opened.
    browser->SetMenuShown(true);
  }
  browser->UpdateActions();
  return browser;
}

int RunBookWindow(const QString& file) {
  std::unique_ptr<AlbumBrowser> browser(StartBookWindow(file));
  browser->show();
  browser->activateWindow();
  // The guide comes once the window is up and the event loop runs.
  QTimer guide;
  guide.setSingleShot(true);
  QObject::connect(&guide, &QTimer::timeout, browser.get(),
                   [window = browser.get()] { ShowStartupGuide(*window); });
  if (file.isEmpty()) guide.start(0);
  const int status = QApplication::exec();
  return status;
}

bool HasDisplay(QString* why) {
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
  if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) return true;
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
    *why = QStringLiteral(
        "no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is set)");
    return false;
  }
#else
  Q_UNUSED(why);
#endif
  return true;
}
