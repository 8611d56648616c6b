// Thousands of editing commands, undos and redos with a fixed seed, checked
// step by step against a plain list of images.

#include <QRandomGenerator>

#include "edit_fixture.h"

namespace {

using Image = ImageRecord;

struct Reference {
  QList<Image> images;
  int selStart = 0, selEnd = 0;
  bool operator==(const Reference& o) const {
    return images == o.images && selStart == o.selStart && selEnd == o.selEnd;
  }
};

Reference Read(const EditEnv& env) {
  Reference r;
  r.images = env.Model.Images(EditEnv::kChapter);
  r.selStart = env.View.SelStart;
  r.selEnd = env.View.SelEnd;
  return r;
}

// The selection rule: either end -1 selects image 0 alone.
void Select(Reference& r, int a, int b) {
  r.selStart = a < 0 || b < 0 ? 0 : a;
  r.selEnd = a < 0 || b < 0 ? 0 : b;
}

TEST(UndoRandom, TwoThousandCommandsAgreeWithAPlainListAndUndoToTheStart) {
  EditEnv env(12);
  env.Select(0, 0);
  QRandomGenerator random(20261206);
  Reference ref = Read(env);
  const Reference start = ref;
  struct Step {
    Reference before, after;
  };
  QList<Step> undone, redone;  // the reference's own history
  QList<Image> clipboard;
  int named = 0;

  for (int step = 0; step < 2000; ++step) {
    const int count = static_cast<int>(ref.images.size());
    const int lo = std::max(std::min(ref.selStart, ref.selEnd), 0);
    const int hi = std::min(std::max(ref.selStart, ref.selEnd), count - 1);
    const int runCount = hi >= lo ? hi - lo + 1 : 0;
    const int op = static_cast<int>(random.bounded(10));
    Reference next = ref;
    const auto insertAt = [&](int position, const QList<Image>& block) {
      if (position < 0 || position >= count) position = count;
      for (int j = 0; j < block.size(); ++j) next.images.insert(position + j, block[j]);
      Select(next, position, position + static_cast<int>(block.size()) - 1);
    };
    QString what;
    switch (op) {
      case 0:
      case 1: {  // add or insert new files
        QStringList names;
        QList<Image> block;
        for (int n = static_cast<int>(random.bounded(1, 4)); n > 0; --n) {
          names << QStringLiteral("new%1").arg(named++);
          block.append({names.last(), {}, {}, {}, {}});
        }
        if (op == 0) {
          env.Editor.AddImages(names);
          insertAt(-1, block);
        } else {
          env.Editor.InsertImages(ref.selEnd, names);
          insertAt(ref.selEnd, block);
        }
        what = QStringLiteral("add");
        break;
      }
      case 2:    // delete
      case 3: {  // cut
        if (op == 3) {
          env.Editor.CutExecute(false);
          if (runCount > 0) clipboard = ref.images.mid(lo, runCount);
        } else {
          env.Editor.DeletePicturesExecute(false);
        }
        if (runCount > 0) {
          next.images.remove(lo, runCount);
          const int left = static_cast<int>(next.images.size());
          const int i = left <= lo ? left - 1 : lo;
          Select(next, i, i);
        }
        what = QStringLiteral("delete");
        break;
      }
      case 4:  // copy, then paste now or later
        env.Editor.CopyExecute();
        if (runCount > 0) clipboard = ref.images.mid(lo, runCount);
        what = QStringLiteral("copy");
        break;
      case 5:
        env.Editor.PasteExecute();
        if (!clipboard.isEmpty()) insertAt(ref.selEnd, clipboard);
        what = QStringLiteral("paste");
        break;
      case 6: {  // drag onto any image, selected or not
        const int target = count > 0 ? static_cast<int>(random.bounded(count)) : -1;
        env.Editor.DropSelection(target);
        if (runCount > 0 && target >= 0 && (target < lo || target > hi)) {
          const QList<Image> block = ref.images.mid(lo, runCount);
          next.images.remove(lo, runCount);
          const int to = target > hi ? target - runCount + 1 : target;
          for (int j = 0; j < runCount; ++j) next.images.insert(to + j, block[j]);
          Select(next, to, to + runCount - 1);
        }
        what = QStringLiteral("drag");
        break;
      }
      case 7: {  // select, sometimes backwards or nothing
        const int a = count > 0 ? static_cast<int>(random.bounded(count)) : -1;
        const int b = count > 0 ? static_cast<int>(random.bounded(count)) : -1;
        Select(next, a, b);
        env.Select(next.selStart, next.selEnd);
        ref = next;  // not an undo step
        what = QStringLiteral("select");
        break;
      }
      case 8:
        env.Undo.Undo();
        if (!undone.isEmpty()) {
          redone.append(undone.takeLast());
          next = redone.last().before;
        }
        what = QStringLiteral("undo");
        break;
      case 9:
        env.Undo.Redo();
        if (!redone.isEmpty()) {
          undone.append(redone.takeLast());
          next = undone.last().after;
        }
        what = QStringLiteral("redo");
        break;
    }
    if (op < 7 && !(next.images == ref.images)) {
      undone.append({ref, next});
      redone.clear();
    }
    ref = next;
    ASSERT_EQ(Read(env), ref) << "step " << step << " " << what.toStdString();
    ASSERT_EQ(env.Model.DataModified[EditEnv::kChapter], !(ref.images == start.images))
        << "step " << step;
    env.ExpectParallel();
    if (HasFailure()) FAIL() << "step " << step << " " << what.toStdString();
  }
  while (env.Undo.Stack().canUndo()) env.Undo.Stack().undo();
  EXPECT_EQ(Read(env).images, start.images);
  EXPECT_FALSE(env.Model.DataModified[EditEnv::kChapter]);
  env.ExpectParallel();
}

}  // namespace
