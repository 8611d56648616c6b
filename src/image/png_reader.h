#pragma once
// PNG reading for the program's own bitmaps and the thumbnail cache.

#include <QImage>
#include <QString>

// Reads a PNG file as PNG only (null when it is not one): left to guess the
// kind, Qt loads every image plugin it has, which start-up feels.
QImage ReadPng(const QString& path);
