// Language files address the translated windows' components by object name:
// every name tests/data/object_names.txt lists ("window.component") must stay
// one a language line translates.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <optional>

#include "app/setup_commands.h"
#include "app/startup.h"
#include "browser/album_browser.h"
#include "browser/browse_window.h"
#include "browser/edit_window.h"
#include "dialogs/splash.h"
#include "init/language.h"
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
