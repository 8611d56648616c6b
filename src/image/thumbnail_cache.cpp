#include "thumbnail_cache.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <array>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#ifdef Q_OS_LINUX
#include <sys/resource.h>
#include <unistd.h>
#endif

#include "png_reader.h"
#include "png_writer.h"

namespace {

constexpr std::array<int, 4> kClasses{128, 256, 512, 1024};
const QString kFailFolder = QStringLiteral("fail/quirevale");

QString ClassFolder(int sizeClass) {
  switch (sizeClass) {
    case 128:
      return QStringLiteral("normal");
    case 256:
      return QStringLiteral("large");
    case 512:
      return QStringLiteral("x-large");
    case 1024:
      return QStringLiteral("xx-large");
    default:
      return QString();
  }
}

QString EntryName(const QByteArray& uri) {
  return QString::fromLatin1(QCryptographicHash::hash(uri, QCryptographicHash::Md5).toHex()) +
         QStringLiteral(".png");
}

// What an entry must say of the file as it is now.
struct FileStamp {
  QByteArray Uri;
  qint64 MTime = 0;
  qint64 Size = 0;
  bool Valid = false;
};

FileStamp StampOf(const QString& fileName) {
  const QFileInfo info(fileName);
  if (!info.isFile() || IsInsideThumbnailCache(fileName)) return {};
  return {ThumbnailCacheUri(fileName), info.lastModified().toSecsSinceEpoch(), info.size(), true};
}

// Whole seconds; some writers add a fraction.
qint64 Seconds(const QString& text, bool* ok) { return text.section(u'.', 0, 0).toLongLong(ok); }

bool Matches(const QImage& entry, const FileStamp& stamp) {
  bool ok = false;
  if (entry.text(QStringLiteral("Thumb::URI")).toUtf8() != stamp.Uri) return false;
  if (Seconds(entry.text(QStringLiteral("Thumb::MTime")), &ok) != stamp.MTime || !ok) return false;
  const QString size = entry.text(QStringLiteral("Thumb::Size"));
  return size.isEmpty() || size.toLongLong() == stamp.Size;
}

// Makes folder (and the cache folders above it) 0700 where it is created.
bool MakeFolder(const QString& root, const QString& sub) {
  const QFileInfo rootInfo(root);
  if (!rootInfo.exists()) {
    if (!QDir().mkpath(QFileInfo(root).absolutePath())) return false;
    if (!QDir().mkdir(root, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)) return false;
  }
  QString path = root;
  for (const QString& part : sub.split(u'/')) {
    path += u'/' + part;
    if (QFileInfo(path).isDir()) continue;
    if (!QDir().mkdir(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)) return false;
  }
  return QFileInfo(path).isDir();
}

void WriteEntry(const QString& root, const QString& folder, const QImage& image,
                const FileStamp& stamp, QSize fullSize) {
  if (!MakeFolder(root, folder)) return;
  QList<QPair<QByteArray, QByteArray>> text{{"Thumb::URI", stamp.Uri},
                                            {"Thumb::MTime", QByteArray::number(stamp.MTime)},
                                            {"Thumb::Size", QByteArray::number(stamp.Size)}};
  if (fullSize.isValid()) {
    text.append({"Thumb::Image::Width", QByteArray::number(fullSize.width())});
    text.append({"Thumb::Image::Height", QByteArray::number(fullSize.height())});
  }
  text.append({QByteArray("Software"), QByteArray("Quirevale 1.0")});
  const QByteArray png = EncodePng(image, text);
  QSaveFile file(root + u'/' + folder + u'/' + EntryName(stamp.Uri));
  if (!file.open(QIODevice::WriteOnly)) return;
  file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
  if (file.write(png) != png.size() || !file.flush()) {
    file.cancelWriting();
    return;
  }
  file.commit();
}

// Entries are written while the person looks, never while pictures are
// still being decoded for the page: the writer yields the cores to them.
void LowerOwnPriority() {
#ifdef Q_OS_LINUX
  setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 19);  // Linux: per thread
#endif
}

// The one writer thread and its queue. The queue outlives static
// destruction, and pending entries are finished while the application still
// exists (a write that ran on into Qt's shutdown would find its image
// plugins gone). Standard locks rather than a QThreadPool: ThreadSanitizer
// sees them hand each entry over (Qt is not built with it), so the writer
// can be checked for races.
class Writer {
 public:
  // bytes: what the task holds until it runs. A caller waits while the
  // queue already holds kMaxPendingBytes, so that a producer faster than
  // the disk (a PDF export of a thousand photos) cannot pile up gigabytes.
  void Add(std::function<void()> task, qint64 bytes = 0) {
    std::unique_lock lock(mutex_);
    if (started_)
      changed_.wait(
          lock, [&] { return pendingBytes_ == 0 || pendingBytes_ + bytes <= kMaxPendingBytes; });
    tasks_.push_back({std::move(task), bytes});
    pendingBytes_ += bytes;
    if (!started_) {
      try {
        std::thread([this] {
          LowerOwnPriority();
          Run();
        }).detach();
        started_ = true;
      } catch (const std::system_error&) {
        RunAll(lock);  // no thread to be had: written here and now
        return;
      }
    }
    changed_.notify_all();
  }

