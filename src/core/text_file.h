#pragma once
// Whole key=value text files (album, format, language) in and out. Reading
// decodes UTF-8, else Windows-1250; writing is UTF-8 with CR LF, atomic.

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QString>
#include <QStringList>

#include "core/file_error.h"
#include "core/text_codec.h"

// The file's lines in order, untrimmed, blank lines kept; an empty list when
// the file does not exist. Raises EFileError (Reading) when it exists but
// cannot be read.
inline QStringList ReadTextLines(const QString& fileName) {
  if (fileName.isEmpty() || !QFileInfo::exists(fileName)) return {};
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) RaiseReadingError(fileName);
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) RaiseReadingError(fileName);
  return SplitTextLines(DecodeKeyValueText(bytes));
}

// Replaces the file with the lines, each ended by CR LF, through a temporary
// file: on failure the old file stays whole and EFileError (Writing) is raised.
inline void WriteTextLines(const QString& fileName, const QStringList& lines) {
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly)) RaiseWritingError(fileName);
  const QByteArray bytes = EncodeKeyValueLines(lines);
  // commit() does not see a failure of the final flush and would replace the
  // old file by a cut one, so the flush is checked first.
  if (file.write(bytes) != bytes.size() || !file.flush() || !file.commit())
    RaiseWritingError(fileName);
}
