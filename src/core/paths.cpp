#include "paths.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

bool IsSeparator(QChar c) { return c == u'/' || c == u'\\'; }

bool HasDrive(const QString& path) { return path.size() >= 2 && path[1] == u':'; }

bool EndsWithSeparator(const QString& path) { return !path.isEmpty() && IsSeparator(path.back()); }

QString WithTrailingSeparator(const QString& folder) {
  if (folder.isEmpty() || EndsWithSeparator(folder)) return folder;
  return folder + u'/';
}

// Splits an absolute, "/"-separated path into its root ("C:/", "/", "//") and
// its folder and file names.
void SplitRoot(const QString& path, QString& root, QStringList& parts) {
  int start = 0;
  if (HasDrive(path)) {
    start = 2;
    root = path.left(2) + u'/';
  } else if (path.startsWith(u"//")) {
    start = 2;
    root = QStringLiteral("//");
  } else if (path.startsWith(u'/')) {
    start = 1;
    root = QStringLiteral("/");
  } else {
    root.clear();
  }
  parts = path.mid(start).split(u'/', Qt::SkipEmptyParts);
}

Qt::CaseSensitivity CaseRule(const QString& path) {
  return HasDrive(path) ? Qt::CaseInsensitive : Qt::CaseSensitive;
}

}  // namespace

PathContext RealPathContext() {
  // ".." is resolved by name first, as Windows does: "new/../pics" names pics
  // even while "new" does not exist yet.
  return {
      [](const QString& dir) { return !dir.isEmpty() && QFileInfo(QDir::cleanPath(dir)).isDir(); },
      QDir::currentPath()};
}

bool IsAbsolutePath(const QString& path) {
  return HasDrive(path) || (!path.isEmpty() && IsSeparator(path[0]));
}

QString NormalizeSeparators(const QString& path) {
  QString out = path;
  out.replace(u'\\', u'/');
  return out;
}

QString FolderPart(const QString& path) {
  for (qsizetype i = path.size() - 1; i >= 0; --i) {
    if (IsSeparator(path[i])) return path.left(i + 1);
  }
  // "C:name": the drive is the folder. A ":" elsewhere is part of a POSIX name.
  return HasDrive(path) ? path.left(2) : QString();
}

QString NamePart(const QString& path) { return path.mid(FolderPart(path).size()); }

QString ExpandPath(const QString& path, const PathContext& ctx) {
  QString full = NormalizeSeparators(path);
  if (!IsAbsolutePath(full))
    full = WithTrailingSeparator(NormalizeSeparators(ctx.currentDir)) + full;
  const bool trailing = EndsWithSeparator(full);
  QString root;
  QStringList parts;
  SplitRoot(full, root, parts);
  QStringList kept;
  for (const QString& part : parts) {
    if (part == u".") continue;
    if (part == u"..") {
      if (!kept.isEmpty()) kept.removeLast();  // ".." at the root stays at the root
      continue;
    }
    kept << part;
  }
  QString out = root + kept.join(u'/');
  if (trailing && !kept.isEmpty()) out += u'/';
  return out;
}

bool SamePath(const QString& a, const QString& b) {
  return QString::compare(NormalizeSeparators(a), NormalizeSeparators(b), CaseRule(a)) == 0;
}

bool SameFile(const QString& a, const QString& b) {
  if (SamePath(a, b)) return true;
  // The file system's own identity of a file (device and inode, or the
  // Windows file index): canonical names alone miss hard links and case.
  std::error_code error;
  const bool same = std::filesystem::equivalent(QFileInfo(a).filesystemFilePath(),
                                                QFileInfo(b).filesystemFilePath(), error);
  return !error && same;
}

bool ContainsPath(const QStringList& list, const QString& path) {
  return std::any_of(list.cbegin(), list.cend(),
                     [&](const QString& p) { return SamePath(p, path); });
}

void RemovePath(QStringList& list, const QString& path) {
  list.removeIf([&](const QString& p) { return SamePath(p, path); });
}

QString ResolvePath(const QString& base, const QString& folder, const QString& name,
                    const PathContext& ctx) {
  if (IsAbsolutePath(name)) return NormalizeSeparators(name);
  if (IsAbsolutePath(folder)) return NormalizeSeparators(WithTrailingSeparator(folder) + name);
  const QString sub = WithTrailingSeparator(folder);
  const QString path = FolderPart(base);
  // An image folder that does not exist is ignored: names are then taken
  // relative to the data file's own folder.
  const QString prefix =
      (!sub.isEmpty() && ctx.dirExists(NormalizeSeparators(path + sub))) ? path + sub : path;
  return ExpandPath(prefix + name, ctx);
}

QString MakeRelativePath(const QString& mainDataFile, const QString& dataFile,
                         const QString& folder, const QString& fileName, const PathContext& ctx) {
  const QString full = ResolvePath(mainDataFile, QString(), dataFile, ctx);
  QString dir = IsAbsolutePath(folder) ? NormalizeSeparators(folder)
                                       : ResolvePath(FolderPart(full), folder, QString(), ctx);
  dir = WithTrailingSeparator(dir);
  if (fileName.isEmpty()) return dir;
  QString file = NormalizeSeparators(fileName);
  if (!IsAbsolutePath(file)) return file;

  QString dirRoot;
  QString fileRoot;
  QStringList dirParts;
  QStringList fileParts;
  SplitRoot(ExpandPath(dir, ctx), dirRoot, dirParts);
  SplitRoot(ExpandPath(file, ctx), fileRoot, fileParts);
  const Qt::CaseSensitivity cs = CaseRule(file);
  if (QString::compare(dirRoot, fileRoot, cs) != 0) return file;  // another drive

  qsizetype shared = 0;
  // The file's last part is its name, never a shared folder.
  while (shared < dirParts.size() && shared + 1 < fileParts.size() &&
         QString::compare(dirParts[shared], fileParts[shared], cs) == 0) {
    ++shared;
  }
  QString out;
  for (qsizetype i = shared; i < dirParts.size(); ++i) out += QStringLiteral("../");
  out += fileParts.mid(shared).join(u'/');
  // "1:2.jpg" would read back as a path on drive "1:".
  if (HasDrive(out)) out.prepend(QStringLiteral("./"));
  return out;
}

QString FileExtUpper(const QString& fileName) {
  const QString name = NamePart(fileName);
  const qsizetype dot = name.lastIndexOf(u'.');
  if (dot < 0) return {};
  return name.mid(dot).toUpper();
}

bool IsVideoFile(const QString& fileName) {
  const QString ext = FileExtUpper(fileName);
  return ext == u".AVI" || ext == u".MPG" || ext == u".MPEG";
}
