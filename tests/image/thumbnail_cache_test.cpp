#include "image/thumbnail_cache.h"

#include <glib.h>
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <memory>

#include "image/thumbnail_picture.h"
#include "support/jpeg_test_files.h"
#include "support/test_files.h"

namespace {

const QSize kBox(75, 135);  // served by the "large" class (256)

// Owner, group and other bits, one hex digit each (0x7000: 0700); the
// "current user" digit that Qt adds is left out.
int Mode(const QString& path) { return QFile::permissions(path).toInt() & 0x7077; }

void SetTime(const QString& path, const QDateTime& time) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  file.setFileTime(time, QFileDevice::FileModificationTime);
}

// Read for a thumbnail of kBox, drawn as large as fits.
ThumbnailPicture Read(const QString& file, bool share) {
  const auto drawn = [](QSize full) {
    return full.scaled(kBox, Qt::KeepAspectRatio).boundedTo(full);
  };
  return ReadThumbnailPicture(file, kBox, drawn, share);
}

QColor Centre(const ThumbnailPicture& t) {
  return t.Picture.pixelColor(t.Picture.width() / 2, t.Picture.height() / 2);
}

// The file's URI as GLib escapes it: other programs name the entries by it.
QByteArray GlibUri(const QString& path) {
  const std::unique_ptr<gchar, decltype(&g_free)> uri(
      g_filename_to_uri(QFile::encodeName(path).constData(), nullptr, nullptr), &g_free);
  return uri ? QByteArray(uri.get()) : QByteArray();
}

// Each test has a cache of its own in a temporary XDG_CACHE_HOME.
class ThumbnailCacheTest : public ::testing::Test {
 protected:
  QTemporaryDir home;
  QTemporaryDir photos;
  QByteArray oldCacheHome = qgetenv("XDG_CACHE_HOME");

  void SetUp() override { qputenv("XDG_CACHE_HOME", home.path().toUtf8()); }
  void TearDown() override {
    WaitForThumbnailCacheWrites();
    qputenv("XDG_CACHE_HOME", oldCacheHome);
  }

  QString Photo(const QString& name, const QByteArray& bytes) {
    WriteAll(photos.filePath(name), bytes);
    return photos.filePath(name);
  }

  // Reads the files for thumbnails of kBox and waits for the cache to be written.
  QList<ThumbnailPicture> Load(const QStringList& files) const {
    QList<ThumbnailPicture> pictures;
    for (const QString& file : files) pictures << Read(file, true);
    WaitForThumbnailCacheWrites();
    return pictures;
  }

  // Makes the file undecodable without changing its size or time: only a
  // valid cache entry can give its thumbnail from now on.
  static void Spoil(const QString& path) {
    const QDateTime time = QFileInfo(path).lastModified();
    QByteArray bytes = ReadAll(path);
    bytes.replace(0, 32, QByteArray(32, 'x'));
    WriteAll(path, bytes);
    SetTime(path, time);
  }
};

}  // namespace

TEST(ThumbnailCacheNames, ClassesUrisAndEntries) {
  const std::pair<QSize, int> classes[] = {
      {{128, 90}, 128}, {{75, 135}, 256}, {{512, 300}, 512}, {{600, 1024}, 1024}, {{1025, 10}, 0}};
  for (const auto& [box, sizeClass] : classes) EXPECT_EQ(ThumbnailCacheClass(box), sizeClass);
  // Blanks and letters beyond ASCII are escaped as UTF-8.
  EXPECT_EQ(ThumbnailCacheUri(QStringLiteral("/photos/Tom & Jerry/Ōsaka 1.jpg")),
            "file:///photos/Tom%20&%20Jerry/%C5%8Csaka%201.jpg");
  for (const char* name :
       {"a;b", "x=y,z+w@v'u~!$()*", "#h%i j", "Ōsaka/žluťoučký kůň.jpg", "[x]{y}?<\\>\"|^`.jpg"}) {
    const QString path = QStringLiteral("/tmp/") + QString::fromUtf8(name);
    EXPECT_EQ(ThumbnailCacheUri(path), GlibUri(path)) << name;
  }
  EXPECT_TRUE(ThumbnailCacheEntry(QStringLiteral("/a.jpg"), 256)
                  .endsWith("/thumbnails/large/5dbae795be5c6f622600ce24688edd43.png"));
  EXPECT_EQ(CacheEntrySize(QSize(3000, 4000), 128), QSize(96, 128));
  EXPECT_EQ(CacheEntrySize(QSize(40, 30), 256), QSize(40, 30));  // never enlarged
}

