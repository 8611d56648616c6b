#include "support/book_fixture.h"

void MakeChapters(AlbumModel& model, const std::vector<int>& counts, const QString& file) {
  model.ResetToStart();
  model.DataTitles = QStringList{QStringLiteral("Album")};
  for (size_t k = 0; k < counts.size(); ++k) {
    if (k > 0) {
      model.DataFiles << QStringLiteral("c%1.xml").arg(k);
      model.ImageDirs << QString();
      model.ChapterNames << QStringLiteral("Chapter %1").arg(k);
      model.DataTitles << QStringLiteral("Title %1").arg(k);
    }
    QStringList files;
    for (int i = 0; i < counts[k]; ++i)
      files << (file.isEmpty() ? QStringLiteral("/missing/%1-%2.jpg").arg(k).arg(i) : file);
    ImageEdits::SetChapter(model, k, ImagesOf(files));
  }
}

void BookTest::MakeAlbum(const std::vector<int>& counts) {
  album.ResetToStart();
  MakeChapters(model, counts);
  const QSize box = book.ThumbnailBox();
  for (size_t k = 0; k < counts.size(); ++k) {
    for (int i = 0; i < counts[k]; ++i) {
      QImage thumb(box, QImage::Format_ARGB32_Premultiplied);
      thumb.fill(QColor(10, 200, 30));
      thumbs.Lists[k] << Thumbnail{thumb, QPoint(), box};
    }
    thumbs.Loaded[k] = true;
  }
  view.CurrentChapter = 0;
  view.CurrentPage = -1;
}
