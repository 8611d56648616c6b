#include "book/thumbnail_cache.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QtConcurrent/QtConcurrentMap>

#include "book/thumbnail.h"
#include "book/thumbnail_loading.h"
#include "core/album_model.h"
#include "core/progress.h"
#include "init/program_settings.h"
#include "jpeg_test_files.h"
#include "support/test_files.h"

namespace {

const QSize kBox(75, 135);  // served by the "large" class (256)

QImage Filled(int width, int height, QColor color) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(color);
  return image;
}

QFileDevice::Permissions Mode(const QString& path) {
  return QFile::permissions(path) &
         (QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
          QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
          QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther);
}

// Each test has a cache of its own in a temporary XDG_CACHE_HOME.
class ThumbnailCacheTest : public ::testing::Test {
 protected:
  QTemporaryDir home;
  QTemporaryDir photos;
  QByteArray oldCacheHome = qgetenv("XDG_CACHE_HOME");
  bool oldShare = ProgramSettings.ShareThumbnails;

  void SetUp() override {
    qputenv("XDG_CACHE_HOME", home.path().toUtf8());
    ProgramSettings.ShareThumbnails = true;
  }
  void TearDown() override {
    WaitForThumbnailCacheWrites();
    qputenv("XDG_CACHE_HOME", oldCacheHome);
    ProgramSettings.ShareThumbnails = oldShare;
  }

  QString Photo(const QString& name, const QByteArray& bytes) {
    const QString path = photos.filePath(name);
    WriteAll(path, bytes);
    return path;
  }

  // Loads the files as a chapter and waits for the cache to be written.
  static QList<TThumbnail> Load(const QStringList& files) {
    AlbumModel model;
    model.Chapters[0].Files = files;
    NoProgress quiet;
    LoadChapterThumbnails(model, 0, kBox, quiet);
    WaitForThumbnailCacheWrites();
    return model.Thumbnails[0];
  }

  // Makes the file undecodable without changing its size or time: only a
  // valid cache entry can give its thumbnail from now on.
  static void Spoil(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QDateTime time = file.fileTime(QFileDevice::FileModificationTime);
    file.write(QByteArray(32, 'x'));
    file.flush();
    file.setFileTime(time, QFileDevice::FileModificationTime);
  }

  static QColor Centre(const TThumbnail& t) {
    return t.Picture.pixelColor(t.Picture.width() / 2, t.Picture.height() / 2);
  }
};

bool Near(QColor a, QColor b) {
  return std::abs(a.red() - b.red()) < 12 && std::abs(a.green() - b.green()) < 12 &&
         std::abs(a.blue() - b.blue()) < 12;
}

}  // namespace

