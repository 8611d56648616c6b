#include "jpeg_common.h"

#include <QByteArray>
#include <QColorSpace>
#include <QSysInfo>
#include <cstdlib>
#include <cstring>

#include "exif_orientation.h"

namespace {

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
  auto* manager = reinterpret_cast<JpegErrorManager*>(cinfo->err);
  std::longjmp(manager->jump, 1);
}

// Warnings (corrupt data, premature end) are only counted; the picture
// decoded so far is still worth showing.
void EmitMessage(j_common_ptr cinfo, int level) {
  if (level < 0) ++cinfo->err->num_warnings;
}

void OutputMessage(j_common_ptr) {}

}  // namespace

void UseQuietErrors(jpeg_decompress_struct& cinfo, JpegErrorManager& errors) {
  cinfo.err = jpeg_std_error(&errors.pub);
  errors.pub.error_exit = ErrorExit;
  errors.pub.emit_message = EmitMessage;
  errors.pub.output_message = OutputMessage;
}

void ChooseJpegScale(jpeg_decompress_struct& cinfo, QSize needed) {
  cinfo.scale_denom = 8;
  for (unsigned int n = 1; n <= 8; ++n) {
    cinfo.scale_num = n;
    jpeg_calc_output_dimensions(&cinfo);
    if (static_cast<qint64>(cinfo.output_width) >= needed.width() &&
        static_cast<qint64>(cinfo.output_height) >= needed.height()) {
      return;
    }
  }
}

int JpegOrientation(const jpeg_decompress_struct& cinfo) {
  for (jpeg_saved_marker_ptr marker = cinfo.marker_list; marker != nullptr; marker = marker->next) {
    if (marker->marker == JPEG_APP0 + 1 && marker->data_length >= 6 &&
        std::memcmp(marker->data, "Exif\0\0", 6) == 0) {
      return ExifOrientation(marker->data, marker->data_length);
    }
  }
  return 1;
}

J_COLOR_SPACE JpegRgb32Space() {
  // 0xffRRGGBB in native order.
  return QSysInfo::ByteOrder == QSysInfo::LittleEndian ? JCS_EXT_BGRX : JCS_EXT_XRGB;
}

void SaveJpegMarkers(jpeg_decompress_struct& cinfo) {
  jpeg_save_markers(&cinfo, JPEG_APP0 + 1, 0xFFFF);
  jpeg_save_markers(&cinfo, JPEG_APP0 + 2, 0xFFFF);
}

void SetJpegColorSpace(QImage& image, JOCTET* data, unsigned int length) {
  if (data == nullptr) return;
  const QColorSpace space = QColorSpace::fromIccProfile(
      QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(length)));
  std::free(data);
  if (space.isValid()) image.setColorSpace(space);
}
