#include "browser/browser_actions.h"

#include <QAction>
#include <QMenu>

#include "browser/tool_panel.h"
#include "core/open_album.h"

BrowserActions::BrowserActions(QWidget& window, ToolPanelFrame& panel, const AlbumModel& model,
                               const ViewState& view)
    : window_(window), panel_(panel), model_(model), view_(view) {
  for (const ActionSpec& entry : ActionTable()) {
    auto* action = new QAction(QString::fromLatin1(entry.Caption), &window_);
    const QString name = QString::fromLatin1(entry.Name);
    action->setObjectName(name);
    action->setShortcut(entry.Shortcut);
    action->setCheckable(entry.Checkable);
    if (entry.Glyph >= 0) action->setIcon(WindowGlyph(QString::number(entry.Glyph)));
    action->setProperty("category", QString::fromLatin1(entry.Category));
    window_.addAction(action);  // its shortcut works while the window is active
    actions_.insert(name, action);
    // Whatever a command changed, the rule sees it once every handler ran.
    connect(action, &QAction::triggered, this, &BrowserActions::Update, Qt::QueuedConnection);
  }
  // F1 asks for help on whichever window has the focus.
  Action(QStringLiteral("Help"))->setShortcutContext(Qt::ApplicationShortcut);

  auto fill = [this](QMenu* menu, const std::vector<const char*>& items) {
    for (const char* item : items) {
      if (*item == '\0')
        menu->addSeparator();
      else
        menu->addAction(Action(QLatin1String(item)));
    }
    // A menu shows the actions as the rule has them now.
    connect(menu, &QMenu::aboutToShow, this, &BrowserActions::Update);
  };
  pictureMenu_ = new QMenu(&window_);
  pictureMenu_->setObjectName(QStringLiteral("PictureMenu"));
  fill(pictureMenu_, PictureMenuItems);
  saveMenu_ = new QMenu(&window_);
  saveMenu_->setObjectName(QStringLiteral("SaveMenu"));
  fill(saveMenu_, SaveMenuItems);
  BuildButtons();
}

void BrowserActions::BuildButtons() {
  for (const ToolButtonSpec& entry : ToolButtonTable) {
    QToolButton* button = nullptr;
    if (entry.Action[0] == '\0') {
      auto* save = new SaveButton(&panel_);
      save->setIcon(WindowGlyph(QString::number(entry.Glyph)));
      save->setToolTip(QStringLiteral("Save (Right click for more...)"));
      save->LeftPress = [this] { Run(QStringLiteral("SaveAll")); };
      save->RightPress = [this, save] {
        Update();
        saveMenu_->popup(
            window_.mapToGlobal(QPoint(panel_.x() + panel_.width(), panel_.y() + save->y())));
      };
      button = save;
    } else {
      button = new QToolButton(&panel_);
      button->setDefaultAction(Action(QLatin1String(entry.Action)));
    }
    button->setObjectName(QLatin1String(entry.Name));
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(2, entry.Top, 23, 22);
  }
}

ActionInputs BrowserActions::State() const {
  ActionInputs state;
  state.EditMode = IsEditMode();
  state.AlbumModified = model_.AlbumModified;
  state.AnyDataModified = model_.AnyDataModified();
  state.FormatModified = model_.FormatModified;
  state.ClipboardCount = clipboardCount_ ? clipboardCount_() : 0;
  state.SelEnd = view_.SelEnd;
  state.DetailsShowing = detailsShowing_ ? detailsShowing_() : false;
  return state;
}

bool BrowserActions::IsEditMode() const {
  const QAction* editMode = Action(QStringLiteral("EditMode"));
  return editMode != nullptr && editMode->isChecked();
}

void BrowserActions::Update() {
  const ActionInputs state = State();
  for (const ActionSpec& entry : ActionTable()) {
    if (QAction* action = Action(QLatin1String(entry.Name)))
      action->setEnabled(IsActionEnabled(entry, state));
  }
}

bool BrowserActions::Run(const QString& name) {
  QAction* action = Action(name);
  if (action == nullptr) return false;
  Update();
  if (!action->isEnabled()) return false;
  action->trigger();
  Update();
  return true;
}

void BrowserActions::SetClipboardCount(std::function<int()> count) {
  clipboardCount_ = std::move(count);
  Update();
}

void BrowserActions::SetDetailsShowing(std::function<bool()> showing) {
  detailsShowing_ = std::move(showing);
  Update();
}

void BrowserActions::ApplyHints() {
  for (const ActionSpec& entry : ActionTable()) {
    QAction* action = Action(QLatin1String(entry.Name));
    action->setToolTip(action->text());
    action->setStatusTip(action->text());
  }
  if (auto* save = panel_.findChild<QToolButton*>(QStringLiteral("btSave")))
    save->setToolTip(Action(QStringLiteral("Save"))->toolTip());
}
