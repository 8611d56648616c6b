#pragma once
// Every message the program shows, as key "=" text lines: the built-in English
// table, overridable by a language file. A key with no entry yields "".

#include <QString>
#include <QStringList>

extern QStringList MessageTable;

// Empties the table and fills it with the built-in English entries, in order.
void FillDefaultMessages();

// The text of key by the key=value lookup rule; "" when the table lacks it.
QString Msg(const QString& key);

// Replaces the text of key's first entry in place; an unknown key is not added.
void SetMsg(const QString& key, const QString& text);
