#pragma once
// What the program last saw of the files it reads and writes (size and time
// of the last change), so that a file another program changed since then is
// not overwritten without asking.

#include <QDateTime>
#include <QHash>
#include <QString>

class Prompts;

class FileStamps {
 public:
  // Remembers the file as it is on disk now: after it was read or written.
  // A file that does not exist is remembered as missing.
  void Note(const QString& file);
  void Clear() { stamps_.clear(); }
  // Whether the file differs from what was noted of it: its size or time
  // changed, or it appeared. False for a file never noted, and for one that
  // is gone (writing it loses nothing).
  bool Changed(const QString& file) const;

 private:
  struct Stamp {
    bool Exists = false;
    qint64 Size = 0;
    QDateTime Modified;
    bool operator==(const Stamp& other) const {
      return Exists == other.Exists && Size == other.Size && Modified == other.Modified;
    }
  };
  static Stamp StampOf(const QString& file);
  static QString Key(const QString& file);

  QHash<QString, Stamp> stamps_;
};

// Before the program writes file: true when it may. A file changed on disk
// since it was read or written here is named and the user asked whether to
// overwrite it; No keeps the file (and the caller keeps its unsaved changes).
bool MayOverwrite(const FileStamps& stamps, Prompts& ask, const QString& file);
