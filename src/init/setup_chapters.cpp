#include "init/setup_chapters.h"

#include <QFileInfo>
#include <algorithm>
#include <utility>

#include "core/message_table.h"
#include "core/paths.h"
#include "core/program_files.h"
#include "core/progress.h"
#include "core/prompts.h"

namespace {

const QString kDataFileFilter = QStringLiteral("Album data files (*.XML *.xml);;All files (*)");

void Pad(QStringList& list, qsizetype size) {
  while (list.size() < size) list << QString();
}

}  // namespace

void ChapterWork::ResetOrder() {
  for (int i = 0; i < static_cast<int>(ChapterOrder.size()); ++i) ChapterOrder[i] = i;
  FreshChapter.fill(false);
}

void ChapterWork::FillAlbum(const AlbumModel& model, const ViewState& view, int imagesPerPage) {
  AlbumMode = true;
  WorkDataFiles = model.DataFiles;
  if (WorkDataFiles.isEmpty()) WorkDataFiles << QString();
  WorkTitles = model.DataTitles;
  WorkDirs = model.ImageDirs;
  Pad(WorkTitles, WorkDataFiles.size());
  Pad(WorkDirs, WorkDataFiles.size());
  WorkChapters = model.AllImages();
  for (int s = 0; s < MaxDataFiles; ++s) {
    slotOrigin_[s] = s < WorkDataFiles.size() ? s : -1;
  }
  WorkDataModified = model.DataModified;
  NextSlot = static_cast<int>(WorkDataFiles.size());
  Entries = model.ChapterNames.mid(0, std::max(NextSlot - 1, 0));
  ResetOrder();
  // The chapter on screen; its spread past the last page already shows the
  // next chapter's opening page.
  const int c = view.CurrentChapter;
  Selected = Entries.isEmpty() ? -1 : 0;
  if (c > 0 && c <= Count()) {
    const bool atEnd = view.CurrentPage == model.LastSpread(c, imagesPerPage);
    Selected = atEnd && c < Count() ? c : c - 1;
  }
}

void ChapterWork::FillBookmarks(const QString& word) {
  AlbumMode = false;
  Entries.clear();
  for (int k = 1; k <= MaxChapters; ++k) Entries << word + u' ' + QString::number(k);
  NextSlot = MaxDataFiles;
  ResetOrder();
  Selected = 0;
}

int ChapterWork::SelectedSlot() const {
  if (Selected < 0 || Selected >= Count()) return -1;
  return ChapterOrder[Selected + 1];
}

LookColor ChapterWork::SlotColor(int slot) const {
  return slot >= 1 && slot <= BookmarkColorCount ? colors_->BM[slot - 1] : LookColor{0};
}

bool ChapterWork::SetBookmarkTitle(const QString& text) {
  if (SelectedSlot() < 0 || Entries[Selected] == text) return false;
  Entries[Selected] = text;
  WorkDataModified[0] = true;  // the main data file holds the chapter names
  return true;
}

bool ChapterWork::SetSlotText(QStringList& list, const QString& text) {
  const int s = SelectedSlot();
  if (s < 0 || list.value(s) == text) return false;
  Pad(list, s + 1);
  list[s] = text;
  WorkDataModified[s] = true;
  return true;
}

bool ChapterWork::SetChapterTitle(const QString& text) { return SetSlotText(WorkTitles, text); }

bool ChapterWork::SetChapterDir(const QString& text) { return SetSlotText(WorkDirs, text); }

bool ChapterWork::SetSelectedColor(LookColor color) {
  const int s = SelectedSlot();
  if (s < 1) return false;
  colors_->BM[s - 1] = color;
  return true;
}

bool ChapterWork::MoveUp() {
  const int p = Selected;
  if (p < 1 || p >= Count()) return false;
  std::swap(ChapterOrder[p], ChapterOrder[p + 1]);
  std::swap(FreshChapter[p], FreshChapter[p + 1]);
  if (AlbumMode) Entries.swapItemsAt(p - 1, p);
  Selected = p - 1;
  WorkDataModified[0] = true;
  return true;
}

bool ChapterWork::MoveDown() {
  const int p = Selected;
  if (p < 0 || p >= Count() - 1) return false;
  std::swap(ChapterOrder[p + 1], ChapterOrder[p + 2]);
  std::swap(FreshChapter[p + 1], FreshChapter[p + 2]);
  if (AlbumMode) Entries.swapItemsAt(p, p + 1);
  Selected = p + 1;
  WorkDataModified[0] = true;
  return true;
}

