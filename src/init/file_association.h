#pragma once
// Makes album files (.ALB) open with this program for the current user. On
// Windows: the per-user classes keys; on Linux, for a program that is not
// installed system-wide: a shared-mime-info package and a .desktop entry
// under the user's data folder. Failures are silent: nothing else at
// start-up depends on the association.

#include <QString>

void RegisterFileType(const QString& extension, const QString& typeName);
