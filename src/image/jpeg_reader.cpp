#include "jpeg_reader.h"

#include <QBuffer>
#include <QFile>
#include <QIODevice>
#include <array>
#include <cstring>
#include <memory>

#include "exif_orientation.h"
#include "jpeg_common.h"
#include "jpeg_split_decode.h"

#include <jerror.h>

namespace {

constexpr std::size_t InputChunk = std::size_t{64} * 1024;
// Files worth a look for the two-thread decode, and how much of one the look
// reads: the header with its EXIF block.
constexpr qint64 SplitFileBytes = qint64{256} * 1024;
constexpr qint64 SplitHeadBytes = qint64{256} * 1024;
// The two-thread decode holds the whole file in memory; a larger one (no
// photo within the pixel limit is near it, a file padded with junk may be)
// is read in chunks on one thread.
constexpr qint64 SplitMaxFileBytes = qint64{256} * 1024 * 1024;

// Reads the device in chunks, so a progressive file whose first scans are
// enough is never read to its end.
struct DeviceSource {
  jpeg_source_mgr pub;
  QIODevice* device;
  std::array<JOCTET, InputChunk> buffer;
};

void InitSource(j_decompress_ptr) {}

boolean FillInputBuffer(j_decompress_ptr cinfo) {
  auto* source = reinterpret_cast<DeviceSource*>(cinfo->src);
  qint64 got = source->device->read(reinterpret_cast<char*>(source->buffer.data()),
                                    static_cast<qint64>(source->buffer.size()));
  if (got <= 0) {
    // The data ended early: warn and end the image where it stands.
    WARNMS(cinfo, JWRN_JPEG_EOF);
    source->buffer[0] = 0xFF;
    source->buffer[1] = JPEG_EOI;
    got = 2;
  }
  source->pub.next_input_byte = source->buffer.data();
  source->pub.bytes_in_buffer = static_cast<std::size_t>(got);
  return TRUE;
}

void SkipInputData(j_decompress_ptr cinfo, long count) {
  if (count <= 0) return;
  auto* source = reinterpret_cast<DeviceSource*>(cinfo->src);
  auto bytes = static_cast<std::size_t>(count);
  if (bytes <= source->pub.bytes_in_buffer) {
    source->pub.next_input_byte += bytes;
    source->pub.bytes_in_buffer -= bytes;
    return;
  }
  bytes -= source->pub.bytes_in_buffer;
  source->pub.bytes_in_buffer = 0;
  QIODevice* device = source->device;
  if (!device->isSequential()) {
    device->seek(device->pos() + static_cast<qint64>(bytes));
  } else {
    while (bytes > 0) {
      const qint64 skipped = device->skip(static_cast<qint64>(bytes));
      if (skipped <= 0) break;
      bytes -= static_cast<std::size_t>(skipped);
    }
  }
}

void TermSource(j_decompress_ptr) {}

// Everything one decode needs. It lives in ReadJpeg's frame, outside the
// setjmp/longjmp pair, so no C++ destructor is ever skipped by a jump.
struct DecodeState {
  jpeg_decompress_struct cinfo;
  JpegErrorManager errors;
  DeviceSource source;
  const JpegMinimumSize* minimumSize = nullptr;
  const JpegLimits* limits = nullptr;
  JpegPicture* result = nullptr;
  bool created = false;
  JOCTET* icc = nullptr;  // malloc'd by libjpeg; ReadJpeg frees it
  unsigned int iccLength = 0;
};

bool AllComponentsHaveDc(const jpeg_decompress_struct& cinfo) {
  if (cinfo.coef_bits == nullptr) return false;
  for (int c = 0; c < cinfo.num_components; ++c) {
    if (cinfo.coef_bits[c][0] < 0) return false;
  }
  return true;
}

// Reads the coefficients of a multi-scan file and returns the scan to show.
// At 1/8 scale only the DC coefficients count, and a progressive file sends
// them first: reading stops at the first AC scan once every component has
// its DC, which skips nearly all of the file.
int ConsumeScans(DecodeState& s, bool dcOnly) {
  jpeg_decompress_struct& cinfo = s.cinfo;
  for (;;) {
    const int status = jpeg_consume_input(&cinfo);
    if (status == JPEG_REACHED_EOI || status == JPEG_SUSPENDED) return cinfo.input_scan_number;
    if (status != JPEG_REACHED_SOS) continue;
    if (cinfo.input_scan_number > s.limits->MaxScans) {
      s.result->Status = JpegStatus::TooManyScans;
      return 0;
    }
    // The scan just begun has not been read: show the one before it.
    if (dcOnly && cinfo.Ss != 0 && AllComponentsHaveDc(cinfo)) return cinfo.input_scan_number - 1;
  }
}

// Adobe writes CMYK inverted; this turns one such row into RGB32 in place.
void CmykRowToRgb(uchar* row, JDIMENSION width) {
  for (JDIMENSION x = 0; x < width; ++x) {
    uchar* p = row + std::size_t{4} * x;
    const int k = p[3];
    const QRgb rgb = qRgb(p[0] * k / 255, p[1] * k / 255, p[2] * k / 255);
    std::memcpy(p, &rgb, sizeof rgb);
  }
}

bool ReadRows(DecodeState& s, bool cmyk) {
  jpeg_decompress_struct& cinfo = s.cinfo;
  QImage& image = s.result->Image;
  while (cinfo.output_scanline < cinfo.output_height) {
    uchar* row = image.scanLine(static_cast<int>(cinfo.output_scanline));
    JSAMPROW rows[1] = {row};
    if (jpeg_read_scanlines(&cinfo, rows, 1) != 1) return false;
    if (cmyk) CmykRowToRgb(row, cinfo.output_width);
  }
  return true;
}

// The whole conversation with libjpeg. No object with a destructor lives in
// this frame, so the jump back from ErrorExit is well defined; the caller
// destroys the decompressor whichever way this returns.
bool Decode(DecodeState& s) {
  jpeg_decompress_struct& cinfo = s.cinfo;
  UseQuietErrors(cinfo, s.errors);
  if (setjmp(s.errors.jump) != 0) return false;

  jpeg_create_decompress(&cinfo);
  s.created = true;
  cinfo.mem->max_memory_to_use = static_cast<long>(s.limits->MaxMemory);
  s.source.pub.init_source = InitSource;
  s.source.pub.fill_input_buffer = FillInputBuffer;
  s.source.pub.skip_input_data = SkipInputData;
  s.source.pub.resync_to_restart = jpeg_resync_to_restart;
  s.source.pub.term_source = TermSource;
  cinfo.src = &s.source.pub;
  SaveJpegMarkers(cinfo);
  if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK) return false;
  jpeg_read_icc_profile(&cinfo, &s.icc, &s.iccLength);

