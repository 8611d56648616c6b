#include "bench_photos.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QRandomGenerator>
#include <QtConcurrent/QtConcurrentMap>
#include <numeric>
#include <vector>

namespace {

// Smooth light, shapes with edges, and sensor-like grain: the grain is what
// makes a photo cost as much to decode as a real one of its size.
QImage PhotoLike(int width, int height, int seed) {
  QImage image(width, height, QImage::Format_RGB32);
  QRandomGenerator random(static_cast<quint32>(seed) * 7919u + 1u);
  QPainter painter(&image);
  QLinearGradient light(0, 0, width * 0.4, height);
  light.setColorAt(0, QColor::fromHsv(random.bounded(360), 90, 235));
  light.setColorAt(1, QColor::fromHsv(random.bounded(360), 150, 80));
  painter.fillRect(image.rect(), light);
  painter.setRenderHint(QPainter::Antialiasing);
  for (int i = 0; i < 60; ++i) {
    const QColor color = QColor::fromHsv(random.bounded(360), random.bounded(30, 220),
                                         random.bounded(40, 250), random.bounded(80, 230));
    QRadialGradient shade(random.bounded(width), random.bounded(height), width / 6.0);
    shade.setColorAt(0, color.lighter(130));
    shade.setColorAt(1, color.darker(160));
    painter.setBrush(shade);
    painter.setPen(QPen(color.darker(200), 1 + random.bounded(6)));
    const int w = random.bounded(width / 30 + 1, width / 3);
    const int h = random.bounded(height / 30 + 1, height / 3);
    painter.drawEllipse(random.bounded(-w / 2, width), random.bounded(-h / 2, height), w, h);
  }
  painter.end();
  for (int y = 0; y < height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      const quint32 r = random.generate();
      const int n = static_cast<int>(r % 15) - 7;
      const int c = static_cast<int>((r >> 8) % 5) - 2;
      const QRgb p = line[x];
      line[x] = qRgb(qBound(0, qRed(p) + n + c, 255), qBound(0, qGreen(p) + n, 255),
                     qBound(0, qBlue(p) + n - c, 255));
    }
  }
  return image;
}

bool IsProgressive(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) return false;
  uchar head[4];
  if (file.read(reinterpret_cast<char*>(head), 2) != 2 || head[0] != 0xFF || head[1] != 0xD8) {
    return false;
  }
  // Walk the marker segments to the frame header.
  while (file.read(reinterpret_cast<char*>(head), 4) == 4 && head[0] == 0xFF) {
    if (head[1] == 0xC2) return true;
    if (head[1] >= 0xC0 && head[1] <= 0xCF && head[1] != 0xC4 && head[1] != 0xC8 &&
        head[1] != 0xCC) {
      return false;
    }
    file.seek(file.pos() + ((head[2] << 8) | head[3]) - 2);
  }
  return false;
}

}  // namespace

QStringList EnsureBenchPhotos(const QString& dir, int count, int width, int height,
                              bool progressive) {
  QDir().mkpath(dir);
  QStringList names;
  std::vector<int> missing;
  for (int i = 0; i < count; ++i) {
    names << QDir(dir).filePath(QStringLiteral("photo%1.jpg").arg(i, 3, 10, QLatin1Char('0')));
    if (!QFile::exists(names.back())) missing.push_back(i);
  }
  QtConcurrent::blockingMap(missing, [&](int i) {
    QImageWriter writer(names[i] + QStringLiteral(".part"), "jpg");
    writer.setQuality(90);
    writer.setProgressiveScanWrite(progressive);
    if (writer.write(PhotoLike(width, height, i))) {
      QFile::rename(names[i] + QStringLiteral(".part"), names[i]);
    }
  });
  return names;
}

void ListJpegFiles(const QString& dir, QStringList& baseline, QStringList& progressive) {
  const QStringList entries =
      QDir(dir).entryList({QStringLiteral("*.jpg"), QStringLiteral("*.jpeg")},  // any letter case
                          QDir::Files, QDir::Name);
  for (const QString& entry : entries) {
    const QString name = QDir(dir).filePath(entry);
    (IsProgressive(name) ? progressive : baseline) << name;
  }
}
