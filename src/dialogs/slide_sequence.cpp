#include "dialogs/slide_sequence.h"

#include <QFileInfo>
#include <algorithm>

#include "core/album_model.h"
#include "core/open_album.h"
#include "core/paths.h"
#include "dialogs/pic_view_picture.h"

std::pair<int, int> SlideStart(const ViewState& view, bool editMode, int imagesPerPage) {
  if (view.IsBookClosed()) return {0, 0};
  if (editMode && view.SelEnd >= 0) return {view.CurrentChapter, view.SelEnd};
  return {view.CurrentChapter, std::max(view.CurrentPage - 1, 0) * imagesPerPage};
}

QList<SlideItem> SlideSequence(const AlbumModel& model, int chapter, int first) {
  QList<SlideItem> items;
  for (int k = std::max(chapter, 0); k <= model.ChapterCount() && k < MaxDataFiles; ++k) {
    bool titled = k == chapter;  // no card for the chapter the show starts in
    for (int i = k == chapter ? std::max(first, 0) : 0; i < model.ImageCount(k); ++i) {
      const QString file = ImageFilePath(model, k, i);
      if (!QFileInfo(file).isFile()) continue;
      if (!titled && k > 0) items.append({SlideKind::Title, k, -1, QString()});
      titled = true;
      items.append({IsVideoFile(file) ? SlideKind::Video : SlideKind::Photo, k, i, file});
    }
  }
  return items;
}
