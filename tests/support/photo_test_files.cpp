#include "support/photo_test_files.h"

#include <QFile>
#include <QStringList>
#include <exiv2/exiv2.hpp>

#include "support/jpeg_test_files.h"

bool WritePhoto(const QString& path, const std::vector<std::pair<std::string, std::string>>& tags,
                const char* xmpPacket) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(EncodeJpeg(Filled(64, 48, QColor(90, 140, 200)))) < 0)
    return false;
  file.close();
  try {
    Exiv2::XmpParser::initialize();
    auto image = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
    image->readMetadata();
    for (const auto& [key, value] : tags) {
      if (key.rfind("Exif.", 0) == 0) {
        image->exifData()[key] = value;
      } else if (key.rfind("Iptc.", 0) == 0) {
        image->iptcData()[key] = value;
      } else if (value.find('\n') != std::string::npos) {
        auto bag = Exiv2::Value::create(Exiv2::xmpBag);
        for (const QString& item : QString::fromStdString(value).split(u'\n'))
          bag->read(item.toStdString());
        image->xmpData().add(Exiv2::XmpKey(key), bag.get());
      } else {
        image->xmpData()[key] = value;
      }
    }
    if (xmpPacket != nullptr) {
      image->setXmpPacket(xmpPacket);
      image->writeXmpFromPacket(true);
    }
    image->writeMetadata();
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

QByteArray WithSegment(const QByteArray& jpeg, int marker, const QByteArray& payload) {
  QByteArray segment;
  const int length = payload.size() + 2;
  segment.append(char(0xff)).append(char(marker)).append(char(length >> 8)).append(char(length));
  return jpeg.left(2) + segment + payload + jpeg.mid(2);
}