  const qint64 pixels = static_cast<qint64>(cinfo.image_width) * cinfo.image_height;
  if (pixels > s.limits->MaxPixels) {
    s.result->Status = JpegStatus::TooManyPixels;
    return false;
  }
  const int orientation = JpegOrientation(cinfo);
  s.result->Orientation = orientation;
  const QSize stored(static_cast<int>(cinfo.image_width), static_cast<int>(cinfo.image_height));
  s.result->FullSize = UprightSize(stored, orientation);
  QSize needed = stored;
  if (*s.minimumSize) needed = UprightSize((*s.minimumSize)(s.result->FullSize), orientation);

  const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  if (cmyk) {
    cinfo.out_color_space = JCS_CMYK;
  } else {
    cinfo.out_color_space = JpegRgb32Space();
  }
  ChooseJpegScale(cinfo, needed);
  const bool multiScan = jpeg_has_multiple_scans(&cinfo) != 0;
  const bool dcOnly = multiScan && cinfo.scale_num == 1;
  if (multiScan) {
    // Buffered-image mode lets us choose how many scans to read.
    cinfo.buffered_image = TRUE;
    if (dcOnly) cinfo.do_block_smoothing = FALSE;
  }

  // Allocates libjpeg's buffers: this is where MaxMemory refuses a file.
  if (!jpeg_start_decompress(&cinfo)) return false;
  s.result->Image = QImage(static_cast<int>(cinfo.output_width),
                           static_cast<int>(cinfo.output_height), QImage::Format_RGB32);
  if (s.result->Image.isNull()) return false;

  if (!multiScan) return ReadRows(s, cmyk);
  const int scan = ConsumeScans(s, dcOnly);
  if (scan < 1) return false;
  if (!jpeg_start_output(&cinfo, scan)) return false;
  return ReadRows(s, cmyk);
}

}  // namespace

JpegPicture ReadJpeg(QIODevice& device, const JpegMinimumSize& minimumSize,
                     const JpegLimits& limits, JpegThreads threads) {
  // A large baseline photo decodes faster on two threads, from the whole
  // file in memory; the header decides before the rest is read.
  if (threads == JpegThreads::Two && !device.isSequential() &&
      device.size() - device.pos() >= SplitFileBytes &&
      device.size() - device.pos() <= SplitMaxFileBytes &&
      JpegWorthSplitting(device.peek(SplitHeadBytes), minimumSize, limits)) {
    QByteArray file = device.readAll();
    if (std::optional<JpegPicture> picture = ReadJpegSplit(file, minimumSize, limits)) {
      return *std::move(picture);
    }
    QBuffer buffer(&file);
    buffer.open(QIODevice::ReadOnly);
    return ReadJpeg(buffer, minimumSize, limits);
  }
  JpegPicture result;
  auto state = std::make_unique<DecodeState>();  // the input buffer is large
  std::memset(&state->cinfo, 0, sizeof state->cinfo);
  std::memset(&state->errors, 0, sizeof state->errors);
  std::memset(&state->source.pub, 0, sizeof state->source.pub);
  state->source.device = &device;
  state->minimumSize = &minimumSize;
  state->limits = &limits;
  state->result = &result;

  const bool ok = Decode(*state);
  const int lastError = state->errors.pub.msg_code;
  if (state->created) jpeg_destroy_decompress(&state->cinfo);
  SetJpegColorSpace(result.Image, state->icc, state->iccLength);
  if (!ok) {
    result.Image = QImage();
    if (lastError == JERR_NO_BACKING_STORE || lastError == JERR_OUT_OF_MEMORY) {
      result.Status = JpegStatus::TooMuchMemory;
    }
    return result;
  }
  result.Status = JpegStatus::Ok;
  result.Image = ApplyExifOrientation(result.Image, result.Orientation);
  return result;
}

JpegPicture ReadJpegFile(const QString& fileName, const JpegMinimumSize& minimumSize,
                         const JpegLimits& limits, JpegThreads threads) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return ReadJpeg(file, minimumSize, limits, threads);
}
