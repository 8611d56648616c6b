#include "jpeg_split_decode.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <utility>
#include <vector>

#include "exif_orientation.h"
#include "jpeg_common.h"
#include "jpeg_split.h"

namespace {

// Smaller pictures decode quickly enough on one thread.
constexpr qint64 MinimumPixels = 2'000'000;
constexpr int MinimumMcuRows = 8;
// The share of MCU rows the calling thread decodes: the other thread first
// scans them, which costs a fraction of decoding them.
constexpr double TopShare = 0.59;

// One decompressor, made and destroyed outside the functions that setjmp.
struct Half {
  jpeg_decompress_struct cinfo;
  JpegErrorManager errors;
  bool created = false;
  JOCTET* icc = nullptr;  // the top half's ICC profile, malloc'd by libjpeg
  unsigned int iccLength = 0;

  Half() {
    std::memset(&cinfo, 0, sizeof cinfo);
    std::memset(&errors, 0, sizeof errors);
  }
  ~Half() {
    if (created) jpeg_destroy_decompress(&cinfo);
    std::free(icc);
  }
  Half(const Half&) = delete;
  Half& operator=(const Half&) = delete;
};

// The functions that setjmp hold nothing with a destructor, so the jump
// back from an error is well defined.
bool Open(Half& half, const QByteArray& bytes, const JpegLimits& limits) {
  UseQuietErrors(half.cinfo, half.errors);
  if (setjmp(half.errors.jump) != 0) return false;
  jpeg_create_decompress(&half.cinfo);
  half.created = true;
  half.cinfo.mem->max_memory_to_use = static_cast<long>(limits.MaxMemory);
  jpeg_mem_src(&half.cinfo, reinterpret_cast<const unsigned char*>(bytes.constData()),
               static_cast<unsigned long>(bytes.size()));
  SaveJpegMarkers(half.cinfo);
  if (jpeg_read_header(&half.cinfo, TRUE) != JPEG_HEADER_OK) return false;
  if (half.icc == nullptr) jpeg_read_icc_profile(&half.cinfo, &half.icc, &half.iccLength);
  return static_cast<qint64>(half.cinfo.image_width) * half.cinfo.image_height <= limits.MaxPixels;
}

// scaleNum 0 picks the scale for needed.
bool SetScale(Half& half, QSize needed, unsigned int scaleNum) {
  if (setjmp(half.errors.jump) != 0) return false;
  half.cinfo.out_color_space = JpegRgb32Space();
  if (scaleNum == 0) {
    ChooseJpegScale(half.cinfo, needed);
  } else {
    half.cinfo.scale_num = scaleNum;
    half.cinfo.scale_denom = 8;
    jpeg_calc_output_dimensions(&half.cinfo);
  }
  return true;
}

// The rows a half decodes after those it skips: known from the start, or
// at least AtLeast until the other thread settles the number.
struct RowCount {
  const std::atomic<int>* Settled = nullptr;  // -1 until settled
  int AtLeast = 0;
};

// Decodes `skip` rows into scratch, then rows into the rows from `to` on;
// stops early when stop is set.
bool ReadRows(Half& half, uchar* scratch, int skip, uchar* to, qsizetype bytesPerLine,
              const RowCount& count, const std::atomic<bool>& stop) {
  jpeg_decompress_struct& cinfo = half.cinfo;
  if (setjmp(half.errors.jump) != 0) return false;
  if (!jpeg_start_decompress(&cinfo)) return false;
  for (int i = 0;;) {
    if (stop.load(std::memory_order_relaxed)) return false;
    int end = skip + count.AtLeast;
    if (i >= end) {
      int settled = count.Settled->load(std::memory_order_acquire);
      for (; settled < 0; settled = count.Settled->load(std::memory_order_acquire)) {
        if (stop.load(std::memory_order_relaxed)) return false;
        std::this_thread::yield();
      }
      end = skip + settled;
      if (i >= end) break;
    }
    // Several rows a call, never past the skipped ones or the end.
    std::array<JSAMPROW, 16> rows{};
    const int n = std::min({end - i, 16, i < skip ? skip - i : 16});
    for (int r = 0; r < n; ++r) rows[r] = i < skip ? scratch : to + (i + r - skip) * bytesPerLine;
    const auto read =
        static_cast<int>(jpeg_read_scanlines(&cinfo, rows.data(), static_cast<JDIMENSION>(n)));
    if (read <= 0) return false;
    i += read;
  }
  return cinfo.err->num_warnings == 0;
}

// Output rows per MCU row, or 0 when the file does not qualify (see the
// header) at the scale chosen.
int IndependentRows(const jpeg_decompress_struct& c) {
  if (c.progressive_mode || c.arith_code || c.data_precision != 8 || c.restart_interval != 0 ||
      (c.num_components != 1 && c.num_components != 3) || c.comps_in_scan != c.num_components ||
      c.jpeg_color_space == JCS_CMYK || c.jpeg_color_space == JCS_YCCK) {
    return 0;
  }
  for (int i = 0; i < c.num_components; ++i) {
    const jpeg_component_info& component = c.comp_info[i];
    const int h = component.h_samp_factor, v = component.v_samp_factor;
    const bool plain = h == 1 && v == 1;
    if (!(plain || (i == 0 && c.num_components == 3 && h <= 2 && v <= 2))) return 0;
    // Upsampling across rows would need the neighbouring MCU rows.
    if (v * component.DCT_scaled_size != c.max_v_samp_factor * c.min_DCT_scaled_size) return 0;
  }
  return c.max_v_samp_factor * c.min_DCT_scaled_size;
}

JpegHuffmanTable TableOf(const JHUFF_TBL& table) {
  JpegHuffmanTable copy;
  int count = 0;
  for (int n = 0; n <= 16; ++n) {
    copy.Bits[static_cast<std::size_t>(n)] = table.bits[n];
    if (n > 0) count += table.bits[n];
  }
  copy.Values.assign(table.huffval, table.huffval + std::min(count, 256));
  return copy;
}

std::optional<JpegScanLayout> LayoutOf(const jpeg_decompress_struct& c) {
  JpegScanLayout layout;
  for (int i = 0; i < c.comps_in_scan; ++i) {
    const jpeg_component_info& component = *c.cur_comp_info[i];
    // libjpeg checks the scan's table numbers only when it starts decoding.
    if (component.dc_tbl_no < 0 || component.dc_tbl_no >= NUM_HUFF_TBLS ||
        component.ac_tbl_no < 0 || component.ac_tbl_no >= NUM_HUFF_TBLS) {
      return std::nullopt;
    }
    const JHUFF_TBL* dc = c.dc_huff_tbl_ptrs[component.dc_tbl_no];
    const JHUFF_TBL* ac = c.ac_huff_tbl_ptrs[component.ac_tbl_no];
    if (dc == nullptr || ac == nullptr) return std::nullopt;
    const int blocks = c.comps_in_scan > 1 ? component.h_samp_factor * component.v_samp_factor : 1;
    layout.Components.push_back({blocks, TableOf(*dc), TableOf(*ac)});
  }
  const int mcuWidth = 8 * c.max_h_samp_factor;
  layout.McuHeight = 8 * c.max_v_samp_factor;
  layout.Height = static_cast<int>(c.image_height);
  layout.McusPerRow = static_cast<int>((c.image_width + mcuWidth - 1) / mcuWidth);
  layout.McuRows = static_cast<int>((c.image_height + layout.McuHeight - 1) / layout.McuHeight);
  return layout;
}

bool LargeEnough(const jpeg_decompress_struct& c, const JpegScanLayout& layout) {
  return static_cast<qint64>(c.image_width) * c.image_height >= MinimumPixels &&
         layout.McuRows >= MinimumMcuRows;
}

// Opens the file, reads its header and picks the scale; the layout when the
// file qualifies.
std::optional<JpegScanLayout> Prepare(Half& half, const QByteArray& bytes,
                                      const JpegMinimumSize& minimumSize, const JpegLimits& limits,
                                      JpegPicture& picture) {
  if (!Open(half, bytes, limits)) return std::nullopt;
  picture.Orientation = JpegOrientation(half.cinfo);
  const QSize stored(static_cast<int>(half.cinfo.image_width),
                     static_cast<int>(half.cinfo.image_height));
  picture.FullSize = UprightSize(stored, picture.Orientation);
  QSize needed = stored;
  if (minimumSize) needed = UprightSize(minimumSize(picture.FullSize), picture.Orientation);
  if (!SetScale(half, needed, 0) || IndependentRows(half.cinfo) == 0) return std::nullopt;
  return LayoutOf(half.cinfo);
}

// What the second thread needs.
struct BottomJob {
  const QByteArray* File = nullptr;
  const JpegLimits* Limits = nullptr;
  JpegScanLayout Layout;
  JpegFrameOffsets Offsets;
  int FirstRow = 0;  // the MCU rows to split at, the last one preferred
  int LastRow = 0;
  unsigned int ScaleNum = 8;
  int RowsPerMcuRow = 0;  // output rows
  uchar* Bits = nullptr;  // the shared picture's first row
  qsizetype BytesPerLine = 0;
  int Width = 0;
  int Height = 0;
  std::atomic<int> TopRows{-1};  // the rows the calling thread decodes, once settled
  std::atomic<bool> Failed{false};
  int SplitBit = -1;
};

bool DecodeBottom(BottomJob& job) {
  const std::vector<JpegSplitPoint> points =
      ScanToMcuRows(*job.File, job.Offsets.Data, job.Layout, job.FirstRow, job.LastRow);
  QByteArray stream;
  auto point = points.rbegin();
  for (; point != points.rend() && stream.isEmpty() && !job.Failed.load(); ++point) {
    stream = SecondStream(*job.File, job.Offsets, job.Layout, *point);
    if (!stream.isEmpty()) break;
  }
  if (stream.isEmpty()) return false;
  job.SplitBit = point->Bit;
  const int first = point->Row * job.RowsPerMcuRow;
  job.TopRows.store(first, std::memory_order_release);
  Half half;
  if (!Open(half, stream, *job.Limits) || !SetScale(half, QSize(), job.ScaleNum)) return false;
  if (static_cast<int>(half.cinfo.output_width) != job.Width ||
      static_cast<int>(half.cinfo.output_height) != job.Height - first + job.RowsPerMcuRow) {
    return false;
  }
  std::vector<uchar> scratch(static_cast<std::size_t>(job.BytesPerLine));
  const std::atomic<int> rows{job.Height - first};
  return ReadRows(half, scratch.data(), job.RowsPerMcuRow, job.Bits + first * job.BytesPerLine,
                  job.BytesPerLine, {&rows, job.Height - first}, job.Failed);
}

}  // namespace