TEST_F(ThumbnailCacheTest, ASecondLoadDecodesNothing) {
  ASSERT_TRUE(Filled(300, 200, Qt::green).save(photos.filePath("icon.bmp"), "BMP"));
  const QStringList files{
      Photo("wide.jpg", EncodeJpeg(Filled(1600, 1200, Qt::red))),
      Photo("tall.JPEG", EncodeJpeg(Filled(900, 1600, Qt::red), {90, true})),
      Photo("turned.jpg", EncodeJpeg(Filled(1200, 1600, Qt::red), {90, false, 6})),
      photos.filePath("icon.bmp"),
      Photo("a;b=c,d+e@f'g#h%i j Ōsaka.jpg", EncodeJpeg(Filled(40, 30, Qt::red))),
  };
  const QList<ThumbnailPicture> first = Load(files);
  EXPECT_EQ(Mode(home.filePath("thumbnails")), 0x7000);
  EXPECT_EQ(Mode(home.filePath("thumbnails/large")), 0x7000);
  for (const QString& file : files) {
    const QString entry = ThumbnailCacheEntry(file, 256);
    EXPECT_EQ(Mode(entry), 0x6000) << qPrintable(file);
    const QImage png(entry, "PNG");
    ASSERT_FALSE(png.isNull()) << qPrintable(file);
    const QFileInfo info(file);
    EXPECT_EQ(png.text("Thumb::URI").toUtf8(), ThumbnailCacheUri(file));
    EXPECT_EQ(png.text("Thumb::MTime").toLongLong(), info.lastModified().toSecsSinceEpoch());
    EXPECT_EQ(png.text("Thumb::Size").toLongLong(), info.size());
    EXPECT_FALSE(png.text("Software").isEmpty() || png.text("Thumb::Image::Height").isEmpty());
  }
  EXPECT_EQ(QDir(home.filePath("thumbnails/large")).count(), files.size() + 2);  // no leftovers
  // GLib's programs (file managers) take the entries as theirs, awkward names included.
  qputenv("GIO_USE_VFS", "local");
  QProcess gio;
  gio.start(QStringLiteral("gio"), {"info", "-a", "thumbnail::is-valid", files[4]});
  ASSERT_TRUE(gio.waitForFinished());
  EXPECT_TRUE(gio.readAllStandardOutput().contains("thumbnail::is-valid: TRUE"));
  // The turned photo is stored upright, with its upright size.
  const QImage turned(ThumbnailCacheEntry(files[2], 256));
  EXPECT_EQ(turned.size(), QSize(256, 192));
  EXPECT_EQ(turned.text("Thumb::Image::Width"), "1600");

  for (const QString& file : files) Spoil(file);
  const QList<ThumbnailPicture> second = Load(files);
  for (int i = 0; i < first.size(); ++i) {
    ASSERT_FALSE(second[i].Picture.isNull()) << qPrintable(files[i]);
    // The same picture of the same whole size.
    EXPECT_EQ(second[i].Picture.size(), first[i].Picture.size()) << qPrintable(files[i]);
    EXPECT_EQ(second[i].FullSize, first[i].FullSize) << qPrintable(files[i]);
    // Alpha and the red channel's top bits: the same colour, give or take scaling.
    EXPECT_EQ(Centre(second[i]).rgb() >> 20, Centre(first[i]).rgb() >> 20) << qPrintable(files[i]);
  }
}

