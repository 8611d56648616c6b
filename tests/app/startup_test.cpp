// Start-up with and without a file on the command line, and the windows' object names.
#include "app/startup.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <optional>

#include "app/setup_commands.h"
#include "browser/album_browser.h"
#include "browser/browse_window.h"
#include "browser/edit_window.h"
#include "browser/window_chrome.h"
#include "core/message_table.h"
#include "dialogs/splash.h"
#include "init/file_association.h"
#include "init/language.h"
#include "init/profile_file.h"
#include "support/scripted_prompts.h"
#include "support/settings_folder.h"
#include "support/test_files.h"

namespace {

// The caption a language line sets on a component; none for the kinds it leaves alone.
std::optional<QString> Caption(const QObject* component) {
  if (auto* label = qobject_cast<const QLabel*>(component)) return label->text();
  if (auto* action = qobject_cast<const QAction*>(component)) return action->text();
  if (auto* group = qobject_cast<const QGroupBox*>(component)) return group->title();
  if (qobject_cast<const QPushButton*>(component) || qobject_cast<const QCheckBox*>(component) ||
      qobject_cast<const QRadioButton*>(component))
    return static_cast<const QAbstractButton*>(component)->text();
  auto* page = qobject_cast<const QWidget*>(component);
  QWidget* stack = page != nullptr ? page->parentWidget() : nullptr;
  auto* tabs = qobject_cast<QTabWidget*>(stack != nullptr ? stack->parentWidget() : nullptr);
  if (tabs != nullptr && tabs->indexOf(page) >= 0) return tabs->tabText(tabs->indexOf(page));
  return std::nullopt;
}

// The named components of window, its child windows left out, as TranslateForm walks them.
void Components(const QObject* owner, QObjectList& out) {
  for (QObject* child : owner->children()) {
    auto* widget = qobject_cast<QWidget*>(child);
    if (widget != nullptr && widget->isWindow()) continue;
    if (!child->objectName().isEmpty()) out << child;
    Components(child, out);
  }
}

}  // namespace

// Language files address the translated windows' components by object name: every name
// tests/data/object_names.txt lists ("window.component") must stay one a language line translates.
TEST(ObjectNames, EveryNameTheLanguageFilesAddressIsTranslatedStill) {
  QTemporaryDir dir;
  const SettingsFolder settings(dir.filePath("config"));
  ScriptedPrompts ask;
  // The program's windows, each made as when first opened.
  std::unique_ptr<AlbumBrowser> browser(StartBookWindow({}, &ask));
  for (QObject* part : browser->children()) {
    if (auto* edit = dynamic_cast<EditWindow*>(part)) edit->Details();
    if (auto* browse = dynamic_cast<BrowseWindow*>(part)) browse->Goto();
  }
  SetupDialogOf(*browser);
  new SplashDialog(browser.get());

  const QStringList names = QString::fromLatin1(ReadAll(TestDataPath("object_names.txt")))
                                .split(u'\n', Qt::SkipEmptyParts);
  ASSERT_FALSE(names.isEmpty());
  // Each name's line gives it its own name as caption.
  QStringList lines, missing = names;
  for (const QString& name : names) lines << name + u'=' + name;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (!TranslatedWindows.contains(window->objectName())) continue;
    TranslateForm(lines, window);
    QObjectList components;
    Components(window, components);
    for (const QObject* c : components) {
      const QString name = window->objectName() + u'.' + c->objectName();
      if (Caption(c) == name) missing.removeAll(name);
    }
  }
  EXPECT_TRUE(missing.isEmpty()) << missing.join(u' ').toStdString();
}