std::optional<JpegPicture> ReadJpegSplit(const QByteArray& file, const JpegMinimumSize& minimumSize,
                                         const JpegLimits& limits, int row, int* splitBit) {
  if (splitBit != nullptr) *splitBit = -1;
  Half top;
  JpegPicture picture;
  const std::optional<JpegScanLayout> layout = Prepare(top, file, minimumSize, limits, picture);
  if (!layout) return std::nullopt;
  int firstRow = row;
  if (row == 0) {
    if (!LargeEnough(top.cinfo, *layout)) return std::nullopt;
    // A row nearby serves when the tables make no made-up row for this one.
    row = std::clamp(static_cast<int>(std::lround(layout->McuRows * TopShare)), 1,
                     layout->McuRows - 1);
    firstRow = std::max(1, row - 3);
  }
  const std::optional<JpegFrameOffsets> offsets = FindFrameOffsets(file);
  const auto dataStart = file.size() - static_cast<qsizetype>(top.cinfo.src->bytes_in_buffer);
  const int rowsPerMcuRow = IndependentRows(top.cinfo);
  if (row < 1 || row >= layout->McuRows || !offsets || offsets->Data != dataStart ||
      static_cast<qint64>(row) * rowsPerMcuRow >= top.cinfo.output_height) {
    return std::nullopt;
  }
  QImage image(static_cast<int>(top.cinfo.output_width), static_cast<int>(top.cinfo.output_height),
               QImage::Format_RGB32);
  if (image.isNull()) return std::nullopt;

  BottomJob job;
  job.File = &file;
  job.Limits = &limits;
  job.Layout = *layout;
  job.Offsets = *offsets;
  job.FirstRow = firstRow;
  job.LastRow = row;
  job.ScaleNum = top.cinfo.scale_num;
  job.RowsPerMcuRow = rowsPerMcuRow;
  job.Bits = image.bits();  // taken once: scanLine() would touch the image from both threads
  job.BytesPerLine = image.bytesPerLine();
  job.Width = image.width();
  job.Height = image.height();
  std::thread bottom;
  try {
    bottom = std::thread([&job] {
      // An exception must not leave the thread: that would end the process.
      try {
        if (!DecodeBottom(job)) job.Failed.store(true);
      } catch (...) {
        job.Failed.store(true);
      }
    });
  } catch (const std::system_error&) {
    return std::nullopt;
  }
  if (!ReadRows(top, nullptr, 0, job.Bits, job.BytesPerLine,
                {&job.TopRows, firstRow * rowsPerMcuRow}, job.Failed)) {
    job.Failed.store(true);
  }
  bottom.join();
  if (splitBit != nullptr) *splitBit = job.SplitBit;
  if (job.Failed.load()) return std::nullopt;
  picture.Status = JpegStatus::Ok;
  picture.Image = ApplyExifOrientation(image, picture.Orientation);
  SetJpegColorSpace(picture.Image, std::exchange(top.icc, nullptr), top.iccLength);
  return picture;
}

bool JpegWorthSplitting(const QByteArray& head, const JpegMinimumSize& minimumSize,
                        const JpegLimits& limits) {
  Half half;
  JpegPicture picture;
  const std::optional<JpegScanLayout> layout = Prepare(half, head, minimumSize, limits, picture);
  return layout && LargeEnough(half.cinfo, *layout);
}