TEST_F(ThumbnailCacheTest, EntriesThatDoNotMatchTheFileAreIgnored) {
  const QString photo = Photo("photo.jpg", EncodeJpeg(Filled(800, 600, Qt::red)));
  const QFileInfo info(photo);
  const QString mtime = QString::number(info.lastModified().toSecsSinceEpoch());
  const QString size = QString::number(info.size());
  const QString uri = QString::fromUtf8(ThumbnailCacheUri(photo));
  // Entries as another program writes them: blue, so a used one shows.
  const struct {
    const char* what;
    QString uri, mtime, size;
    bool cut;  // only its first half is there
    bool used;
  } cases[] = {
      {"matching", uri, mtime, size, false, true},
      {"without the optional size", uri, mtime, QString(), false, true},
      {"another time", uri, QString::number(mtime.toLongLong() - 1), size, false, false},
      {"another file's", uri + "x", mtime, size, false, false},
      {"another size", uri, mtime, QString::number(info.size() + 1), false, false},
      {"cut short", uri, mtime, size, true, false},
      {"without a time", uri, QString(), size, false, false},
  };
  for (const auto& c : cases) {
    QImage entry = Filled(256, 192, Qt::blue);
    entry.setText("Thumb::URI", c.uri);
    if (!c.mtime.isEmpty()) entry.setText("Thumb::MTime", c.mtime);
    if (!c.size.isEmpty()) entry.setText("Thumb::Size", c.size);
    QByteArray png;
    QBuffer buffer(&png);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) && entry.save(&buffer, "PNG"));
    WriteAll(ThumbnailCacheEntry(photo, 256), c.cut ? png.left(png.size() / 2) : png);
    const ThumbnailPicture picture = Read(photo, false);
    ASSERT_FALSE(picture.Picture.isNull()) << c.what;
    EXPECT_EQ(Centre(picture).rgb() >> 20, QColor(c.used ? Qt::blue : Qt::red).rgb() >> 20)
        << c.what;
  }
}

TEST_F(ThumbnailCacheTest, AFileThatFailsIsRecordedAndNotTriedAgainUntilItChanges) {
  const QByteArray good = EncodeJpeg(Filled(800, 600, Qt::red));
  QByteArray bad = good;
  bad[0] = 'x';  // the same size, not a JPEG
  const QString photo = Photo("photo.jpg", bad);
  EXPECT_TRUE(Load({photo})[0].Picture.isNull());
  EXPECT_TRUE(QFile::exists(home.filePath("thumbnails/fail/quirevale/") +
                            QFileInfo(ThumbnailCacheEntry(photo, 256)).fileName()));
  // Mended with its time and size unchanged: still the recorded failure.
  const QDateTime time = QFileInfo(photo).lastModified();
  WriteAll(photo, good);
  SetTime(photo, time);
  EXPECT_TRUE(Load({photo})[0].Picture.isNull());
  SetTime(photo, time.addSecs(5));  // touched: decoded again
  EXPECT_FALSE(Load({photo})[0].Picture.isNull());
}

TEST_F(ThumbnailCacheTest, NothingIsWrittenWhereItMayNotBe) {
  const QString photo = Photo("photo.jpg", EncodeJpeg(Filled(800, 600, Qt::red)));
  const QString inside = home.filePath("thumbnails/large/own.jpg");
  WriteAll(inside, EncodeJpeg(Filled(800, 600, Qt::red)));
  EXPECT_FALSE(Load({inside})[0].Picture.isNull());
  EXPECT_EQ(QDir(home.filePath("thumbnails/large")).entryList(QDir::Files).size(), 1);

  // A cache folder that cannot be made: a file stands in its place.
  QDir(home.filePath("thumbnails")).removeRecursively();
  WriteAll(home.filePath("thumbnails"), "not a folder");
  EXPECT_FALSE(Load({photo})[0].Picture.isNull());
  EXPECT_TRUE(QFileInfo(home.filePath("thumbnails")).isFile());
}
