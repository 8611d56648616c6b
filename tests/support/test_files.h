#pragma once
// Small helpers for tests that read and write files.

#include <QByteArray>
#include <QString>

QByteArray ReadAll(const QString& path);
// Writes bytes to path, making its folder; fails the test on error.
void WriteAll(const QString& path, const QByteArray& bytes);
// A fixture file under tests/data.
QString TestDataPath(const QString& name);
