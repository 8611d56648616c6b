#include "album_model.h"

#include "paths.h"

void ChapterData::AppendEmpty() {
  Files.append(QString());
  Titles.append(QString());
  Places.append(QString());
  Dates.append(QString());
  People.append(QString());
}

bool ChapterData::operator==(const ChapterData& other) const {
  return Files == other.Files && Titles == other.Titles && Places == other.Places &&
         Dates == other.Dates && People == other.People;
}

void CreateChapterData(ChapterData& data) { data = ChapterData(); }

void ClearChapterData(ChapterData& data) {
  data.Files.clear();
  data.Titles.clear();
  data.Places.clear();
  data.Dates.clear();
  data.People.clear();
}

void FreeChapterData(ChapterData& data) { ClearChapterData(data); }

void CopyChapterData(const ChapterData& source, ChapterData& target) { target = source; }

int PageCountFor(int imageCount, int imagesPerPage) {
  if (imageCount <= 0 || imagesPerPage <= 0) return 0;
  return (imageCount + imagesPerPage - 1) / imagesPerPage;
}

int LastSpreadFor(int imageCount, int imagesPerPage) {
  const int pages = PageCountFor(imageCount, imagesPerPage);
  return pages + (pages % 2);
}

int PageOfImage(int index, int imagesPerPage) {
  return imagesPerPage > 0 ? index / imagesPerPage : 0;
}

AlbumModel::AlbumModel() { ResetToStart(); }

int AlbumModel::ImageCount(int k) const {
  if (k < 0 || k >= MaxDataFiles) return 0;
  return Chapters[k].Count();
}

int AlbumModel::ChapterCount() const { return static_cast<int>(ChapterNames.size()); }

int AlbumModel::PageCount(int k, int imagesPerPage) const {
  return PageCountFor(ImageCount(k), imagesPerPage);
}

int AlbumModel::LastSpread(int k, int imagesPerPage) const {
  return LastSpreadFor(ImageCount(k), imagesPerPage);
}

bool AlbumModel::IsBookClosed() const {
  return CurrentChapter == -1 || (CurrentChapter == 0 && CurrentPage == -1);
}

bool AlbumModel::AnyDataModified() const {
  for (bool modified : DataModified) {
    if (modified) return true;
  }
  return false;
}

QString AlbumModel::ImagePathForWriting(int k, const QString& fileName) const {
  // An entry without a file stays without one (not the image folder's path).
  if (k < 0 || k >= DataFiles.size() || fileName.isEmpty()) return fileName;
  return MakeRelativePath(DataFiles.value(0), DataFiles[k], ImageDirs.value(k), fileName);
}

QString AlbumModel::ImageFolder(int k) const {
  if (k < 0 || k >= DataFiles.size()) return QString();
  return MakeRelativePath(DataFiles.value(0), DataFiles[k], ImageDirs.value(k), QString());
}

DataFileSnapshot AlbumModel::DataFileState(int k) const {
  DataFileSnapshot state;
  if (k < 0 || k >= MaxDataFiles) return state;
  const QString& main = DataFiles.value(0);
  if (k < DataFiles.size()) state.File = k == 0 ? main : ResolvePath(main, QString(), DataFiles[k]);
  state.Title = DataTitles.value(k);
  state.Dir = ImageDirs.value(k);
  if (k == 0) {
    for (int i = 1; i < DataFiles.size() && i < MaxDataFiles; ++i)
      state.Links << MakeRelativePath(main, main, QString(), DataFiles[i])
                  << ChapterNames.value(i - 1);
  }
  state.Images = Chapters[k];
  return state;
}

void AlbumModel::MarkSaved(int k) {
  if (k < 0 || k >= MaxDataFiles) return;
  SavedFiles[k] = DataFileState(k);
  DataModified[k] = false;
}

void AlbumModel::UpdateModified(int k) {
  if (k < 0 || k >= MaxDataFiles) return;
  DataModified[k] = !SavedFiles[k] || !(*SavedFiles[k] == DataFileState(k));
}

void AlbumModel::ResetToStart() {
  AlbumFileName.clear();
  FormatFileName.clear();
  DataFiles = QStringList{QString()};
  ImageDirs = QStringList{QString()};
  DataTitles = QStringList{QString()};
  ChapterNames.clear();
  for (int k = 0; k < MaxDataFiles; ++k) {
    ClearChapterData(Chapters[k]);
    Thumbnails[k].clear();
  }
  ThumbsLoaded.fill(false);
  for (int k = 0; k < MaxDataFiles; ++k) MarkSaved(k);
  PartlyReadFiles.clear();
  DiskStamps.Clear();
  AlbumModified = false;
  FormatModified = false;
  CurrentChapter = -1;
  CurrentPage = -1;
  SelStart = 0;
  SelEnd = -1;
}

void AlbumModel::ResetToNew() {
  ResetToStart();
  CurrentChapter = 0;
  CurrentPage = 0;
  AlbumModified = true;
}
