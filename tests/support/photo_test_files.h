#pragma once
// Photos carrying EXIF, IPTC and XMP details, written for the tests with the
// same metadata library the program reads them with.

#include <QByteArray>
#include <QString>
#include <string>
#include <utility>
#include <vector>

// A small JPEG at path with the given tags ("Exif.Photo.DateTimeOriginal",
// "Iptc.Application2.City", "Xmp.dc.title" = "lang=x-default Title"); an XMP
// value holding '\n' becomes a bag of its lines. xmpPacket, when given,
// replaces the XMP block whole. False when it cannot be written.
bool WritePhoto(const QString& path, const std::vector<std::pair<std::string, std::string>>& tags,
                const char* xmpPacket = nullptr);

// jpeg with one more segment (marker, payload) right after its start: a
// damaged metadata block.
QByteArray WithSegment(const QByteArray& jpeg, int marker, const QByteArray& payload);
