#include "file_stamps.h"

#include <QDir>
#include <QFileInfo>

#include "core/message_table.h"
#include "core/prompts.h"

FileStamps::Stamp FileStamps::StampOf(const QString& file) {
  const QFileInfo info(file);
  if (!info.exists()) return {};
  return {true, info.size(), info.lastModified()};
}

QString FileStamps::Key(const QString& file) {
  return QDir::cleanPath(QFileInfo(file).absoluteFilePath());
}

void FileStamps::Note(const QString& file) {
  if (!file.isEmpty()) stamps_.insert(Key(file), StampOf(file));
}

bool FileStamps::Changed(const QString& file) const {
  if (file.isEmpty()) return false;
  const auto noted = stamps_.constFind(Key(file));
  if (noted == stamps_.cend()) return false;
  const Stamp now = StampOf(file);
  return now.Exists && !(now == *noted);
}

bool MayOverwrite(const FileStamps& stamps, Prompts& ask, const QString& file) {
  if (!stamps.Changed(file)) return true;
  return ask.AskYesNo(Msg(QStringLiteral("FileChangedOnDisk")).arg(QDir::toNativeSeparators(file)));
}
