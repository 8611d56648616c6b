#pragma once
// A short Motion-JPEG clip in an AVI container, for the demo album's video
// entry; desktop players open it.

#include <QByteArray>
#include <QList>

// frames: JPEG files of one size (width x height); fps frames a second.
QByteArray EncodeMjpegAvi(const QList<QByteArray>& frames, int width, int height, int fps);
