#include "editing.h"

#include <algorithm>

#include "core/chapter_undo.h"
#include "core/message_table.h"
#include "core/prompts.h"
#include "dialogs/pic_details.h"

ImageRun SelectedRun(const AlbumModel& model, const ViewState& view) {
  if (view.SelEnd < 0) return {};
  const int first = std::max(std::min(view.SelStart, view.SelEnd), 0);
  const int last =
      std::min(std::max(view.SelStart, view.SelEnd), model.ImageCount(view.CurrentChapter) - 1);
  if (last < first) return {};
  return {first, last - first + 1};
}

ChapterEditor::ChapterEditor(AlbumUndo& undo, Prompts& prompts, ImageMaker makeImages)
    : undo_(undo), prompts_(prompts), makeImages_(std::move(makeImages)) {}

AlbumModel& ChapterEditor::Model() const { return undo_.Model(); }
ViewState& ChapterEditor::View() const { return undo_.View(); }

int ChapterEditor::Chapter() const { return View().CurrentChapter; }

void ChapterEditor::AddPicturesExecute(bool insert, const QString& title) {
  if (Chapter() < 0) return;
  FileDialogRequest request;
  request.Title = title;
  request.Filter = PictureFileFilter();
  request.InitialDir = Model().ImageFolder(Chapter());
  const QStringList names = prompts_.GetOpenFileNames(request);
  if (names.isEmpty()) return;
  if (insert) {
    InsertImages(View().SelEnd, names);
  } else {
    AddImages(names);
  }
}

void ChapterEditor::AddImages(const QStringList& names) {
  InsertFiles(-1, names, QStringLiteral("Add images"));
}

void ChapterEditor::InsertImages(int position, const QStringList& names) {
  InsertFiles(position, names, QStringLiteral("Insert images"));
}

void ChapterEditor::InsertFiles(int position, const QStringList& names, const QString& text) {
  if (Chapter() < 0 || names.isEmpty()) return;
  ChapterBlock block;
  block.Data = ImagesOf(names);
  NewImages made = makeImages_(names);
  block.Thumbnails = std::move(made.Thumbnails);
  // The photos' own details, written as the chapter writes its dates; part
  // of the same undo step as the insertion.
  const std::optional<DateForm> form = ChapterDateForm(Model().Images(Chapter()));
  for (int i = 0; i < made.Details.size() && i < block.Data.size(); ++i)
    FillEmptyDetails(block.Data[i], made.Details[i], form);
  const int count = Model().ImageCount(Chapter());
  undo_.Insert(Chapter(), position >= 0 && position < count ? position : count, block, text);
}

void ChapterEditor::DeletePicturesExecute(bool confirm) {
  const ImageRun run = SelectedRun(Model(), View());
  if (run.Count == 0) return;
  if (confirm && !prompts_.AskOkCancel(Msg(QStringLiteral("DeleteImages")))) return;
  undo_.Remove(Chapter(), run.First, run.Count, QStringLiteral("Delete images"));
}

void ChapterEditor::CopyExecute() {
  const ImageRun run = SelectedRun(Model(), View());
  if (run.Count == 0) return;
  clipboard_ = CopyEntries(Model(), undo_.Thumbs(), Chapter(), run.First, run.Count);
}

void ChapterEditor::CutExecute(bool confirm) {
  CopyExecute();
  DeletePicturesExecute(confirm);
}

void ChapterEditor::PasteExecute() {
  if (Chapter() < 0 || clipboard_.Count() == 0) return;
  const int count = Model().ImageCount(Chapter());
  const int end = View().SelEnd;
  undo_.Insert(Chapter(), end >= 0 && end < count ? end : count, clipboard_,
               QStringLiteral("Paste"));
}

void ChapterEditor::PasteFiles(const QStringList& names) {
  InsertFiles(View().SelEnd, names, QStringLiteral("Paste"));
}

bool ChapterEditor::DropAccepted(int target) const {
  const ImageRun run = SelectedRun(Model(), View());
  return run.Count > 0 && target >= 0 && target < Model().ImageCount(Chapter()) &&
         !run.Contains(target);
}

DropSide ChapterEditor::MarkerSide(int target) const {
  if (!DropAccepted(target)) return DropSide::None;
  return target > SelectedRun(Model(), View()).Last() ? DropSide::Right : DropSide::Left;
}

void ChapterEditor::DropSelection(int target) {
  if (!DropAccepted(target)) return;
  const ImageRun run = SelectedRun(Model(), View());
  // Moving forward the run ends at the target, moving back it starts there.
  const int to = target > run.Last() ? target - run.Count + 1 : target;
  undo_.Move(Chapter(), run.First, run.Count, to, QStringLiteral("Move images"));
}
