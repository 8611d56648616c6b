#pragma once
// The photo-like JPEG files the thumbnail benchmark times.

#include <QString>
#include <QStringList>

// Writes count photo-like JPEGs of width x height at quality 90 into dir
// (baseline or progressive) unless they are already there; returns their
// names in order.
QStringList EnsureBenchPhotos(const QString& dir, int count, int width, int height,
                              bool progressive);

// The .jpg and .jpeg files of a folder, split into baseline and progressive.
void ListJpegFiles(const QString& dir, QStringList& baseline, QStringList& progressive);