TEST(ThumbnailCacheNames, ClassesUrisAndEntrySizes) {
  const struct {
    QSize box;
    int sizeClass;
  } classes[] = {
      {{128, 90}, 128}, {{75, 135}, 256}, {{512, 300}, 512}, {{600, 1024}, 1024}, {{1025, 10}, 0}};
  for (const auto& c : classes) EXPECT_EQ(ThumbnailCacheClass(c.box), c.sizeClass) << c.box.width();
  // Blanks and letters beyond ASCII are escaped as UTF-8.
  EXPECT_EQ(ThumbnailCacheUri(QStringLiteral("/photos/Tom & Jerry/Ōsaka 1.jpg")),
            "file:///photos/Tom%20&%20Jerry/%C5%8Csaka%201.jpg");
  EXPECT_TRUE(
      ThumbnailCacheEntry(QStringLiteral("/a.jpg"), 256)
          .endsWith(QStringLiteral("/thumbnails/large/") +
                    QCryptographicHash::hash("file:///a.jpg", QCryptographicHash::Md5).toHex() +
                    ".png"));
  EXPECT_EQ(CacheEntrySize(QSize(4000, 3000), 256), QSize(256, 192));
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
      Photo("small.jpg", EncodeJpeg(Filled(40, 30, Qt::red))),
  };
  const QList<TThumbnail> first = Load(files);

  const QString large = home.filePath("thumbnails/large");
  EXPECT_EQ(Mode(home.filePath("thumbnails")),
            QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  EXPECT_EQ(Mode(large), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  for (const QString& file : files) {
    const QString entry = ThumbnailCacheEntry(file, 256);
    ASSERT_TRUE(QFile::exists(entry)) << qPrintable(file);
    EXPECT_EQ(Mode(entry), QFile::ReadOwner | QFile::WriteOwner) << qPrintable(file);
    QImageReader reader(entry, "png");
    const QImage png = reader.read();
    ASSERT_FALSE(png.isNull()) << qPrintable(file);
    EXPECT_LE(std::max(png.width(), png.height()), 256);
    const QFileInfo info(file);
    EXPECT_EQ(png.text("Thumb::URI").toUtf8(), ThumbnailCacheUri(file));
    EXPECT_EQ(png.text("Thumb::MTime").toLongLong(), info.lastModified().toSecsSinceEpoch());
    EXPECT_EQ(png.text("Thumb::Size").toLongLong(), info.size());
    EXPECT_FALSE(png.text("Software").isEmpty());
    EXPECT_GT(png.text("Thumb::Image::Width").toInt(), 0);
  }
  EXPECT_EQ(QDir(large).entryList(QDir::Files).size(), files.size());  // no temporary files left
  // The turned photo is stored upright, with its upright size.
  const QImage turned(ThumbnailCacheEntry(files[2], 256));
  EXPECT_EQ(turned.size(), QSize(256, 192));
  EXPECT_EQ(turned.text("Thumb::Image::Width"), "1600");

  for (const QString& file : files) Spoil(file);
  const QList<TThumbnail> second = Load(files);
  ASSERT_EQ(second.size(), first.size());
  for (int i = 0; i < first.size(); ++i) {
    ASSERT_FALSE(second[i].IsNull()) << qPrintable(files[i]);
    // The same size rules and the same place in the cell.
    EXPECT_EQ(second[i].Offset, first[i].Offset) << qPrintable(files[i]);
    EXPECT_EQ(second[i].Picture.size(), first[i].Picture.size()) << qPrintable(files[i]);
    EXPECT_TRUE(Near(Centre(second[i]), Centre(first[i]))) << qPrintable(files[i]);
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
    int cut;  // bytes left of the PNG; 0: all
    bool used;
  } cases[] = {
      {"matching", uri, mtime, size, 0, true},
      {"without the optional size", uri, mtime, QString(), 0, true},
      {"another time", uri, QString::number(mtime.toLongLong() - 1), size, 0, false},
      {"another file's", uri + "x", mtime, size, 0, false},
      {"another size", uri, mtime, QString::number(info.size() + 1), 0, false},
      {"cut short", uri, mtime, size, 300, false},
      {"without a time", uri, QString(), size, 0, false},
  };
  QDir().mkpath(home.filePath("thumbnails/large"));
  for (const auto& c : cases) {
    QImage entry = Filled(256, 192, Qt::blue);
    entry.setText("Thumb::URI", c.uri);
    if (!c.mtime.isEmpty()) entry.setText("Thumb::MTime", c.mtime);
    if (!c.size.isEmpty()) entry.setText("Thumb::Size", c.size);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(entry.save(&buffer, "PNG"));
    WriteAll(ThumbnailCacheEntry(photo, 256), c.cut > 0 ? png.left(c.cut) : png);
    const TThumbnail thumbnail = ReadThumbnail(photo, kBox, false);
    ASSERT_FALSE(thumbnail.IsNull()) << c.what;
    EXPECT_EQ(Centre(thumbnail),
              c.used ? QColor(Qt::blue) : Centre(ReadThumbnail(photo, kBox, false)))
        << c.what;
    EXPECT_EQ(Near(Centre(thumbnail), Qt::red), !c.used) << c.what;
  }
}

TEST_F(ThumbnailCacheTest, AFileThatFailsIsRecordedAndNotTriedAgainUntilItChanges) {
  const QByteArray good = EncodeJpeg(Filled(800, 600, Qt::red));
  QByteArray bad = good;
  bad[0] = 'x';  // the same size, not a JPEG
  const QString photo = Photo("photo.jpg", bad);
  EXPECT_TRUE(Load({photo})[0].IsNull());
  EXPECT_TRUE(IsRecordedFailure(photo));
  EXPECT_TRUE(QFile::exists(home.filePath("thumbnails/fail/quirevale/") +
                            QFileInfo(ThumbnailCacheEntry(photo, 256)).fileName()));

  // Mended with its time and size unchanged: still the recorded failure.
  const QDateTime time = QFileInfo(photo).lastModified();
  WriteAll(photo, good);
  QFile file(photo);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  file.setFileTime(time, QFileDevice::FileModificationTime);
  file.close();
  EXPECT_TRUE(Load({photo})[0].IsNull());
  // Touched: decoded again.
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  file.setFileTime(time.addSecs(5), QFileDevice::FileModificationTime);
  file.close();
  EXPECT_FALSE(Load({photo})[0].IsNull());
}

TEST_F(ThumbnailCacheTest, NothingIsWrittenWhereItMayNotBe) {
  const QString photo = Photo("photo.jpg", EncodeJpeg(Filled(800, 600, Qt::red)));
  // The setting off: read, never written.
  ProgramSettings.ShareThumbnails = false;
  EXPECT_FALSE(Load({photo})[0].IsNull());
  EXPECT_FALSE(QFileInfo::exists(home.filePath("thumbnails")));
  ProgramSettings.ShareThumbnails = true;

  // A picture inside the cache itself.
  const QString inside = home.filePath("thumbnails/large/own.jpg");
  WriteAll(inside, EncodeJpeg(Filled(800, 600, Qt::red)));
  EXPECT_FALSE(Load({inside})[0].IsNull());
  EXPECT_EQ(QDir(home.filePath("thumbnails/large")).entryList(QDir::Files).size(), 1);

  // A cache folder that cannot be made: a file stands in its place.
  QDir(home.filePath("thumbnails")).removeRecursively();
  WriteAll(home.filePath("thumbnails"), "not a folder");
  EXPECT_FALSE(Load({photo})[0].IsNull());
  EXPECT_TRUE(QFileInfo(home.filePath("thumbnails")).isFile());
}

TEST_F(ThumbnailCacheTest, WritersAtTheSameTimeLeaveValidEntries) {
  QStringList files;
  for (int i = 0; i < 6; ++i)
    files << Photo(QStringLiteral("p%1.jpg").arg(i),
                   EncodeJpeg(Filled(640, 480, QColor(i * 40, 0, 0))));
  // Each file is decoded and its entry queued many times over, by several
  // threads at once.
  QStringList many;
  for (int round = 0; round < 8; ++round) many += files;
  QtConcurrent::blockingMap(many, [](const QString& file) { ReadThumbnail(file, kBox, true); });
  WaitForThumbnailCacheWrites();
  const QString large = home.filePath("thumbnails/large");
  EXPECT_EQ(QDir(large).entryList(QDir::Files).size(), files.size());
  for (const QString& file : files) {
    EXPECT_FALSE(ReadCachedThumbnail(file, 256).Picture.isNull()) << qPrintable(file);
  }
}

TEST_F(ThumbnailCacheTest, AnotherProcessFindsTheEntries) {
  const QString childFiles = qEnvironmentVariable("QV_CACHE_TEST_FILES");
  if (!childFiles.isEmpty()) {
    // The second process: the files are spoiled, only the entries can serve.
    qputenv("XDG_CACHE_HOME", qgetenv("QV_CACHE_TEST_HOME"));
    for (const TThumbnail& thumbnail : Load(childFiles.split(u'\n')))
      EXPECT_FALSE(thumbnail.IsNull());
    return;
  }
  const QStringList files{Photo("a.jpg", EncodeJpeg(Filled(800, 600, Qt::red))),
                          Photo("b.jpg", EncodeJpeg(Filled(600, 800, Qt::blue)))};
  Load(files);
  for (const QString& file : files) Spoil(file);
  QProcess child;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("QV_CACHE_TEST_FILES"), files.join(u'\n'));
  environment.insert(QStringLiteral("QV_CACHE_TEST_HOME"), home.path());
  child.setProcessEnvironment(environment);
  child.start(QCoreApplication::applicationFilePath(),
              {QStringLiteral("--gtest_filter=ThumbnailCacheTest.AnotherProcessFindsTheEntries")});
  ASSERT_TRUE(child.waitForFinished(120000));
  EXPECT_EQ(child.exitCode(), 0) << child.readAllStandardOutput().toStdString();
}
