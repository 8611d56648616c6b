#include "photo_details.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <exiv2/exiv2.hpp>
#include <mutex>

namespace {

// exiv2 is not thread-safe: decoding registers XMP namespaces in the
// library's process-wide tables, and reads from several threads at once
// give wrong results. This lock only serialises calls into the library; it
// holds no state of the program's.
std::mutex& ExivLock() {
  static std::mutex lock;
  return lock;
}

// The XMP toolkit is set up, and the library's log silenced (damaged files
// would print to stderr), once before the first read.
void SetUpOnce() {
  static const bool done = [] {
    Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
    return Exiv2::XmpParser::initialize();
  }();
  (void)done;
}

// XMP is UTF-8; old EXIF and IPTC text is often Latin-1.
QString Text(const std::string& s) {
  const QByteArray bytes = QByteArray::fromStdString(s);
  QString text = QString::fromUtf8(bytes);
  if (text.contains(QChar::ReplacementCharacter)) text = QString::fromLatin1(bytes);
  return text.trimmed();
}

QString Exif(const Exiv2::ExifData& d, const char* key) {
  const auto it = d.findKey(Exiv2::ExifKey(key));
  return it == d.end() ? QString() : Text(it->toString());
}
QString Iptc(const Exiv2::IptcData& d, const char* key) {
  const auto it = d.findKey(Exiv2::IptcKey(key));
  return it == d.end() ? QString() : Text(it->toString());
}
QString Xmp(const Exiv2::XmpData& d, const char* key) {
  const auto it = d.findKey(Exiv2::XmpKey(key));
  if (it == d.end()) return {};
  if (it->typeId() == Exiv2::langAlt)
    return Text(static_cast<const Exiv2::LangAltValue&>(it->value()).toString("x-default"));
  return Text(it->toString());
}

// The items of an XMP bag or sequence.
QStringList XmpList(const Exiv2::XmpData& d, const char* key) {
  QStringList items;
  const auto it = d.findKey(Exiv2::XmpKey(key));
  if (it == d.end()) return items;
  for (long i = 0; i < it->count(); ++i) {
    const QString item = Text(it->toString(i));
    if (!item.isEmpty()) items << item;
  }
  return items;
}

// A struct field under prefix, whatever namespace prefix the file gave it:
// exiv2 keeps the file's own ("Iptc4xmpExt:City" or "iptcExt:City").
QString XmpField(const Exiv2::XmpData& d, const std::string& prefix, const std::string& field) {
  for (const Exiv2::Xmpdatum& x : d) {
    const std::string key = x.key();
    if (key.size() <= prefix.size() || key.compare(0, prefix.size(), prefix) != 0) continue;
    const std::string rest = key.substr(prefix.size());
    const std::size_t colon = rest.find(':');
    if (rest.find('/') == std::string::npos && colon != std::string::npos &&
        rest.substr(colon + 1) == field)
      return Text(x.toString());
  }
  return {};
}

// The names of face regions (the metadata working group's and Windows').
QStringList RegionNames(const Exiv2::XmpData& d) {
  static const QRegularExpression names(
      QStringLiteral(R"(^Xmp\.mwg-rs\.Regions/[\w-]+:RegionList\[\d+\]/[\w-]+:Name$|)"
                     R"(^Xmp\.MP\.RegionInfo/\w+:Regions\[\d+\]/\w+:PersonDisplayName$)"));
  QStringList found;
  for (const Exiv2::Xmpdatum& x : d) {
    if (!names.match(QString::fromStdString(x.key())).hasMatch()) continue;
    const QString name = Text(x.toString());
    if (!name.isEmpty() && !found.contains(name)) found << name;
  }
  return found;
}

// What cameras write into the description when nobody typed one.
bool Boilerplate(const QString& description, const Exiv2::ExifData& exif) {
  static const QStringList known{QStringLiteral("SONY DSC"), QStringLiteral("Exif_JPEG_PICTURE"),
                                 QStringLiteral("LEAD Technologies Inc. V1.01"),
                                 QStringLiteral("default")};
  const QString d = description.simplified();
  if (d.isEmpty() || d.endsWith(QStringLiteral("DIGITAL CAMERA"), Qt::CaseInsensitive)) return true;
  for (const QString& k : known)
    if (d.compare(k, Qt::CaseInsensitive) == 0) return true;
  // The camera's own name; only whole matches ("Canon trip" is a title).
  const QString make = Exif(exif, "Exif.Image.Make").simplified();
  const QString model = Exif(exif, "Exif.Image.Model").simplified();
  for (const QString& name : {make, model, make + QLatin1Char(' ') + model})
    if (!name.trimmed().isEmpty() && d.compare(name, Qt::CaseInsensitive) == 0) return true;
  return false;
}

// ISO 8601: "2010-07-14T09:15:00+02:00", "2010-07-14".
QDate IsoDate(const QString& s) { return QDate::fromString(s.left(10), Qt::ISODate); }

QString JoinNonEmpty(const QStringList& parts) {
  QStringList kept;
  for (const QString& p : parts)
    if (!p.isEmpty()) kept << p;
  return kept.join(QStringLiteral(", "));
}

PhotoDetails DetailsOf(const Exiv2::Image& image) {
  const Exiv2::ExifData& exif = image.exifData();
  const Exiv2::IptcData& iptc = image.iptcData();
  const Exiv2::XmpData& xmp = image.xmpData();
  PhotoDetails details;
  // "YYYY:MM:DD HH:MM:SS"; cameras without a clock write zeros or blanks.
  details.Taken = QDateTime::fromString(Exif(exif, "Exif.Photo.DateTimeOriginal").left(19),
                                        QStringLiteral("yyyy:MM:dd HH:mm:ss"))
                      .date();
  for (const char* key :
       {"Xmp.exif.DateTimeOriginal", "Xmp.photoshop.DateCreated", "Xmp.xmp.CreateDate"})
    if (!details.Taken.isValid()) details.Taken = IsoDate(Xmp(xmp, key));
  if (!details.Taken.isValid())
    details.Taken = IsoDate(Iptc(iptc, "Iptc.Application2.DateCreated"));

  details.Title = Xmp(xmp, "Xmp.dc.title");
  if (details.Title.isEmpty()) details.Title = Iptc(iptc, "Iptc.Application2.Caption");
  if (details.Title.isEmpty()) {
    const QString d = Exif(exif, "Exif.Image.ImageDescription");
    if (!Boilerplate(d, exif)) details.Title = d;
  }

  QString sub = Xmp(xmp, "Xmp.iptc.Location");
  if (sub.isEmpty()) sub = Iptc(iptc, "Iptc.Application2.SubLocation");
  QString city = Xmp(xmp, "Xmp.photoshop.City");
  if (city.isEmpty()) city = Iptc(iptc, "Iptc.Application2.City");
  details.Place = JoinNonEmpty({sub, city});
  if (details.Place.isEmpty()) {
    const std::string shown = "Xmp.iptcExt.LocationShown[1]/";
    details.Place =
        JoinNonEmpty({XmpField(xmp, shown, "Sublocation"), XmpField(xmp, shown, "City")});
  }

  QStringList people = XmpList(xmp, "Xmp.iptcExt.PersonInImage");
  if (people.isEmpty()) people = RegionNames(xmp);
  details.People = people.join(QStringLiteral(", "));
  return details;
}

}  // namespace

PhotoDetails ReadPhotoDetails(const QString& fileName) {
  // Only plain JPEG files: the library would also read "-" as standard
  // input, fetch URLs and parse videos.
  const QFileInfo info(fileName);
  const QString suffix = info.suffix().toLower();
  if ((suffix != QLatin1String("jpg") && suffix != QLatin1String("jpeg")) || !info.isFile())
    return {};
  SetUpOnce();
  try {
    std::lock_guard<std::mutex> hold(ExivLock());
    auto image = Exiv2::ImageFactory::open(QFile::encodeName(fileName).toStdString());
    image->readMetadata();
    return DetailsOf(*image);
  } catch (const std::exception&) {
    return {};  // damaged metadata: nothing is taken from the photo
  }
}
