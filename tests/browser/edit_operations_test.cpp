// What the editing commands promise beyond their effect on the lists (the
// randomized test checks that): the open dialog, the modified flag, and
// steps that refuse to write into images they do not know.

#include "edit_fixture.h"

namespace {

TEST(EditCommands, AddAsksForFilesAtTheImageFolderAndMakesTheirThumbnailsOnce) {
  EditEnv env(1);
  env.Ask.OpenFileNames = {QStringLiteral("/pics/x.jpg"), QStringLiteral("/pics/y.jpg")};
  env.Editor.AddPicturesExecute(false, QStringLiteral("Insert images..."));
  ASSERT_EQ(env.Ask.FileRequests.size(), 1);
  EXPECT_EQ(env.Ask.FileRequests[0].Title, "Insert images...");
  EXPECT_TRUE(env.Ask.FileRequests[0].Filter.startsWith("Image files ("));
  EXPECT_EQ(env.Ask.FileRequests[0].InitialDir, "/album/");
  EXPECT_EQ(FilesOf(env.Chapter()), QStringList({"p0", "/pics/x.jpg", "/pics/y.jpg"}));
  // Redo after undo brings back the same thumbnails without reading the files again.
  env.Undo.Stack().undo();
  env.Undo.Stack().redo();
  EXPECT_EQ(env.Made, QStringList({"/pics/x.jpg", "/pics/y.jpg"}));
  env.ExpectParallel();
}

TEST(EditCommands, ModifiedMeansDifferentFromWhatWasLastSaved) {
  EditEnv env(4);
  bool& modified = env.Model.DataModified[EditEnv::kChapter];
  env.Select(0, 0);
  env.Editor.DropSelection(2);  // 1 2 0 3
  env.Select(1, 1);
  env.Editor.DropSelection(0);             // 2 1 0 3
  env.Model.MarkSaved(EditEnv::kChapter);  // written here
  env.Undo.Stack().undo();
  EXPECT_TRUE(modified);
  env.Undo.Stack().redo();
  EXPECT_FALSE(modified);

  // A change made elsewhere (a chapter title) outlives undo and redo, and
  // taking it back is no change at all.
  env.Model.DataTitles[EditEnv::kChapter] = QStringLiteral("Renamed");
  env.Model.UpdateModified(EditEnv::kChapter);
  env.Undo.Stack().undo();
  env.Undo.Stack().redo();
  EXPECT_EQ(env.Order(), "2 1 0 3");
  EXPECT_TRUE(modified);
  env.Model.DataTitles[EditEnv::kChapter] = QStringLiteral("One");
  env.Undo.Stack().undo();
  env.Undo.Stack().redo();
  EXPECT_FALSE(modified);

  // Edits waiting in the properties dialog count until they are dropped.
  EditEnv other(2);
  other.Undo.SetPendingEdits(EditEnv::kChapter, true);
  EXPECT_TRUE(other.Model.DataModified[EditEnv::kChapter]);
  other.Undo.SetPendingEdits(EditEnv::kChapter, false);
  EXPECT_FALSE(other.Model.DataModified[EditEnv::kChapter]);
}

TEST(EditCommands, UndoAfterAnotherAlbumWasOpenedForgetsInsteadOfWriting) {
  EditEnv env(3);
  env.Select(0, 0);
  env.Editor.DeletePicturesExecute(false);
  env.Album.ResetToStart();  // another album
  ImageEdits::SetChapter(env.Model, EditEnv::kChapter, ImagesOf({QStringLiteral("other")}));
  env.Undo.Undo();
  EXPECT_EQ(env.Order(), "other");
  EXPECT_EQ(env.Undo.Stack().count(), 0);
}

TEST(EditCommands, ChapterWithoutThumbnailsDropsThemInsteadOfMismatching) {
  EditEnv env(4);
  env.Thumbs.Lists[EditEnv::kChapter].clear();
  env.Thumbs.Loaded[EditEnv::kChapter] = false;
  env.Editor.AddImages({QStringLiteral("x")});
  env.Select(0, 1);
  env.Editor.DropSelection(3);
  EXPECT_EQ(env.Order(), "2 3 0 1 x");
  EXPECT_TRUE(env.Thumbs.Lists[EditEnv::kChapter].isEmpty());
  EXPECT_FALSE(env.Thumbs.Loaded[EditEnv::kChapter]);
}

}  // namespace
