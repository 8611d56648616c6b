#include "browser/action_table.h"

namespace {
// Num + is the plus key of the numeric keypad.
const QKeySequence kNumPlus(Qt::KeypadModifier | Qt::Key_Plus);
}  // namespace

const std::vector<ActionSpec>& ActionTable() {
  static const std::vector<ActionSpec> table{
      {"FileNew", "File", "New...", QKeySequence(Qt::CTRL | Qt::Key_N), 0, false, true},
      {"FileOpen", "File", "Open...", QKeySequence(Qt::CTRL | Qt::Key_O), 1, false, true},
      {"EditMode", "File", "Toggle edit mode", QKeySequence(Qt::Key_F5), 3, true, true},
      {"AddPictures", "Editing", "Add images...", kNumPlus, 8, false, true},
      {"InsertPictures", "Editing", "Insert images...", QKeySequence(Qt::Key_Insert), 5, false,
       true},
      {"DeletePictures", "Editing", "Delete images...", QKeySequence(Qt::Key_Delete), 9, false,
       true},
      {"Setup", "File", "Setup...", QKeySequence(Qt::CTRL | Qt::Key_P), 4, false, true},
      {"SaveAlbum", "Save", "Save album", QKeySequence(Qt::Key_F2), -1, false, true},
      {"SaveAlbumAs", "Save", "Save album as...", QKeySequence(Qt::SHIFT | Qt::Key_F2), -1, false,
       true},
      {"SaveFormat", "Save", "Save album format", QKeySequence(Qt::Key_F4), -1, false, true},
      {"SaveFormatAs", "Save", "Save album format as...", QKeySequence(Qt::SHIFT | Qt::Key_F4), -1,
       false, true},
      {"SaveData", "Save", "Save data file", QKeySequence(Qt::Key_F3), -1, false, true},
      {"SaveDataAs", "Save", "Save data file as...", QKeySequence(Qt::SHIFT | Qt::Key_F3), -1,
       false, true},
      {"SaveAll", "Save", "Save all...", QKeySequence(Qt::CTRL | Qt::Key_S), -1, false, true},
      {"ExportPdf", "Save", "Export as PDF...", QKeySequence(), -1, false, true},
      {"Help", "File", "Help", QKeySequence(Qt::Key_F1), -1, false, true},
      {"About", "File", "About...", QKeySequence(), 7, false, true},
      {"ExitAlbum", "File", "Exit", QKeySequence(Qt::ALT | Qt::Key_F4), -1, false, true},
      {"ShowPicture", "Picture", "Show image", QKeySequence(), -1, false, true},
      {"ShowDetails", "Picture", "Image properties...", QKeySequence(Qt::Key_F6), -1, false, true},
      {"EditChapters", "File", "Edit chapters...", QKeySequence(Qt::CTRL | Qt::Key_B), -1, false,
       true},
      {"GotoPage", "", "Go to...", QKeySequence(Qt::CTRL | Qt::Key_G), -1, false, true},
      {"ShowLetters", "Picture", "Show letters", QKeySequence(Qt::Key_Space), -1, true, true},
      {"SelectAll", "Editing", "Select all", QKeySequence(Qt::CTRL | Qt::Key_A), -1, false, true},
      {"AlbumProperties", "File", "Album properties...", QKeySequence(Qt::ALT | Qt::Key_Return), 6,
       false, true},
      {"Cut", "Editing", "Cut", QKeySequence(Qt::CTRL | Qt::Key_X), 10, false, true},
      {"Copy", "Editing", "Copy", QKeySequence(Qt::CTRL | Qt::Key_C), 11, false, true},
      {"Paste", "Editing", "Paste", QKeySequence(Qt::CTRL | Qt::Key_V), 12, false, true},
      {"RecreateThumbnails", "", "Re-create thumbnails", QKeySequence(), -1, false, false},
      {"DoRunGuide", "File", "Run guide...", QKeySequence(), -1, false, false},
      // No command: its caption becomes the hint of the save button.
      {"Save", "Save", "Save", QKeySequence(), -1, false, false},
      // The slideshow; the generic rule takes it away while properties show.
      {"Play", "Picture", "Play slideshow", QKeySequence(Qt::Key_F11), 13, false, true},
      {"FindMissing", "Picture", "Find missing photos...", QKeySequence(), 14, false, true},
  };
  return table;
}

const ActionSpec* FindActionSpec(const QString& name) {
  for (const ActionSpec& entry : ActionTable()) {
    if (name == QLatin1String(entry.Name)) return &entry;
  }
  return nullptr;
}

bool IsActionEnabled(const ActionSpec& action, const ActionInputs& state) {
  if (!action.HasRule) return true;
  const QLatin1String name(action.Name);
  bool enabled = true;
  if (QLatin1String(action.Category) == QLatin1String("Editing")) {
    enabled = state.EditMode;
  } else if (name == QLatin1String("SaveAlbum")) {
    enabled = state.AlbumModified;
  } else if (name == QLatin1String("SaveData")) {
    enabled = state.AnyDataModified;
  } else if (name == QLatin1String("SaveFormat")) {
    enabled = state.FormatModified;
  } else if (name == QLatin1String("SaveAll")) {
    enabled = state.AlbumModified || state.AnyDataModified || state.FormatModified;
  }
  if (name == QLatin1String("Paste")) enabled = enabled && state.ClipboardCount > 0;
  if (name == QLatin1String("Cut") || name == QLatin1String("Copy") ||
      name == QLatin1String("DeletePictures"))
    enabled = enabled && state.SelEnd > -1;
  return enabled && !state.DetailsShowing;
}

const std::vector<const char*> PictureMenuItems{"ShowPicture",
                                                "Play",
                                                "ShowDetails",
                                                "",
                                                "Cut",
                                                "Copy",
                                                "Paste",
                                                "DeletePictures",
                                                "",
                                                "GotoPage",
                                                "SelectAll",
                                                "ShowLetters",
                                                "RecreateThumbnails",
                                                "FindMissing",
                                                ""};

const std::vector<const char*> SaveMenuItems{
    "SaveAll",    "", "SaveAlbum",  "SaveAlbumAs",  "", "SaveData",
    "SaveDataAs", "", "SaveFormat", "SaveFormatAs", "", "ExportPdf"};

const std::vector<ToolButtonSpec> ToolButtonTable{
    {"btNew", 2, "FileNew", 0},
    {"btOpen", 24, "FileOpen", 1},
    {"btSave", 46, "", 2},
    {"btSetup", 71, "Setup", 4},
    {"btAbout", 93, "About", 7},
    {"btAlbumProperties", 118, "AlbumProperties", 6},
    {"btEditMode", 168, "EditMode", 3},
    {"btAddPictures", 195, "AddPictures", 8},
    {"btInsertPictures", 217, "InsertPictures", 5},
    {"btDeletePictures", 239, "DeletePictures", 9},
    {"btCut", 264, "Cut", 10},
    {"btCopy", 286, "Copy", 11},
    {"btPaste", 308, "Paste", 12},
    // In the normal panel, below Album properties; the edit-mode buttons move down.
    {"btPlay", 143, "Play", 13},
    {"btFindMissing", 333, "FindMissing", 14},
};
