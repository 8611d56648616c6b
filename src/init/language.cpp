#include "language.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QWidget>

#include "core/key_value.h"
#include "core/message_table.h"
#include "core/text_file.h"

const QStringList TranslatedWindows{QStringLiteral("fAlbumBrowser"), QStringLiteral("fGoto"),
                                    QStringLiteral("fPicDetails"), QStringLiteral("fSetup"),
                                    QStringLiteral("fSplash")};

namespace {

// A tab page is the widget a QTabWidget shows for a tab; its caption is the
// tab's text, held by the tab widget.
QTabWidget* TabWidgetOf(QWidget* page) {
  for (QWidget* up = page->parentWidget(); up != nullptr; up = up->parentWidget()) {
    if (auto* tabs = qobject_cast<QTabWidget*>(up)) {
      return tabs->indexOf(page) >= 0 ? tabs : nullptr;
    }
  }
  return nullptr;
}

// Sets the caption of a component of a translated kind; any other is left.
// The kinds are tried in the order label, action, push button, check box,
// radio button, group box, tab page.
void SetCaption(QObject* component, const QString& text) {
  if (auto* label = qobject_cast<QLabel*>(component)) {
    label->setText(text);
  } else if (auto* action = qobject_cast<QAction*>(component)) {
    action->setText(text);
  } else if (qobject_cast<QPushButton*>(component) != nullptr ||
             qobject_cast<QCheckBox*>(component) != nullptr ||
             qobject_cast<QRadioButton*>(component) != nullptr) {
    static_cast<QAbstractButton*>(component)->setText(text);
  } else if (auto* group = qobject_cast<QGroupBox*>(component)) {
    group->setTitle(text);
  } else if (auto* widget = qobject_cast<QWidget*>(component)) {
    QTabWidget* tabs = TabWidgetOf(widget);
    if (tabs != nullptr) tabs->setTabText(tabs->indexOf(widget), text);
  }
}

// The components a window owns, in depth-first order: a dialog or other
// window that has the window as its parent is a window of its own, with its
// own entries, and is not entered.
void CollectComponents(const QObject* owner, QObjectList& out) {
  for (QObject* child : owner->children()) {
    const auto* widget = qobject_cast<const QWidget*>(child);
    if (widget != nullptr && widget->isWindow()) continue;
    out << child;
    CollectComponents(child, out);
  }
}

QWidget* OpenWindow(const QString& name) {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->objectName() == name) return window;
  }
  return nullptr;
}

}  // namespace

void TranslateForm(const QStringList& lines, QWidget* window) {
  if (window == nullptr) return;
  const QString name = window->objectName();

  const QString caption = KeyValue(lines, name);
  if (!caption.isEmpty()) window->setWindowTitle(caption);

  const QString prefix = name + u'.';
  QObjectList components;
  CollectComponents(window, components);
  for (QObject* component : components) {
    if (component->objectName().isEmpty()) continue;
    const QString text = KeyValue(lines, prefix + component->objectName());
    if (!text.isEmpty()) SetCaption(component, text);  // other kinds keep their text
  }
}

bool LoadLanguage(const QString& fileName, LanguageMessages& messages, QStringList* applied) {
  if (!fileName.isEmpty() && !QFileInfo::exists(fileName)) return false;
  messages.SetLines({});
  const QStringList lines = ReadTextLines(fileName);
  if (applied != nullptr) *applied = lines;
  messages.SetLines(lines);
  for (const QString& name : TranslatedWindows) TranslateForm(lines, OpenWindow(name));
  return true;
}