QString ChapterWork::FullDataFileName(const QString& name) const {
  return ResolvePath(WorkDataFiles.value(0), QString(), name);
}

ChapterWork::AddResult ChapterWork::AddChapter(const DataFileContext& context,
                                               const QString& albumFileName) {
  if (Count() >= MaxChapters || NextSlot >= MaxDataFiles) return AddResult::Full;
  FileDialogRequest request;
  request.Filter = kDataFileFilter;
  request.DefaultSuffix = QStringLiteral("XML");
  request.AllowNewFile = true;
  const QString& main = WorkDataFiles.value(0);
  request.InitialDir = !main.isEmpty()            ? FolderPart(main)
                       : !albumFileName.isEmpty() ? FolderPart(albumFileName)
                                                  : ProgramDirectory();
  const QString chosen = context.Ask.GetOpenFileName(request);
  if (chosen.isEmpty()) return AddResult::Cancelled;
  const QString name = ExpandPath(chosen, RealPathContext());
  if (name.isEmpty()) return AddResult::Cancelled;
  for (const QString& included : WorkDataFiles) {
    if (included.isEmpty()) continue;
    // Refused in any letter case (the album may move to Windows), and under
    // another name of the same file.
    const QString full = FullDataFileName(included);
    if (full.compare(name, Qt::CaseInsensitive) == 0 || SameFile(full, name)) {
      context.Ask.ShowWarning(Msg(QStringLiteral("FileAlreadyIncluded")));
      return AddResult::AlreadyIncluded;
    }
  }
  context.Progress.ShowProgressText(Msg(QStringLiteral("LoadingFile")) + QStringLiteral("\r\n") +
                                    name);
  const int s = NextSlot;
  Pad(WorkTitles, s);
  Pad(WorkDirs, s);
  WorkDataFiles << name;
  QString title;
  QString folder;
  QStringList scratch;
  const bool existed =
      ReadDataFile(context.Document, name, title, folder, WorkChapters[s], scratch, scratch);
  context.Model.DiskStamps.Note(name);
  WorkTitles << title;
  WorkDirs << folder;
  Entries << title;
  slotOrigin_[s] = -1;
  // A new file is created by the next save rather than linked while missing.
  WorkDataModified[s] = !existed;
  const int n = Count();
  ChapterOrder[n] = s;
  FreshChapter[n] = true;
  ++NextSlot;
  Selected = n - 1;
  WorkDataModified[0] = true;
  context.Progress.HideProgress();
  return AddResult::Added;
}

bool ChapterWork::RemoveChapter() {
  const int p = Selected;
  const int s = SelectedSlot();
  if (s < 1) return false;
  const int last = NextSlot - 1;  // the highest slot in use
  WorkDataFiles.removeAt(s);
  if (s < WorkTitles.size()) WorkTitles.removeAt(s);
  if (s < WorkDirs.size()) WorkDirs.removeAt(s);
  for (int t = s; t + 1 < MaxDataFiles; ++t) {
    WorkChapters[t] = std::move(WorkChapters[t + 1]);
    WorkDataModified[t] = WorkDataModified[t + 1];
    slotOrigin_[t] = slotOrigin_[t + 1];
  }
  WorkChapters[MaxDataFiles - 1].clear();
  WorkDataModified[MaxDataFiles - 1] = false;
  slotOrigin_[MaxDataFiles - 1] = -1;
  // The removed chapter's colour goes behind the remaining chapters.
  if (last >= s && last <= BookmarkColorCount) {
    std::rotate(colors_->BM.begin() + (s - 1), colors_->BM.begin() + s, colors_->BM.begin() + last);
  }
  for (int i = p + 1; i + 1 < static_cast<int>(ChapterOrder.size()); ++i) {
    ChapterOrder[i] = ChapterOrder[i + 1];
    FreshChapter[i] = FreshChapter[i + 1];
  }
  ChapterOrder.back() = 0;
  FreshChapter.back() = false;
  for (int& slot : ChapterOrder) {
    if (slot > s) --slot;
  }
  Entries.removeAt(p);
  Selected = Entries.isEmpty() ? -1 : 0;
  WorkDataModified[0] = true;
  --NextSlot;
  return true;
}

