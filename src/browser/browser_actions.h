#pragma once
// Keeps the book window's commands runnable exactly when the enabling rule
// allows: builds the QActions, the pop-up menus and the tool panel's buttons
// from the action table, and re-runs the rule over them.

#include <QHash>
#include <QObject>
#include <QString>
#include <functional>

#include "browser/action_table.h"

class QAction;
class QMenu;
class QWidget;
class AlbumModel;
struct ViewState;
class ToolPanelFrame;

class BrowserActions : public QObject {
  Q_OBJECT

 public:
  // The actions belong to window (their shortcuts work while it is active),
  // the buttons to panel; the rule reads model.
  BrowserActions(QWidget& window, ToolPanelFrame& panel, const AlbumModel& model,
                 const ViewState& view);

  // The action of that object name (ActionTable), or nullptr.
  QAction* Action(const QString& name) const { return actions_.value(name); }
  // Runs the enabling rule, then triggers the action only when it came out
  // enabled; true when it ran.
  bool Run(const QString& name);
  // Re-runs the enabling rule over every action.
  void Update();
  // What the rule reads, as it stands now.
  ActionInputs State() const;
  // The checked state of EditMode.
  bool IsEditMode() const;
  void SetClipboardCount(std::function<int()> count);
  void SetDetailsShowing(std::function<bool()> showing);
  // Every action's hint becomes its caption, btSave's the Save action's.
  void ApplyHints();
  QMenu* PictureMenu() const { return pictureMenu_; }
  QMenu* SaveMenu() const { return saveMenu_; }

 private:
  void BuildButtons();

  QWidget& window_;
  ToolPanelFrame& panel_;
  const AlbumModel& model_;
  const ViewState& view_;
  QHash<QString, QAction*> actions_;
  QMenu* pictureMenu_ = nullptr;
  QMenu* saveMenu_ = nullptr;
  std::function<int()> clipboardCount_;
  std::function<bool()> detailsShowing_;
};