TEST(StartUp, OpensTheArgumentByItsExtensionOrShowsTheEmptyCover) {
  QTemporaryDir dir;
  const SettingsFolder settings(dir.filePath("config"));
  AlbumLook defaults;
  ASSERT_TRUE(LoadProfile(QStringLiteral(QV_BINARY_DIR "/bin/default.AFM"), defaults));
  AlbumLook look = defaults;
  look.FormLeft = defaults.FormLeft + 37;
  look.FormWidth = 500;
  ASSERT_TRUE(SaveProfile(dir.filePath("look.AFM"), look));
  WriteAll(dir.filePath("trip.alb"), "DataFile=trip.XML\r\nFormatFile=look.AFM\r\n");
  WriteAll(dir.filePath("photo.JPG"), "not an album");

  // The default look's window is larger than the offscreen screen: held to it.
  QList<QRect> screens;
  for (const QScreen* screen : QGuiApplication::screens()) screens << screen->availableGeometry();
  const QRect shown = PlaceWindow(defaults.FormLeft, defaults.FormTop, defaults.FormWidth,
                                  defaults.FormHeight, screens);

  struct Case {
    const char* what;
    QString file;
    QString album;  // AlbumFileName afterwards
    int left;
    int width;
    bool menuShown;
    const char* why;  // the message's reason when the file cannot be opened
  };
  const Case cases[] = {
      {"no argument: the default look, panel out once a book opens", "", "", shown.left(),
       shown.width(), true, nullptr},
      {"an album with a lower-case extension", dir.filePath("trip.alb"), dir.filePath("trip.alb"),
       look.FormLeft, 500, false, nullptr},
      {"another kind of file opens nothing", dir.filePath("photo.JPG"), "", shown.left(),
       shown.width(), false, "FileKindUnknown"},
      {"a missing file opens nothing", dir.filePath("gone.ALB"), "", shown.left(), shown.width(),
       false, "FileNotFound"},
      {"a folder opens nothing", dir.path(), "", shown.left(), shown.width(), false,
       "FileIsFolder"},
  };
  for (const Case& c : cases) {
    ScriptedPrompts prompts;
    std::unique_ptr<AlbumBrowser> window(StartBookWindow(c.file, &prompts));
    // A file that cannot be opened is named, with the reason.
    if (c.why == nullptr) {
      EXPECT_TRUE(prompts.Log.isEmpty()) << c.what;
    } else {
      ASSERT_EQ(prompts.Log.size(), 1) << c.what;
      EXPECT_TRUE(prompts.Log[0].startsWith(u"error: ")) << c.what;
      EXPECT_TRUE(prompts.Log[0].contains(QDir::toNativeSeparators(c.file))) << c.what;
      EXPECT_TRUE(prompts.Log[0].contains(Msg(QLatin1String(c.why)))) << c.what;
    }
    const AlbumModel& model = window->Model();
    EXPECT_EQ(model.AlbumFileName, c.album) << c.what;
    EXPECT_TRUE(window->View().IsBookClosed()) << c.what;
    EXPECT_EQ(window->geometry().left(), c.left) << c.what;
    EXPECT_EQ(window->width(), c.width) << c.what;
    EXPECT_EQ(window->IsMenuShown(), c.menuShown) << c.what;
    // The pages are laid out and drawn for the window as placed.
    EXPECT_EQ(window->Book().CoverPage.Image.width(), c.width / 2) << c.what;
    EXPECT_FALSE(window->mask().contains(QPoint(c.width / 4, 100))) << c.what;
    // Start-up does not wait for windows it does not show: each is made when first opened.
    for (const QWidget* made : QApplication::topLevelWidgets())
      EXPECT_FALSE(QStringList({"fGoto", "fPicDetails", "fPicView", "fSetup", "fGuide", "fSplash"})
                       .contains(made->objectName()))
          << c.what << ": " << made->objectName().toStdString();
  }
}

// The desktop matches windows to the entry by their X class (the application
// name) or, on Wayland, by the desktop file name.
TEST(StartUp, TheWindowsNameTheirDesktopEntry) {
  SetProgramIdentity();
  EXPECT_EQ(QGuiApplication::desktopFileName(), QString::fromLatin1(ApplicationId));
  EXPECT_FALSE(QApplication::windowIcon().isNull());
  EXPECT_TRUE(ReadAll(QStringLiteral(":/desktop/%1.desktop").arg(ApplicationId))
                  .contains("\nStartupWMClass=" + QApplication::applicationName().toUtf8() + '\n'));
}
