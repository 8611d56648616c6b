#pragma once
// The lookup rule shared by every key=value file (album, format, language) and
// by the message table: the first line whose text before its first "=" equals
// the key, without regard to letter case, answers with everything after that
// "=", verbatim.

#include <QString>
#include <QStringList>
#include <optional>

// The value of key, or nothing when no line has the key.
std::optional<QString> FindKeyValue(const QStringList& lines, const QString& key);

// The value of key; the empty string when no line has it.
QString KeyValue(const QStringList& lines, const QString& key);
