#include "browser/missing_photos.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QHash>
#include <QSettings>
#include <optional>

#include "core/date_forms.h"
#include "image/photo_details.h"
#include "image/thumbnail_cache.h"

namespace {

// How many folder names at the ends of both paths' folders agree.
int SharedFolderTail(const QString& oldFile, const QString& candidate) {
  const QStringList a = QFileInfo(oldFile).path().split(u'/', Qt::SkipEmptyParts);
  const QStringList b = QFileInfo(candidate).path().split(u'/', Qt::SkipEmptyParts);
  int n = 0;
  while (n < a.size() && n < b.size() &&
         a[a.size() - 1 - n].compare(b[b.size() - 1 - n], Qt::CaseInsensitive) == 0)
    ++n;
  return n;
}

int Score(const AlbumModel& model, const MissingImage& m, const QString& candidate) {
  int score = SharedFolderTail(m.File, candidate);
  const std::optional<qint64> size = LastKnownSize(m.File);
  if (size && *size == QFileInfo(candidate).size()) score += 4;
  const ImageList& images = model.Images(m.Chapter);
  const QString date = images.value(m.Index).Date.trimmed();
  if (!date.isEmpty() &&
      WriteDate(ReadPhotoDetails(candidate).Taken, ChapterDateForm(images)) == date)
    score += 2;
  return score;
}

}  // namespace

QList<MissingImage> MissingImages(const AlbumModel& model) {
  QList<MissingImage> missing;
  for (int k = 0; k < MaxDataFiles; ++k) {
    const ImageList& images = model.Images(k);
    for (int i = 0; i < images.size(); ++i)
      if (!images[i].File.isEmpty() && !QFileInfo::exists(images[i].File))
        missing.append({k, i, images[i].File});
  }
  return missing;
}

FoundImages FindMoved(const AlbumModel& model, const QList<MissingImage>& missing,
                      const QString& folder) {
  // The folder is walked once; links to folders are not followed (no loops).
  QHash<QString, QStringList> byName;
  QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString file = it.next();
    byName[QFileInfo(file).fileName().toCaseFolded()] << QFileInfo(file).absoluteFilePath();
  }
  FoundImages result;
  for (const MissingImage& m : missing) {
    const QStringList candidates = byName.value(QFileInfo(m.File).fileName().toCaseFolded());
    QString best;
    if (candidates.size() == 1) best = candidates[0];
    int bestScore = -1;
    for (int c = 0; candidates.size() > 1 && c < candidates.size(); ++c) {
      const int score = Score(model, m, candidates[c]);
      if (score == bestScore) best.clear();
      if (score > bestScore) {
        bestScore = score;
        best = candidates[c];
      }
    }
    if (best.isEmpty()) {
      result.Missing << m;
    } else {
      result.Found.append({m.Chapter, m.Index, best});
    }
  }
  return result;
}

namespace {

// One key per album: its path would be split into groups by the store.
QString DeclinedKey(const QString& album) {
  return QStringLiteral("DeclinedMissing/") +
         QString::fromLatin1(
             QCryptographicHash::hash(album.toUtf8(), QCryptographicHash::Sha1).toHex());
}

}  // namespace

int DeclinedMissing(const QString& album) {
  return QSettings(QStringLiteral("Quirevale"), QStringLiteral("Quirevale"))
      .value(DeclinedKey(album), 0)
      .toInt();
}

void RememberDeclinedMissing(const QString& album, int count) {
  QSettings(QStringLiteral("Quirevale"), QStringLiteral("Quirevale"))
      .setValue(DeclinedKey(album), count);
}
