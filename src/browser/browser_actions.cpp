// The book window's action list: built from the table, with its menus and
// tool buttons, and kept enabled by the one rule.
#include <QAction>
#include <QMenu>

#include "browser/album_browser.h"
#include "browser/tool_panel.h"

void AlbumBrowser::BuildActions() {
  for (const ActionSpec& entry : ActionTable()) {
    auto* action = new QAction(QString::fromLatin1(entry.Caption), this);
    const QString name = QString::fromLatin1(entry.Name);
    action->setObjectName(name);
    action->setShortcut(entry.Shortcut);
    action->setCheckable(entry.Checkable);
    if (entry.Glyph >= 0) action->setIcon(WindowGlyph(QString::number(entry.Glyph)));
    action->setProperty("category", QString::fromLatin1(entry.Category));
    addAction(action);  // its shortcut works while the window is active
    actions_.insert(name, action);
    // Whatever a command changed, the rule sees it once every handler ran.
    connect(action, &QAction::triggered, this, &AlbumBrowser::UpdateActions, Qt::QueuedConnection);
  }
  // F1 asks for help on whichever window has the focus.
  Action(QStringLiteral("Help"))->setShortcutContext(Qt::ApplicationShortcut);
  connect(Action(QStringLiteral("EditMode")), &QAction::triggered, this,
          &AlbumBrowser::EditModeExecute);

  auto fill = [this](QMenu* menu, const std::vector<const char*>& items) {
    for (const char* item : items) {
      if (*item == '\0')
        menu->addSeparator();
      else
        menu->addAction(Action(QLatin1String(item)));
    }
    // A menu shows the actions as the rule has them now.
    connect(menu, &QMenu::aboutToShow, this, &AlbumBrowser::UpdateActions);
  };
  pictureMenu_ = new QMenu(this);
  pictureMenu_->setObjectName(QStringLiteral("PictureMenu"));
  fill(pictureMenu_, PictureMenuItems);
  saveMenu_ = new QMenu(this);
  saveMenu_->setObjectName(QStringLiteral("SaveMenu"));
  fill(saveMenu_, SaveMenuItems);

  for (const ToolButtonSpec& entry : ToolButtonTable) {
    QToolButton* button = nullptr;
    if (entry.Action[0] == '\0') {
      auto* save = new SaveButton(pnMenu_);
      save->setIcon(WindowGlyph(QString::number(entry.Glyph)));
      save->setToolTip(QStringLiteral("Save (Right click for more...)"));
      save->LeftPress = [this] { RunAction(QStringLiteral("SaveAll")); };
      save->RightPress = [this, save] {
        UpdateActions();
        saveMenu_->popup(
            mapToGlobal(QPoint(pnMenu_->x() + pnMenu_->width(), pnMenu_->y() + save->y())));
      };
      button = save;
    } else {
      button = new QToolButton(pnMenu_);
      button->setDefaultAction(Action(QLatin1String(entry.Action)));
    }
    button->setObjectName(QLatin1String(entry.Name));
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(2, entry.Top, 23, 22);
  }
}

QAction* AlbumBrowser::Action(const QString& name) const { return actions_.value(name); }

ActionInputs AlbumBrowser::ActionState() const {
  ActionInputs state;
  state.EditMode = IsEditMode();
  state.AlbumModified = model_.AlbumModified;
  state.AnyDataModified = model_.AnyDataModified();
  state.FormatModified = model_.FormatModified;
  state.ClipboardCount = clipboardCount_ ? clipboardCount_() : 0;
  state.SelEnd = model_.SelEnd;
  state.DetailsShowing = detailsShowing_ ? detailsShowing_() : false;
  return state;
}

void AlbumBrowser::UpdateActions() {
  const ActionInputs state = ActionState();
  for (const ActionSpec& entry : ActionTable()) {
    if (QAction* action = Action(QLatin1String(entry.Name)))
      action->setEnabled(SaveAlbumUpdate(entry, state));
  }
}

bool AlbumBrowser::RunAction(const QString& name) {
  QAction* action = Action(name);
  if (action == nullptr) return false;
  UpdateActions();
  if (!action->isEnabled()) return false;
  action->trigger();
  UpdateActions();
  return true;
}

void AlbumBrowser::SetClipboardCount(std::function<int()> count) {
  clipboardCount_ = std::move(count);
  UpdateActions();
}

void AlbumBrowser::SetDetailsShowing(std::function<bool()> showing) {
  detailsShowing_ = std::move(showing);
  UpdateActions();
}

void AlbumBrowser::ApplyActionHints() {
  for (const ActionSpec& entry : ActionTable()) {
    QAction* action = Action(QLatin1String(entry.Name));
    action->setToolTip(action->text());
    action->setStatusTip(action->text());
  }
  if (auto* save = pnMenu_->findChild<QToolButton*>(QStringLiteral("btSave")))
    save->setToolTip(Action(QStringLiteral("Save"))->toolTip());
}

void AlbumBrowser::EditModeExecute(bool checked) {
  QAction* editMode = Action(QStringLiteral("EditMode"));
  if (checked && model_.IsBookClosed()) {
    // Nothing to edit on the cover: the press changes nothing. Leaving edit
    // mode always works, so Open never keeps it on for the next album.
    editMode->setChecked(false);
    return;
  }
  StretchMenu();
  UpdateActions();
  update();
  emit EditModeChanged(checked);
}