void ChapterWork::LoadMainDataFile(const DataFileContext& context, const QString& name,
                                   QString& albumTitle) {
  ResetOrder();
  if (QFileInfo(name).isFile()) {
    QStringList names;
    LoadAlbumData(context, name, {WorkDataFiles, names, WorkTitles, WorkDirs, WorkChapters});
    Entries = names;
    NextSlot = static_cast<int>(WorkDataFiles.size());
    WorkDataModified.fill(false);
    slotOrigin_.fill(-1);
    // Every position, the album's own included, comes fresh from the file.
    FreshChapter.fill(true);
    if (!WorkTitles.isEmpty()) albumTitle = WorkTitles[0];
  } else {
    // The album keeps its own images, which the next save writes to the new
    // file; its chapters go.
    WorkDataFiles = QStringList{name};
    WorkTitles = QStringList{WorkTitles.value(0)};
    WorkDirs = QStringList{WorkDirs.value(0)};
    for (int s = 1; s < MaxDataFiles; ++s) {
      WorkChapters[s].clear();
      WorkDataModified[s] = false;
      slotOrigin_[s] = -1;
    }
    WorkDataModified[0] = true;
    Entries.clear();
    NextSlot = 1;
  }
  Selected = Entries.isEmpty() ? -1 : 0;
}

void ChapterWork::Commit(AlbumModel& model, ViewState& view, AlbumThumbnails& thumbs,
                         AlbumLook& look, const AlbumEntries& album, bool chaptersChanged) {
  if (!chaptersChanged) {
    Pad(model.DataTitles, 1);
    Pad(model.ImageDirs, 1);
    Pad(model.DataFiles, 1);
    model.DataTitles[0] = album.Title;
    model.ImageDirs[0] = album.ImageDir;
    model.DataFiles[0] = album.DataFile;
    for (int k = 0; k <= model.ChapterCount() && k < MaxDataFiles; ++k) model.UpdateModified(k);
    return;
  }
  const int n = Count();
  model.ChapterNames = Entries;
  // Thumbnails are moved as they are: whatever a thumbnail is, it follows its chapter.
  decltype(thumbs.Lists) thumbnails;
  thumbnails.swap(thumbs.Lists);  // the album's lists are left empty
  const std::array<bool, MaxDataFiles> loaded = thumbs.Loaded;
  thumbs.Loaded.fill(false);
  const std::array<LookColor, BookmarkColorCount> colors = colors_->BM;
  for (int i = 1; i <= n; ++i) look.BM[i - 1] = colors[ChapterOrder[i] - 1];
  AlbumImages images;
  // What each chapter's file held follows the chapter like its thumbnails.
  decltype(model.SavedFiles) saved;
  saved.swap(model.SavedFiles);
  std::array<bool, MaxDataFiles> readHere{};  // read in the dialog and not edited since
  model.DataFiles = QStringList{album.DataFile};
  model.ImageDirs = QStringList{album.ImageDir};
  model.DataTitles = QStringList{album.Title};
  const int shownChapter = view.CurrentChapter;
  const int shownPage = view.CurrentPage;
  view.CurrentChapter = 0;
  view.CurrentPage = 0;
  for (int i = 0; i <= n; ++i) {
    const int s = ChapterOrder[i];
    // Where this slot's chapter sat in the model: its thumbnails are there.
    const int origin = FreshChapter[i] ? -1 : slotOrigin_[s];
    if (s != 0) {
      model.DataTitles << WorkTitles.value(s);
      model.ImageDirs << WorkDirs.value(s);
      model.DataFiles << WorkDataFiles.value(s);
    }
    if (origin >= 0 && origin == shownChapter) {
      view.CurrentChapter = i;
      view.CurrentPage = shownPage;
    }
    images[static_cast<std::size_t>(i)] = WorkChapters[s];
    readHere[i] = FreshChapter[i] && !WorkDataModified[s];
    if (origin >= 0) {
      thumbs.Lists[i] = std::move(thumbnails[origin]);
      thumbs.Loaded[i] = loaded[origin];
      model.SavedFiles[i] = std::move(saved[origin]);
    }
    ChapterOrder[i] = i;
    FreshChapter[i] = false;
  }
  // Rearranged chapters replace the album's images whole.
  ImageEdits::SetAlbum(model, std::move(images));
  // Only now, with every chapter in place: the main data file's links are
  // part of what it holds.
  for (int i = 0; i < MaxDataFiles; ++i) {
    if (i > n) {
      model.DataModified[i] = false;
    } else if (readHere[i]) {
      model.MarkSaved(i);
    } else {
      model.UpdateModified(i);
    }
  }
}

void ChapterWork::ArrangeBookmarkColors(AlbumLook& look) const {
  const std::array<LookColor, BookmarkColorCount> colors = colors_->BM;
  for (int k = 0; k < MaxChapters; ++k) look.BM[k] = colors[ChapterOrder[k + 1] - 1];
}
