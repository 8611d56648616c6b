#pragma once
// The book window's commands as one table, and the rule that says which of
// them may run. Plain data and a pure function: the window builds its
// QActions, menus and tool buttons from the table and re-runs the rule
// whenever the state it reads changes.

#include <QKeySequence>
#include <QString>
#include <vector>

struct ActionSpec {
  const char* Name;      // object name; language files address the action by it
  const char* Category;  // "File", "Editing", "Save", "Picture" or "" (none)
  const char* Caption;
  QKeySequence Shortcut;  // empty: none
  int Glyph;              // index of its picture in the glyph list; -1: none
  bool Checkable;         // EditMode and ShowLetters carry a checked state
  bool HasRule;           // false: always enabled (no update handler)
};

// Every action, in the order of the action list.
const std::vector<ActionSpec>& ActionTable();
// The entry called name, or nullptr.
const ActionSpec* FindActionSpec(const QString& name);

// What the enabling rule reads.
struct ActionInputs {
  bool EditMode = false;
  bool AlbumModified = false;
  bool AnyDataModified = false;
  bool FormatModified = false;
  int ClipboardCount = 0;       // images on the internal clipboard
  int SelEnd = -1;              // the selection's moving end; -1: nothing selected
  bool DetailsShowing = false;  // the image properties dialog is showing
};

// The enabling rule: editing commands need edit mode, the
// save commands something unsaved, Paste a filled clipboard, Cut, Copy and
// Delete a selection; while the properties dialog shows, nothing runs.
bool IsActionEnabled(const ActionSpec& action, const ActionInputs& state);

// The pop-up menus' items by action name, in order; "" is a separator.
extern const std::vector<const char*> PictureMenuItems;
extern const std::vector<const char*> SaveMenuItems;

// The tool panel's speed buttons, top to bottom: object name, top edge
// within the panel, the action it runs (btSave runs its own handler) and
// its glyph.
struct ToolButtonSpec {
  const char* Name;
  int Top;
  const char* Action;
  int Glyph;
};
extern const std::vector<ToolButtonSpec> ToolButtonTable;
