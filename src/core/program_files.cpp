#include "program_files.h"

#include <QCoreApplication>
#include <QFileInfo>

QString ProgramDirectory() { return QCoreApplication::applicationDirPath() + u'/'; }

QString ProgramFile(const QString& relative) {
  QString beside = ProgramDirectory() + relative;
  if (QFileInfo::exists(beside)) return beside;
  const QString installed = ProgramDirectory() + QStringLiteral("../share/quirevale/") + relative;
  if (QFileInfo::exists(installed)) return QFileInfo(installed).absoluteFilePath();
  return beside;
}
