#include "jpeg_test_files.h"

#include <QRandomGenerator>
#include <cstdlib>

#include <jpeglib.h>

namespace {

// "Exif\0\0" and a TIFF block whose first directory holds only the orientation tag.
QByteArray ExifBlock(int orientation, bool littleEndian) {
  QByteArray block("Exif\0\0", 6);
  auto put16 = [&](int v) {
    const char lo = static_cast<char>(v & 0xFF), hi = static_cast<char>((v >> 8) & 0xFF);
    block.append(littleEndian ? lo : hi).append(littleEndian ? hi : lo);
  };
  auto put32 = [&](int v) {
    put16(littleEndian ? v & 0xFFFF : v >> 16);
    put16(littleEndian ? v >> 16 : v & 0xFFFF);
  };
  block.append(littleEndian ? "II" : "MM");
  put16(42);
  put32(8);       // first directory right after the header
  put16(1);       // one entry
  put16(0x0112);  // Orientation
  put16(3);       // SHORT
  put32(1);       // one value
  put16(orientation);
  put16(0);  // value padding
  put32(0);  // no next directory
  return block;
}

}  // namespace

QImage Filled(int width, int height, QColor color) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(color);
  return image;
}

QImage Grainy(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  QRandomGenerator random(7);
  for (int y = 0; y < height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      const int grain = static_cast<int>(random.bounded(33)) - 16;
      line[x] = qRgb(qBound(0, x * 255 / width + grain, 255),
                     qBound(0, y * 255 / height + grain, 255), qBound(0, 128 + grain, 255));
    }
  }
  return image;
}

double MeanDifference(const QImage& a, const QImage& b) {
  double sum = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
             std::abs(qBlue(p) - qBlue(q));
    }
  return sum / (3.0 * a.width() * a.height());
}

QByteArray EncodeJpeg(const QImage& image, const JpegOptions& options) {
  // CMYK without black ink: inverted C, M, Y are the red, green, blue values.
  const QImage rgb =
      image.convertToFormat(options.Cmyk ? QImage::Format_RGBX8888 : QImage::Format_RGB888);
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr errors{};
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(rgb.width());
  cinfo.image_height = static_cast<JDIMENSION>(rgb.height());
  cinfo.input_components = options.Cmyk ? 4 : 3;
  cinfo.in_color_space = options.Cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, options.Quality, TRUE);
  if (options.Grey) {
    jpeg_set_colorspace(&cinfo, JCS_GRAYSCALE);
  } else if (!options.Cmyk) {
    cinfo.comp_info[0].h_samp_factor = options.LumaH;
    cinfo.comp_info[0].v_samp_factor = options.LumaV;
  }
  cinfo.optimize_coding = options.OptimizedTables ? TRUE : FALSE;
  cinfo.restart_interval = static_cast<unsigned int>(options.RestartInterval);
  if (options.Progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  if (options.ExifOrientation != 0) {
    const QByteArray exif = ExifBlock(options.ExifOrientation, options.LittleEndianExif);
    jpeg_write_marker(&cinfo, JPEG_APP0 + 1, reinterpret_cast<const JOCTET*>(exif.constData()),
                      static_cast<unsigned int>(exif.size()));
  }
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<uchar*>(rgb.constScanLine(static_cast<int>(cinfo.next_scanline)));
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  QByteArray bytes(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
  std::free(buffer);
  return bytes;
}

QByteArray WithClaimedSize(QByteArray jpeg, int width, int height) {
  // Walk the marker segments to the frame header (SOF0..SOF2).
  qsizetype at = 2;
  while (at + 9 < jpeg.size()) {
    const auto marker = static_cast<uchar>(jpeg[at + 1]);
    const int length = (static_cast<uchar>(jpeg[at + 2]) << 8) | static_cast<uchar>(jpeg[at + 3]);
    if (marker >= 0xC0 && marker <= 0xC2) {
      jpeg[at + 5] = static_cast<char>(height >> 8);
      jpeg[at + 6] = static_cast<char>(height & 0xFF);
      jpeg[at + 7] = static_cast<char>(width >> 8);
      jpeg[at + 8] = static_cast<char>(width & 0xFF);
      break;
    }
    at += 2 + length;
  }
  return jpeg;
}
