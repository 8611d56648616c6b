#include "spread_table.h"

#include <QFileInfo>

#include "core/album_model.h"
#include "core/message_table.h"
#include "core/paths.h"

namespace {

TColor ChapterColor(int chapter, const TProfile& look) {
  return chapter <= 0 ? look.InsideColor : look.BM[chapter - 1];
}

TPageLook ImagePage(int q, const AlbumModel& model, const TProfile& look) {
  const int pages = model.PageCount(model.CurrentChapter, look.ImagesPerPage());
  return {q <= pages ? TPageShows::Images : TPageShows::Empty, look.PageColor, q};
}

}  // namespace

TPageLook PageLookFor(TPageKind kind, const AlbumModel& model, const TProfile& look) {
  const int c = model.CurrentChapter;
  const int p = model.CurrentPage;
  if (kind == TPageKind::Cover) return {TPageShows::Title, look.CoverColor, 0};
  if (c < 0) return {TPageShows::Nothing, look.InsideColor, 0};  // no album: never open
  if (kind == TPageKind::Left) {
    if (p == 0) return {TPageShows::Nothing, ChapterColor(c, look), 0};
    return ImagePage(p, model, look);
  }
  if (p == model.LastSpread(c, look.ImagesPerPage())) {
    if (c < model.ChapterCount()) return {TPageShows::DividerTitle, look.BM[c], 0};
    return {TPageShows::Nothing, look.InsideColor, 0};
  }
  return ImagePage(p + 1, model, look);
}

QString FooterText(int q, int pageCount) {
  // One pass over the pattern: a "%1" in the translated word stays as it is.
  return QStringLiteral("- %1 %2/%3 -")
      .arg(Msg(QStringLiteral("PageNr")), QString::number(q), QString::number(pageCount));
}

TCellPicture CellPictureFor(const QImage& thumbnail, const QString& file) {
  if (!thumbnail.isNull()) return TCellPicture::Thumbnail;
  if (!QFileInfo::exists(file)) return TCellPicture::NoPreview;
  return IsVideoFile(file) ? TCellPicture::Video : TCellPicture::UnknownFormat;
}
