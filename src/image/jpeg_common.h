#pragma once
// What every libjpeg decompressor of jpeg_reader.h shares: the quiet error
// manager, the choice of scale and the EXIF orientation.

#include <QImage>
#include <QSize>
#include <csetjmp>
#include <cstdio>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

// libjpeg reports fatal errors through error_exit, which by default prints
// and exits. Ours jumps back to the setjmp in `jump`; warnings are counted.
struct JpegErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
};

// Points cinfo at the manager; the caller still has to setjmp.
void UseQuietErrors(jpeg_decompress_struct& cinfo, JpegErrorManager& errors);

// Picks the smallest scale n/8 whose output covers the stored-orientation
// size needed; leaves the output dimensions calculated.
void ChooseJpegScale(jpeg_decompress_struct& cinfo, QSize needed);

// The EXIF orientation among the saved APP1 markers (1 without one).
int JpegOrientation(const jpeg_decompress_struct& cinfo);

// Saves the markers the readers look at: APP1 (EXIF) and APP2 (ICC).
void SaveJpegMarkers(jpeg_decompress_struct& cinfo);

// The ICC profile libjpeg assembled from the APP2 markers (data from
// jpeg_read_icc_profile, may be null), set as image's colour space when Qt
// understands it; frees data.
void SetJpegColorSpace(QImage& image, JOCTET* data, unsigned int length);

// The output colour space that gives QImage::Format_RGB32's bytes.
J_COLOR_SPACE JpegRgb32Space();