  void WaitForDone() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return tasks_.empty() && !busy_; });
  }

 private:
  void Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
      changed_.wait(lock, [this] { return !tasks_.empty(); });
      RunAll(lock);
      changed_.notify_all();
    }
  }

  // Runs the queued tasks one by one, the lock released while each runs.
  void RunAll(std::unique_lock<std::mutex>& lock) {
    while (!tasks_.empty()) {
      auto [task, bytes] = std::move(tasks_.front());
      tasks_.pop_front();
      busy_ = true;
      lock.unlock();
      task();
      task = nullptr;
      lock.lock();
      busy_ = false;
      pendingBytes_ -= bytes;
      changed_.notify_all();
    }
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  static constexpr qint64 kMaxPendingBytes = qint64(128) << 20;
  std::deque<std::pair<std::function<void()>, qint64>> tasks_;
  qint64 pendingBytes_ = 0;
  bool started_ = false;
  bool busy_ = false;
};

void FinishWrites();

Writer& Writers() {
  static Writer* const writer = [] {
    qAddPostRoutine(FinishWrites);
    return new Writer;
  }();
  return *writer;
}

void FinishWrites() { Writers().WaitForDone(); }

}  // namespace

int ThumbnailCacheClass(QSize box) {
  const int side = std::max(box.width(), box.height());
  for (int sizeClass : kClasses) {
    if (side <= sizeClass) return sizeClass;
  }
  return 0;
}

QString ThumbnailCacheRoot() {
  const QString xdg = qEnvironmentVariable("XDG_CACHE_HOME");
  const QString base = !xdg.isEmpty() && QDir::isAbsolutePath(xdg)
                           ? xdg
                           : QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
  return QDir::cleanPath(base + QStringLiteral("/thumbnails"));
}

QByteArray ThumbnailCacheUri(const QString& fileName) {
  // Escaped as GLib escapes it, so other programs find the same entry: these
  // bytes stay as they are, all others become %XX.
  return "file://" + QFile::encodeName(QDir::cleanPath(QFileInfo(fileName).absoluteFilePath()))
                         .toPercentEncoding("!$&'()*+,/:=@");
}

QString ThumbnailCacheEntry(const QString& fileName, int sizeClass) {
  return ThumbnailCacheRoot() + u'/' + ClassFolder(sizeClass) + u'/' +
         EntryName(ThumbnailCacheUri(fileName));
}

bool IsInsideThumbnailCache(const QString& fileName) {
  return QFileInfo(fileName).absoluteFilePath().startsWith(ThumbnailCacheRoot() + u'/');
}

CachedPicture ReadCachedThumbnail(const QString& fileName, int sizeClass) {
  if (ClassFolder(sizeClass).isEmpty()) return {};
  const FileStamp stamp = StampOf(fileName);
  if (!stamp.Valid) return {};
  const QImage entry = ReadPng(ThumbnailCacheEntry(fileName, sizeClass));
  if (entry.isNull() || !Matches(entry, stamp)) return {};
  QSize full(entry.text(QStringLiteral("Thumb::Image::Width")).toInt(),
             entry.text(QStringLiteral("Thumb::Image::Height")).toInt());
  if (full.isEmpty()) {
    full = entry.size();  // no size given: the entry's own is the best guess
  } else if ((full.width() > full.height()) != (entry.width() > entry.height()) &&
             full.width() != full.height() && entry.width() != entry.height()) {
    full.transpose();  // a writer that gave the size before turning the picture upright
  }
  return {entry, full};
}

bool IsRecordedFailure(const QString& fileName) {
  const FileStamp stamp = StampOf(fileName);
  if (!stamp.Valid) return false;
  const QImage entry =
      ReadPng(ThumbnailCacheRoot() + u'/' + kFailFolder + u'/' + EntryName(stamp.Uri));
  return !entry.isNull() && Matches(entry, stamp);
}

QSize CacheEntrySize(QSize fullSize, int sizeClass) {
  if (fullSize.width() <= sizeClass && fullSize.height() <= sizeClass) return fullSize;
  return fullSize.scaled(sizeClass, sizeClass, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

void StoreCachedThumbnail(const QString& fileName, const QImage& picture, QSize fullSize,
                          int sizeClass) {
  const QString folder = ClassFolder(sizeClass);
  const FileStamp stamp = StampOf(fileName);
  if (folder.isEmpty() || !stamp.Valid || picture.isNull()) return;
  const QString root = ThumbnailCacheRoot();
  Writers().Add(
      [root, folder, picture, stamp, fullSize, sizeClass] {
        const QSize size = CacheEntrySize(fullSize, sizeClass);
        const QImage entry = picture.size() == size ? picture
                                                    : picture.scaled(size, Qt::IgnoreAspectRatio,
                                                                     Qt::SmoothTransformation);
        WriteEntry(root, folder, entry, stamp, fullSize);
      },
      picture.sizeInBytes());
}

void StoreFailure(const QString& fileName) {
  const FileStamp stamp = StampOf(fileName);
  if (!stamp.Valid) return;
  const QString root = ThumbnailCacheRoot();
  Writers().Add([root, stamp] {
    QImage mark(1, 1, QImage::Format_ARGB32);
    mark.fill(Qt::transparent);
    WriteEntry(root, kFailFolder, mark, stamp, QSize());
  });
}

void WaitForThumbnailCacheWrites() { Writers().WaitForDone(); }

std::optional<qint64> LastKnownSize(const QString& fileName) {
  const QByteArray uri = ThumbnailCacheUri(fileName);
  for (int sizeClass : {512, 256, 128}) {
    const QImage entry(ThumbnailCacheEntry(fileName, sizeClass));
    bool ok = false;
    const qint64 size = entry.text(QStringLiteral("Thumb::Size")).toLongLong(&ok);
    if (ok && entry.text(QStringLiteral("Thumb::URI")).toUtf8() == uri) return size;
  }
  return std::nullopt;
}
