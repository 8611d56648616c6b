// The enabling rule over every state it reads, and the table's shape.
#include <gtest/gtest.h>

#include <QStringList>

#include "browser/action_table.h"

namespace {

// The actions enabled in a state, sorted, as one string.
std::string Enabled(const ActionInputs& state) {
  QStringList names;
  for (const ActionSpec& entry : ActionTable()) {
    if (IsActionEnabled(entry, state)) names << QLatin1String(entry.Name);
  }
  names.sort();
  return names.join(' ').toStdString();
}

// Actions every state enables: none of the rule's conditions touch them.
const QStringList kAlways = QStringLiteral(
                                "About AlbumProperties DoRunGuide EditChapters EditMode ExitAlbum "
                                "ExportPdf FileNew FileOpen GotoPage Help RecreateThumbnails Save "
                                "SaveAlbumAs SaveDataAs SaveFormatAs Setup ShowDetails ShowLetters "
                                "ShowPicture FindMissing Play")
                                .split(u' ');

std::string With(const QStringList& extra) {
  QStringList names = kAlways + extra;
  names.sort();
  return names.join(' ').toStdString();
}

}  // namespace

TEST(EnablingRule, EachStateTheRuleReads) {
  struct Case {
    const char* what;
    ActionInputs state;
    std::string expected;
  };
  auto state = [](auto change) {
    ActionInputs s;
    change(s);
    return s;
  };
  const Case cases[] = {
      {"nothing modified, browse mode", {}, With({})},
      {"album modified", state([](auto& s) { s.AlbumModified = true; }),
       With({"SaveAlbum", "SaveAll"})},
      {"a data file modified", state([](auto& s) { s.AnyDataModified = true; }),
       With({"SaveAll", "SaveData"})},
      {"look modified", state([](auto& s) { s.FormatModified = true; }),
       With({"SaveAll", "SaveFormat"})},
      {"edit mode, nothing selected, empty clipboard", state([](auto& s) { s.EditMode = true; }),
       With({"AddPictures", "InsertPictures", "SelectAll"})},
      {"edit mode with a selection", state([](auto& s) {
         s.EditMode = true;
         s.SelEnd = 0;
       }),
       With({"AddPictures", "Copy", "Cut", "DeletePictures", "InsertPictures", "SelectAll"})},
      {"edit mode with a filled clipboard", state([](auto& s) {
         s.EditMode = true;
         s.ClipboardCount = 2;
       }),
       With({"AddPictures", "InsertPictures", "Paste", "SelectAll"})},
      {"browse mode: selection and clipboard do not count", state([](auto& s) {
         s.SelEnd = 3;
         s.ClipboardCount = 2;
       }),
       With({})},
      {"properties dialog showing: only the rule-less actions", state([](auto& s) {
         s.EditMode = s.AlbumModified = s.FormatModified = s.DetailsShowing = true;
         s.SelEnd = 0;
         s.ClipboardCount = 1;
       }),
       "DoRunGuide RecreateThumbnails Save"},
  };
  for (const Case& c : cases) EXPECT_EQ(Enabled(c.state), c.expected) << c.what;
}
