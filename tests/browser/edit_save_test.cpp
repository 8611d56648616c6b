// Editing followed by saving: the data file gives back exactly the edited
// chapter, letters outside the file's code page included.

#include "core/data_file.h"
#include "edit_fixture.h"
#include "support/album_env.h"

namespace {

class EditSave : public AlbumFilesTest {};

TEST_F(EditSave, SavedChapterReadsBackAsEditedAndUndoMarksItAgain) {
  DataEnv env;
  AlbumModel& model = env.Model;
  model.DataFiles = {Path("main.xml")};
  model.ImageDirs = {QString()};
  model.DataTitles = {QStringLiteral("Cesty")};
  model.CurrentChapter = 0;
  model.CurrentPage = 0;
  const QStringList titles = {QStringLiteral("Žluťoučký kůň"), QStringLiteral("東京の夜"),
                              QStringLiteral("Ærø & <Łódź>"), QStringLiteral("plain")};
  for (int i = 0; i < titles.size(); ++i) {
    TChapterData& d = model.Chapters[0];
    d.Files << Path(QStringLiteral("photos/p%1.jpg").arg(i));
    d.Titles << titles[i];
    d.Places << QStringLiteral("Přerov %1").arg(i);
    d.Dates << QStringLiteral("léto %1").arg(i);
    d.People << (i % 2 ? QString() : QStringLiteral("Šárka, Jiří"));
  }
  AlbumUndo undo(model);
  ChapterEditor editor(undo, env.Ask, ThumbsFor);
  model.SelStart = 1;
  model.SelEnd = 2;
  editor.CopyExecute();
  model.SelStart = model.SelEnd = 3;
  editor.PasteExecute();    // 0 1 2 1 2 3
  editor.DropSelection(0);  // 1 2 0 1 2 3
  TChapterData renamed = model.Chapters[0];
  renamed.Titles[5] = QStringLiteral("Ħ – “ščř” €");
  undo.Replace(0, renamed, {}, {}, QString());
  ASSERT_TRUE(model.DataModified[0]);

  SaveModifiedDataFiles(env.Data());
  EXPECT_FALSE(model.DataModified[0]);
  DataEnv reread;
  LoadAlbumData(reread.Data(), Path("main.xml"));
  EXPECT_EQ(reread.Model.Chapters[0], model.Chapters[0]);
  EXPECT_EQ(reread.Model.Chapters[0].Titles[5], "Ħ – “ščř” €");

  undo.Undo();
  EXPECT_TRUE(model.DataModified[0]);
  undo.Redo();
  EXPECT_FALSE(model.DataModified[0]);
}

}  // namespace
