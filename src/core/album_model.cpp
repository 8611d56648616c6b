#include "album_model.h"

#include <utility>

#include "paths.h"

QStringList FilesOf(const ImageList& images) {
  QStringList files;
  files.reserve(images.size());
  for (const ImageRecord& image : images) files << image.File;
  return files;
}

ImageList ImagesOf(const QStringList& files) {
  ImageList images(files.size());
  for (qsizetype i = 0; i < files.size(); ++i) images[i].File = files[i];
  return images;
}

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

int SpreadOfImage(int index, int imagesPerPage) {
  const int page = PageOfImage(index, imagesPerPage) + 1;
  return page - page % 2;
}

AlbumModel::AlbumModel() { ResetToStart(); }

const ImageList& AlbumModel::Images(int k) const {
  static const ImageList none;
  if (k < 0 || k >= MaxDataFiles) return none;
  return images_[static_cast<std::size_t>(k)];
}

int AlbumModel::ImageCount(int k) const { return static_cast<int>(Images(k).size()); }

int AlbumModel::ChapterCount() const { return static_cast<int>(ChapterNames.size()); }

int AlbumModel::PageCount(int k, int imagesPerPage) const {
  return PageCountFor(ImageCount(k), imagesPerPage);
}

int AlbumModel::LastSpread(int k, int imagesPerPage) const {
  return LastSpreadFor(ImageCount(k), imagesPerPage);
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
  state.Images = images_[static_cast<std::size_t>(k)];
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
  ImageEdits::SetAlbum(*this, {});
  for (int k = 0; k < MaxDataFiles; ++k) MarkSaved(k);
  PartlyReadFiles.clear();
  DiskStamps.Clear();
  AlbumModified = false;
  FormatModified = false;
}

void AlbumModel::ResetToNew() {
  ResetToStart();
  AlbumModified = true;
}

void ImageEdits::SetAlbum(AlbumModel& model, AlbumImages images) {
  model.images_ = std::move(images);
  if (model.listener_.Call) model.listener_.Call();
}

void ImageEdits::SetChapter(AlbumModel& model, int k, ImageList images) {
  if (k < 0 || k >= MaxDataFiles) return;
  model.images_[static_cast<std::size_t>(k)] = std::move(images);
  if (model.listener_.Call) model.listener_.Call();
}

void ImageEdits::Insert(AlbumModel& model, int k, int position, const ImageList& images) {
  ImageList& list = model.images_[static_cast<std::size_t>(k)];
  list.insert(position, images.size(), ImageRecord());
  std::copy(images.begin(), images.end(), list.begin() + position);
}

void ImageEdits::Remove(AlbumModel& model, int k, int first, int count) {
  model.images_[static_cast<std::size_t>(k)].remove(first, count);
}

void ImageEdits::Move(AlbumModel& model, int k, int first, int count, int to) {
  MoveRun(model.images_[static_cast<std::size_t>(k)], first, count, to);
}

void ImageEdits::Swap(AlbumModel& model, int k, ImageList& images) {
  std::swap(model.images_[static_cast<std::size_t>(k)], images);
}
