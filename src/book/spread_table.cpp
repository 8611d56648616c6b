#include "spread_table.h"

#include <QFileInfo>

#include "core/album_model.h"
#include "core/message_table.h"
#include "core/open_album.h"
#include "core/paths.h"

namespace {

LookColor ChapterColor(int chapter, const AlbumLook& look) {
  return chapter <= 0 ? look.InsideColor : look.BM[chapter - 1];
}

PageLook ImagePage(int q, const AlbumModel& model, const ViewState& view, const AlbumLook& look) {
  const int pages = model.PageCount(view.CurrentChapter, look.ImagesPerPage());
  return {q <= pages ? PageShows::Images : PageShows::Empty, look.PageColor, q};
}

}  // namespace

PageLook PageLookFor(PageKind kind, const AlbumModel& model, const ViewState& view,
                     const AlbumLook& look) {
  const int c = view.CurrentChapter;
  const int p = view.CurrentPage;
  if (kind == PageKind::Cover) return {PageShows::Title, look.CoverColor, 0};
  if (c < 0) return {PageShows::Nothing, look.InsideColor, 0};  // no album: never open
  if (kind == PageKind::Left) {
    if (p == 0) return {PageShows::Nothing, ChapterColor(c, look), 0};
    return ImagePage(p, model, view, look);
  }
  if (p == model.LastSpread(c, look.ImagesPerPage())) {
    if (c < model.ChapterCount()) return {PageShows::DividerTitle, look.BM[c], 0};
    return {PageShows::Nothing, look.InsideColor, 0};
  }
  return ImagePage(p + 1, model, view, look);
}

QString FooterText(int q, int pageCount) {
  // One pass over the pattern: a "%1" in the translated word stays as it is.
  return QStringLiteral("- %1 %2/%3 -")
      .arg(Msg(QStringLiteral("PageNr")), QString::number(q), QString::number(pageCount));
}

CellPicture CellPictureFor(const QImage& thumbnail, const QString& file) {
  if (!thumbnail.isNull()) return CellPicture::Thumbnail;
  if (!QFileInfo::exists(file)) return CellPicture::NoPreview;
  return IsVideoFile(file) ? CellPicture::Video : CellPicture::UnknownFormat;
}
