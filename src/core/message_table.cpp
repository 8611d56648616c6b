#include "message_table.h"

#include <QCoreApplication>

#include "key_value.h"

namespace {
// The translation context of the messages, so another translator the
// application may have is never asked for them.
constexpr char kContext[] = "Quirevale messages";
}  // namespace

const QStringList& DefaultMessages() {
  static const QStringList table{
      QStringLiteral("AlbumLook=Album look"),
      QStringLiteral("Bookmark=Bookmark"),
      QStringLiteral("CannotOpenFile=Cannot open %1: %2."),
      QStringLiteral("Chapters=Chapters"),
      QStringLiteral("DataFileDamaged=The file %1 is damaged at line %2, column %3. Only the "
                     "entries that are whole were read, and the file is not saved over without "
                     "asking."),
      QStringLiteral("DataModified=Album was modified. Save changes?"),
      QStringLiteral("DefaultAlbumLook=Default album look"),
      QStringLiteral("DefaultBMColors=Default bookmark colors"),
      QStringLiteral("DefaultIsEnglish=Default language is english"),
      QStringLiteral("DeleteImages=Remove selected images from the album?"),
      QStringLiteral("ErrorReadingFile=Error reading file"),
      QStringLiteral("ErrorWritingFile=Error writing file"),
      QStringLiteral("FileAlreadyIncluded=This file is already included in the album!"),
      QStringLiteral("FileChangedOnDisk=The file %1 was changed by another program since it was "
                     "opened. Overwrite it with your changes?"),
      QStringLiteral("FileIsFolder=it is a folder"),
      QStringLiteral("FileKindUnknown=only album (.ALB), album format (.AFM) and album data (.XML) "
                     "files open"),
      QStringLiteral("FileNotFound=there is no such file"),
      QStringLiteral("FileNotReadable=it may not be read"),
      QStringLiteral("FormatModified=Album format was modified. Save changes?"),
      QStringLiteral("LinkSkipped=Left out a second link to a file already in the album:"),
      QStringLiteral("LoadingFile=Opening file"),
      QStringLiteral("LoadingThumbs=Loading thumbnails..."),
      QStringLiteral("NoPreview=No preview available"),
      QStringLiteral("OpenAlbum=Open album file"),
      QStringLiteral("OverwriteDamaged=The file %1 was read only in part. Save over it anyway? "
                     "The original is kept beside it as %2."),
      QStringLiteral("PageNr=Page"),
      QStringLiteral("PicModified=Image details were modified. Save changes?"),
      QStringLiteral("Reload?=Reload file from the disk?"),
      QStringLiteral("RequiresRestart=This change takes effect only after restarting the program"),
      QStringLiteral("StartingApplication=Starting the application..."),
      QStringLiteral("Step1=Step 1. Select title and filename for the new album."),
      QStringLiteral("Step2=Step 2. Select format of the new album."),
      QStringLiteral("Step3=Step 3. "),
      QStringLiteral("UnknownImageFormat=Unknown image format"),
      // Counts stand after a colon, where one reads as well as many.
      QStringLiteral("MissingFound=Missing pictures found: %1. Still missing: %2."),
      QStringLiteral("MissingPhotos=Pictures of this album not where the album says: %1. Look for "
                     "them in another folder?"),
  };
  return table;
}

QString Msg(const QString& key) {
  const std::optional<QString> english = FindKeyValue(DefaultMessages(), key);
  if (!english) return QString();
  // The English text is what Qt answers when no installed language has one.
  return QCoreApplication::translate(kContext, english->toUtf8().constData(),
                                     key.toUtf8().constData());
}

QString LanguageMessages::translate(const char* context, const char*, const char* disambiguation,
                                    int) const {
  if (disambiguation == nullptr || qstrcmp(context, kContext) != 0) return QString();
  const QString text = KeyValue(lines_, QString::fromUtf8(disambiguation));
  return text.isEmpty() ? QString() : text;
}
