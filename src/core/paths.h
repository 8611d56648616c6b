#pragma once
// Path rules for names stored in album files.
//
// Stored names may use "\" or "/"; both separate. Results always use "/".
// A path is absolute when it starts with "/" or "\", or has a drive letter and
// ":" as its first two characters. Drive-letter paths compare without regard to
// case (they come from Windows); POSIX paths compare exactly.
//
// The functions are pure: the file system is reached only through a
// PathContext, so Windows examples can be tested on any machine.

#include <QString>
#include <QStringList>
#include <functional>

struct PathContext {
  std::function<bool(const QString&)> dirExists;
  QString currentDir;  // for expanding relative results; "/" separated
};

// The real file system and the process's current directory.
PathContext RealPathContext();

bool IsAbsolutePath(const QString& path);
// Every "\" turned into "/".
QString NormalizeSeparators(const QString& path);
// Everything up to and including the last separator (or the drive's ":");
// empty when none.
QString FolderPart(const QString& path);
// The name after the folder part.
QString NamePart(const QString& path);
// "." and ".." resolved, a relative path taken against ctx.currentDir.
QString ExpandPath(const QString& path, const PathContext& ctx);
// Equality with the case rule above.
bool SamePath(const QString& a, const QString& b);
// Whether two full paths name one file on disk: equal by SamePath, or one
// file reached under two names (a symbolic or hard link, "." and "..", letter
// case on a file system that ignores it). This one reads the file system.
bool SameFile(const QString& a, const QString& b);
// Whether list holds a path SamePath finds equal to path; removing all such.
bool ContainsPath(const QStringList& list, const QString& path);
void RemovePath(QStringList& list, const QString& path);

// The full path of a file named relative to a data file and its image folder.
QString ResolvePath(const QString& base, const QString& folder, const QString& name,
                    const PathContext& ctx = RealPathContext());

// The inverse of ResolvePath used when writing: fileName relative to the image
// folder of dataFile (itself relative to mainDataFile). A file on another root
// (another drive, or a drive path against a POSIX one) stays absolute.
QString MakeRelativePath(const QString& mainDataFile, const QString& dataFile,
                         const QString& folder, const QString& fileName,
                         const PathContext& ctx = RealPathContext());

// The extension with its dot, upper-cased ("clip.mpeg" gives ".MPEG"); empty
// when the name part has no dot.
QString FileExtUpper(const QString& fileName);
bool IsVideoFile(const QString& fileName);
