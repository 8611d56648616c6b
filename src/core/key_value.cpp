#include "key_value.h"

std::optional<QString> FindKeyValue(const QStringList& lines, const QString& key) {
  for (const QString& line : lines) {
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0) continue;
    if (QStringView(line).left(eq).compare(key, Qt::CaseInsensitive) == 0) {
      return line.mid(eq + 1);
    }
  }
  return std::nullopt;
}

QString KeyValue(const QStringList& lines, const QString& key) {
  return FindKeyValue(lines, key).value_or(QString());
}
