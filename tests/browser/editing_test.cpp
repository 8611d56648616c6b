// The editing commands without a window: thousands of them, undos and redos
// with a fixed seed, checked step by step against a plain list of images; and
// what they promise beyond their effect on the lists: the open dialog, the
// modified flag, and steps that refuse to write into images they do not know.

#include <QRandomGenerator>

#include "browser_fixture.h"

namespace {

struct Reference {
  ImageList images;
  int selStart = 0, selEnd = 0;
  bool operator==(const Reference& o) const {
    return images == o.images && selStart == o.selStart && selEnd == o.selEnd;
  }
  // The selection rule: either end -1 selects image 0 alone.
  void Select(int a, int b) {
    selStart = a < 0 || b < 0 ? 0 : a;
    selEnd = a < 0 || b < 0 ? 0 : b;
  }
};

TEST(UndoRandom, TwoThousandCommandsAgreeWithAPlainListAndUndoToTheStart) {
  EditEnv env(12);
  env.Select(0, 0);
  QRandomGenerator random(20261206);
  const auto read = [&env] { return Reference{env.Chapter(), env.View.SelStart, env.View.SelEnd}; };
  Reference ref = read();
  const Reference start = ref;
  QList<std::pair<Reference, Reference>> undone, redone;  // the reference's own history
  ImageList clipboard;
  int named = 0;
  const char* const kOps[] = {"add",   "insert", "delete", "cut",  "copy",
                              "paste", "drag",   "select", "undo", "redo"};

  for (int step = 0; step < 2000; ++step) {
    const int count = static_cast<int>(ref.images.size());
    const int lo = std::max(std::min(ref.selStart, ref.selEnd), 0);
    const int hi = std::min(std::max(ref.selStart, ref.selEnd), count - 1);
    const int runCount = hi >= lo ? hi - lo + 1 : 0;
    const int op = static_cast<int>(random.bounded(10));
    const auto any = [&] { return count > 0 ? static_cast<int>(random.bounded(count)) : -1; };
    Reference next = ref;
    const auto insertAt = [&](int position, const ImageList& block) {
      if (position < 0 || position >= count) position = count;
      for (int j = 0; j < block.size(); ++j) next.images.insert(position + j, block[j]);
      next.Select(position, position + static_cast<int>(block.size()) - 1);
    };
    switch (op) {
      case 0:
      case 1: {  // add or insert new files
        QStringList names;
        for (int n = static_cast<int>(random.bounded(1, 4)); n > 0; --n)
          names << QStringLiteral("new%1").arg(named++);
        op == 0 ? env.Editor.AddImages(names) : env.Editor.InsertImages(ref.selEnd, names);
        insertAt(op == 0 ? -1 : ref.selEnd, ImagesOf(names));
        break;
      }
      case 2:    // delete
      case 3: {  // cut
        op == 3 ? env.Editor.CutExecute(false) : env.Editor.DeletePicturesExecute(false);
        if (op == 3 && runCount > 0) clipboard = ref.images.mid(lo, runCount);
        if (runCount > 0) {
          next.images.remove(lo, runCount);
          const int left = static_cast<int>(next.images.size());
          const int i = left <= lo ? left - 1 : lo;
          next.Select(i, i);
        }
        break;
      }
      case 4:  // copy, then paste now or later
        env.Editor.CopyExecute();
        if (runCount > 0) clipboard = ref.images.mid(lo, runCount);
        break;
      case 5:
        env.Editor.PasteExecute();
        if (!clipboard.isEmpty()) insertAt(ref.selEnd, clipboard);
        break;
      case 6: {  // drag onto any image, selected or not
        const int target = any();
        env.Editor.DropSelection(target);
        if (runCount > 0 && target >= 0 && (target < lo || target > hi)) {
          const ImageList block = ref.images.mid(lo, runCount);
          next.images.remove(lo, runCount);
          insertAt(target > hi ? target - runCount + 1 : target, block);
        }
        break;
      }
      case 7: {  // select, sometimes backwards or nothing
        const int a = any();
        next.Select(a, any());
        env.Select(next.selStart, next.selEnd);
        ref = next;  // not an undo step
        break;
      }
      case 8:  // undo and redo move one step between the two histories
      case 9: {
        op == 8 ? env.Undo.Undo() : env.Undo.Redo();
        auto& from = op == 8 ? undone : redone;
        auto& to = op == 8 ? redone : undone;
        if (!from.isEmpty()) {
          to.append(from.takeLast());
          next = op == 8 ? to.last().first : to.last().second;
        }
        break;
      }
    }
    if (op < 7 && !(next.images == ref.images)) {
      undone.append({ref, next});
      redone.clear();
    }
    ref = next;
    SCOPED_TRACE(testing::Message() << "step " << step << " " << kOps[op]);
    ASSERT_EQ(read(), ref);
    ASSERT_EQ(env.Model.DataModified[EditEnv::kChapter], !(ref.images == start.images));
    env.ExpectParallel();
    if (HasFailure()) FAIL();
  }
  while (env.Undo.Stack().canUndo()) env.Undo.Stack().undo();
  EXPECT_EQ(read().images, start.images);
  EXPECT_FALSE(env.Model.DataModified[EditEnv::kChapter]);
  env.ExpectParallel();
}

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
