#include "init/file_association.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <algorithm>

namespace {

QString Id() { return QString::fromLatin1(ApplicationId); }

QByteArray Resource(const QString& name) {
  QFile file(QStringLiteral(":/desktop/") + name);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A path as an Exec argument: quoted when it holds anything the desktop
// entry format treats specially, with "%" doubled as field codes demand.
QString ExecArgument(QString path) {
  path.replace(u'%', QStringLiteral("%%"));
  static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
  if (std::none_of(path.cbegin(), path.cend(), [](QChar c) { return reserved.contains(c); }))
    return path;
  QString quoted;
  for (const QChar c : path) {
    if (c == u'"' || c == u'`' || c == u'$' || c == u'\\') quoted += u'\\';
    quoted += c;
  }
  return u'"' + quoted + u'"';
}

// The per-user entry carries the checksum of what the program wrote, so that
// a copy the person edited is told apart from one an earlier start wrote for
// another program path: only the latter is replaced.
constexpr char kStampKey[] = "X-Quirevale-Checksum=";

QByteArray Md5Hex(const QByteArray& bytes) {
  return QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex();
}

QByteArray Stamped(const QByteArray& entry) { return entry + kStampKey + Md5Hex(entry) + '\n'; }

bool IsOwnEntry(const QByteArray& content) {
  const qsizetype at = content.lastIndexOf(kStampKey);
  return at >= 0 &&
         content.mid(at + qsizetype(sizeof kStampKey) - 1).trimmed() == Md5Hex(content.left(at));
}

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool SameContent(const QString& path, const QByteArray& content) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) && file.readAll() == content;
}

bool WriteFile(const QString& path, const QByteArray& content) {
  if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
  QSaveFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.flush() &&
         file.commit();
}

void RunIfPresent(const QString& tool, const QString& folder) {
  const QString program = QStandardPaths::findExecutable(tool);
  if (!program.isEmpty()) QProcess::startDetached(program, {folder});
}

#ifdef Q_OS_WIN
void RegisterInClasses(const QString& extension, const QString& typeName) {
  QSettings classes(QStringLiteral("HKEY_CURRENT_USER\\Software\\Classes"),
                    QSettings::NativeFormat);
  const QString program = QDir::toNativeSeparators(QCoreApplication::applicationFilePath());
  classes.setValue(extension + QStringLiteral("/Default"), typeName);
  classes.setValue(typeName + QStringLiteral("/DefaultIcon/Default"),
                   program + QStringLiteral(",0"));
  classes.setValue(typeName + QStringLiteral("/shell/Default"), QStringLiteral("open"));
  classes.setValue(typeName + QStringLiteral("/shell/open/Default"), QStringLiteral("&Open"));
  classes.setValue(typeName + QStringLiteral("/shell/open/command/Default"),
                   program + QStringLiteral(" %1"));
}
#endif

}  // namespace

QList<AssociationFile> UserAssociationFiles(const QString& programPath) {
  QByteArray entry = Resource(Id() + QStringLiteral(".desktop"));
  entry.replace("Exec=quirevale %f", "Exec=" + ExecArgument(programPath).toUtf8() + " %f");
  return {{QStringLiteral("applications/") + Id() + QStringLiteral(".desktop"), Stamped(entry)},
          {QStringLiteral("mime/packages/") + Id() + QStringLiteral(".xml"),
           Resource(Id() + QStringLiteral(".xml"))},
          {QStringLiteral("icons/hicolor/scalable/apps/") + Id() + QStringLiteral(".svg"),
           Resource(Id() + QStringLiteral(".svg"))}};
}

QStringList WriteUserAssociation(const QString& dataHome, const QString& programPath) {
  QStringList written;
  for (const AssociationFile& file : UserAssociationFiles(programPath)) {
    const QString path = dataHome + u'/' + file.Path;
    if (file.Content.isEmpty() || SameContent(path, file.Content)) continue;
    // A desktop entry the person changed (or not the program's) is theirs.
    if (path.endsWith(QStringLiteral(".desktop")) && QFileInfo::exists(path) &&
        !IsOwnEntry(ReadFile(path)))
      continue;
    if (!WriteFile(path, file.Content)) continue;
    written << path;
  }
  return written;
}

bool InstalledSystemWide() {
  const QString entry = QStringLiteral("applications/") + Id() + QStringLiteral(".desktop");
  const QString own = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  const QStringList found = QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, entry);
  return std::any_of(found.cbegin(), found.cend(),
                     [&](const QString& path) { return !path.startsWith(own + u'/'); });
}

void RegisterFileType(const QString& extension, const QString& typeName) {
#ifdef Q_OS_WIN
  RegisterInClasses(extension, typeName);
#else
  // Only the album file type exists on the desktop side; the names are fixed
  // by the files the program ships.
  Q_UNUSED(extension);
  Q_UNUSED(typeName);
  // Tests run in test mode and must never touch the user's real desktop.
  if (QStandardPaths::isTestModeEnabled() || InstalledSystemWide()) return;
  const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  if (dataHome.isEmpty()) return;
  const QStringList written =
      WriteUserAssociation(dataHome, QCoreApplication::applicationFilePath());
  // The databases are refreshed in the background: start-up does not wait.
  const auto wrote = [&](const char* folder) {
    return std::any_of(written.cbegin(), written.cend(), [&](const QString& path) {
      return path.startsWith(dataHome + u'/' + QLatin1String(folder));
    });
  };
  if (wrote("mime/")) RunIfPresent(QStringLiteral("update-mime-database"), dataHome + "/mime");
  if (wrote("applications/"))
    RunIfPresent(QStringLiteral("update-desktop-database"), dataHome + "/applications");
#endif
}
