#pragma once
// Makes album files (.ALB) open with this program for the current user. On
// Windows: the per-user classes keys. Elsewhere, for a program that is not
// installed system-wide: the program's shared-mime-info package, desktop
// entry and icon under the user's data folder, so file managers offer it.
// Failures are silent: nothing else at start-up depends on the association.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The desktop files share one application id, also in the installed copies.
inline constexpr char ApplicationId[] = "org.quirevale.Quirevale";

// Writes the association for the running program and, when anything changed,
// refreshes the MIME and desktop databases where their tools exist.
void RegisterFileType(const QString& extension, const QString& typeName);

struct AssociationFile {
  QString Path;  // relative to the data folder, e.g. "applications/ID.desktop"
  QByteArray Content;
};

// The per-user files for the program at programPath: the desktop entry runs
// that program.
QList<AssociationFile> UserAssociationFiles(const QString& programPath);

// Writes the files whose content differs under dataHome (atomically). Gives
// the paths written; a file that cannot be written is left out.
QStringList WriteUserAssociation(const QString& dataHome, const QString& programPath);

// Whether the desktop entry is installed system-wide (the data folders other
// than the user's own), so no per-user copy is needed.
bool InstalledSystemWide();
