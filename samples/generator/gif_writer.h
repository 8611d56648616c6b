#pragma once
// Qt reads GIF but cannot write it; the demo album needs one GIF picture.

#include <QByteArray>
#include <QImage>

// A single-frame GIF89a of the image: a fixed 252-colour palette with error
// diffusion, LZW coded with literal codes only (valid, just not small).
QByteArray EncodeGif(const QImage& image);
