#include "avi_writer.h"

namespace {

void Put32(QByteArray& out, quint32 value) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}
void Put16(QByteArray& out, quint16 value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>(value >> 8);
}

// A chunk: id, size, data, padded to an even length.
QByteArray Chunk(const char* id, const QByteArray& data) {
  QByteArray out(id, 4);
  Put32(out, static_cast<quint32>(data.size()));
  out += data;
  if (data.size() % 2) out += '\0';
  return out;
}

QByteArray List(const char* type, const QByteArray& content) {
  return Chunk("LIST", QByteArray(type, 4) + content);
}

}  // namespace

QByteArray EncodeMjpegAvi(const QList<QByteArray>& frames, int width, int height, int fps) {
  quint32 largest = 0;
  for (const QByteArray& f : frames) largest = qMax(largest, static_cast<quint32>(f.size()));
  const auto count = static_cast<quint32>(frames.size());

  QByteArray avih;
  Put32(avih, 1000000u / static_cast<quint32>(fps));  // microseconds a frame
  Put32(avih, largest * static_cast<quint32>(fps));   // bytes a second at most
  Put32(avih, 0);                                     // padding granularity
  Put32(avih, 0x10);                                  // has an index
  Put32(avih, count);
  Put32(avih, 0);  // initial frames
  Put32(avih, 1);  // streams
  Put32(avih, largest);
  Put32(avih, static_cast<quint32>(width));
  Put32(avih, static_cast<quint32>(height));
  for (int i = 0; i < 4; ++i) Put32(avih, 0);

  QByteArray strh("vidsMJPG", 8);
  Put32(strh, 0);  // flags
  Put16(strh, 0);  // priority
  Put16(strh, 0);  // language
  Put32(strh, 0);  // initial frames
  Put32(strh, 1);  // scale
  Put32(strh, static_cast<quint32>(fps));
  Put32(strh, 0);  // start
  Put32(strh, count);
  Put32(strh, largest);
  Put32(strh, 0xFFFFFFFFu);  // default quality
  Put32(strh, 0);            // sample size: varies
  Put16(strh, 0);
  Put16(strh, 0);
  Put16(strh, static_cast<quint16>(width));
  Put16(strh, static_cast<quint16>(height));

  QByteArray strf;
  Put32(strf, 40);
  Put32(strf, static_cast<quint32>(width));
  Put32(strf, static_cast<quint32>(height));
  Put16(strf, 1);   // planes
  Put16(strf, 24);  // bits a pixel
  strf += QByteArray("MJPG", 4);
  Put32(strf, static_cast<quint32>(width * height * 3));
  for (int i = 0; i < 4; ++i) Put32(strf, 0);

  const QByteArray hdrl =
      List("hdrl", Chunk("avih", avih) + List("strl", Chunk("strh", strh) + Chunk("strf", strf)));

  QByteArray movi;
  QByteArray index;
  for (const QByteArray& frame : frames) {
    // Offsets count from the "movi" type word.
    const auto offset = static_cast<quint32>(4 + movi.size());
    movi += Chunk("00dc", frame);
    index += QByteArray("00dc", 4);
    Put32(index, 0x10);  // a key frame
    Put32(index, offset);
    Put32(index, static_cast<quint32>(frame.size()));
  }
  const QByteArray body = hdrl + List("movi", movi) + Chunk("idx1", index);
  QByteArray out("RIFF", 4);
  Put32(out, static_cast<quint32>(4 + body.size()));
  out += QByteArray("AVI ", 4);
  out += body;
  return out;
}
