// Reads the bytes as a language file and applies it as the program does:
// to the messages and to every translated window, each made as when first
// opened. A window's caption must be its line's text when it has a non-empty one.

#include <QFile>
#include <cstdlib>
#include <memory>

#include "app/headless_window.h"
#include "app/setup_commands.h"
#include "app/startup.h"
#include "browser/album_browser.h"
#include "browser/browse_window.h"
#include "browser/edit_window.h"
#include "core/key_value.h"
#include "core/message_table.h"
#include "dialogs/splash.h"
#include "init/language.h"
#include "support/fuzz_app.h"

namespace {

// The program's windows, made once and kept to the end.
void OpenEveryWindow() {
  static HeadlessPrompts ask;
  static const std::unique_ptr<AlbumBrowser> browser = [] {
    std::unique_ptr<AlbumBrowser> made(StartBookWindow({}, &ask));
    for (QObject* part : made->children()) {
      if (auto* edit = dynamic_cast<EditWindow*>(part)) edit->Details();
      if (auto* browse = dynamic_cast<BrowseWindow*>(part)) browse->Goto();
    }
    SetupDialogOf(*made);
    new SplashDialog(made.get());
    return made;
  }();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzApp();
  OpenEveryWindow();
  const QString file = FuzzScratch().filePath("language.LNG");
  QFile out(file);
  if (!out.open(QIODevice::WriteOnly) ||
      out.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
    std::abort();
  out.close();
  // Installed while still empty, as at start-up (Qt answers false then).
  static LanguageMessages messages;
  [[maybe_unused]] static const bool installed = QCoreApplication::installTranslator(&messages);
  QStringList lines;
  if (!LoadLanguage(file, messages, &lines)) std::abort();
  Msg(QStringLiteral("LoadingFile"));
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (!TranslatedWindows.contains(window->objectName())) continue;
    const QString caption = KeyValue(lines, window->objectName());
    if (!caption.isEmpty() && window->windowTitle() != caption) std::abort();
  }
  return 0;
}
