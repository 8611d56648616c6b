#include "chapter_block.h"

#include <algorithm>

namespace {

bool ValidChapter(int k) { return k >= 0 && k < MaxDataFiles; }

}  // namespace

int IndexMap::operator()(int i) const {
  switch (Change) {
    case Same:
      return i;
    case Insert:
      return i < First ? i : i + Count;
    case Remove:
      if (i < First) return i;
      return i < First + Count ? -1 : i - Count;
    case Move:
      if (i >= First && i < First + Count) return i - First + To;
      if (To > First && i >= First + Count && i < To + Count) return i - Count;
      if (To < First && i >= To && i < First) return i + Count;
      return i;
  }
  return i;
}

bool ThumbnailsParallel(const AlbumModel& model, const AlbumThumbnails& thumbs, int k) {
  return ValidChapter(k) && thumbs.Lists[k].size() == model.Images(k).size();
}

ChapterBlock CopyEntries(const AlbumModel& model, const AlbumThumbnails& thumbs, int k, int first,
                         int count) {
  ChapterBlock block;
  if (!ValidChapter(k)) return block;
  first = std::max(first, 0);
  count = std::min(count, model.ImageCount(k) - first);
  if (count <= 0) return block;
  block.Data = model.Images(k).mid(first, count);
  if (ThumbnailsParallel(model, thumbs, k)) block.Thumbnails = thumbs.Lists[k].mid(first, count);
  return block;
}

ChapterBlock TakeEntries(AlbumModel& model, AlbumThumbnails& thumbs, int k, int first, int count) {
  ChapterBlock block = CopyEntries(model, thumbs, k, first, count);
  if (block.Count() == 0) return block;
  first = std::max(first, 0);
  const bool parallel = ThumbnailsParallel(model, thumbs, k);
  ImageEdits::Remove(model, k, first, block.Count());
  if (parallel) {
    thumbs.Lists[k].remove(first, block.Count());
  } else {
    thumbs.Drop(k);  // made again when the chapter is shown
  }
  return block;
}

void InsertEntries(AlbumModel& model, AlbumThumbnails& thumbs, int k, int position,
                   const ChapterBlock& block) {
  if (!ValidChapter(k) || block.Count() == 0) return;
  const int count = model.ImageCount(k);
  if (position < 0 || position > count) position = count;
  const bool parallel = ThumbnailsParallel(model, thumbs, k) && block.HasThumbnails();
  ImageEdits::Insert(model, k, position, block.Data);
  if (parallel) {
    ThumbnailList& thumbnails = thumbs.Lists[k];
    thumbnails.insert(position, block.Thumbnails.size(), {});
    std::copy(block.Thumbnails.begin(), block.Thumbnails.end(), thumbnails.begin() + position);
  } else {
    thumbs.Drop(k);  // made again when the chapter is shown
  }
}

void MoveEntries(AlbumModel& model, AlbumThumbnails& thumbs, int k, int first, int count, int to) {
  if (!ValidChapter(k)) return;
  const int size = model.ImageCount(k);
  if (count <= 0 || first < 0 || to < 0 || first + count > size || to + count > size || to == first)
    return;
  const bool parallel = ThumbnailsParallel(model, thumbs, k);
  ImageEdits::Move(model, k, first, count, to);
  if (parallel) {
    MoveRun(thumbs.Lists[k], first, count, to);
  } else {
    thumbs.Drop(k);  // made again when the chapter is shown
  }
}
