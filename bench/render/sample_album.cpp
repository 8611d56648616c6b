#include "sample_album.h"

#include <QLinearGradient>
#include <QPainter>

#include "book/thumbnail.h"
#include "core/open_album.h"

namespace {

// A landscape or a portrait: sky, hills and a sun in colours that vary.
QImage Picture(int i) {
  const bool portrait = i % 5 == 3;
  QImage image(portrait ? QSize(600, 800) : QSize(800, 600), QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, image.height());
  sky.setColorAt(0, QColor::fromHsv((200 + i * 17) % 360, 120, 230));
  sky.setColorAt(1, QColor::fromHsv((30 + i * 11) % 360, 60, 250));
  p.fillRect(image.rect(), sky);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 220, 120));
  p.drawEllipse(QPointF(image.width() * (0.2 + 0.06 * (i % 10)), image.height() * 0.25), 50, 50);
  for (int k = 0; k < 3; ++k) {
    p.setBrush(QColor::fromHsv((90 + i * 7 + k * 25) % 360, 140, 150 - k * 30));
    p.drawEllipse(QPointF(image.width() * (0.2 + 0.35 * k), image.height() * (0.95 + 0.05 * k)),
                  image.width() * 0.5, image.height() * (0.35 - 0.05 * k));
  }
  return image;
}

const char* const Titles[] = {"Morning at the lake",
                              "Old town square",
                              "A very long title that has to wrap over lines",
                              "Harbour",
                              "Grandmother's garden",
                              "Sunset",
                              "Bridge over the river",
                              "Market day"};
const char* const Places[] = {"Český Krumlov", "Kraków", "Brno", "Győr", "Łódź"};
const char* const People[] = {"Anna, Petr", "Žofie", "Ondřej and Eva", "", "Łukasz"};

}  // namespace

void MakeSampleAlbum(OpenAlbum& album, int images, int chapters, const QSize& box) {
  album.ResetToStart();
  AlbumModel& model = album.Model;
  model.DataTitles = QStringList{QStringLiteral("Summer Travels")};
  for (int k = 0; k <= chapters; ++k) {
    if (k > 0) {
      model.DataFiles << QStringLiteral("chapter%1.xml").arg(k);
      model.ChapterNames << QStringLiteral("Chapter %1").arg(k);
      model.DataTitles << QStringLiteral("Chapter %1 of the journey").arg(k);
      model.ImageDirs << QString();
    }
    const int count = k == 0 ? images : 3 + k;
    ImageList data;
    for (int i = 0; i < count; ++i) {
      data.append({QStringLiteral("/nowhere/picture%1.jpg").arg(i),
                   QString::fromUtf8(Titles[i % 8]), QStringLiteral("%1. 7. 2023").arg(1 + i % 28),
                   QString::fromUtf8(Places[i % 5]), QString::fromUtf8(People[i % 5])});
      album.Thumbs.Lists[k] << MakeThumbnail(Picture(i + 13 * k), box);
    }
    ImageEdits::SetChapter(model, k, data);
    album.Thumbs.Loaded[k] = true;
  }
  album.View.CurrentChapter = 0;
  album.View.CurrentPage = -1;
}
