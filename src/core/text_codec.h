#pragma once
// Qt-side text conversion over the shared code-page tables of the XML toolkit.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "xml/codepages.h"

// Single-byte (or UTF-8) bytes to Unicode.
QString DecodeText(xml::CodePage page, const QByteArray& bytes);

// Unicode to the code page; a character the page lacks becomes `fallback`.
QByteArray EncodeText(xml::CodePage page, const QString& text, char fallback = '?');

// True when every character of text exists in the code page.
bool CanEncodeText(xml::CodePage page, const QString& text);

// Key=value files (album, format, language): UTF-8 when the bytes are valid
// UTF-8, otherwise Windows-1250; a byte-order mark is skipped.
QString DecodeKeyValueText(const QByteArray& bytes);

// The lines of such a file; CR LF, LF and CR alone each end a line, and a
// final line ending does not make an empty last line.
QStringList SplitTextLines(const QString& text);

// Lines written as UTF-8, each ended by CR LF.
QByteArray EncodeKeyValueLines(const QStringList& lines);
