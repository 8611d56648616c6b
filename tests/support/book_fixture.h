#pragma once
// A book in an 800 x 600 window with the recording stand-in for the main
// window, plain colours (no textures) and a small album made in memory.

#include <gtest/gtest.h>

#include <QImage>

#include "book/book.h"
#include "core/open_album.h"
#include "core/progress.h"
#include "init/profile.h"
#include "init/program_settings.h"
#include "support/recording_window.h"

// Chapters 0.. with counts[k] images of file (by default missing files of
// their own), names "Chapter k" and titles "Album", "Title k".
void MakeChapters(AlbumModel& model, const std::vector<int>& counts, const QString& file = {});

class BookTest : public ::testing::Test {
 protected:
  OpenAlbum album;
  AlbumModel& model = album.Model;
  ViewState& view = album.View;
  AlbumThumbnails& thumbs = album.Thumbs;
  AlbumLook look;
  ProgramSettings settings;
  RecordingWindow window;
  BookView book{album, window, look, settings};

  void SetUp() override {
    SetDefaultProfile(look);
    look.CoverTexture.clear();
    look.PageTexture.clear();
    look.RowCount = 3;
    look.ColumnCount = 4;
    LayOutIn(window, book);
    window.PositionWindow();
    window.PositionCalls = 0;
  }

  // Placing the window lays the book out at the window's size.
  static void LayOutIn(RecordingWindow& window, BookView& book) {
    window.OnPosition = [&window, &book] {
      book.SetWindowSize(window.Size);
      book.RebuildPages();
    };
  }

  // counts[k] images in chapter k (its thumbnails made and loaded: small
  // opaque pictures); chapter names "Chapter k".
  void MakeAlbum(const std::vector<int>& counts);

  static QColor Pixel(const BookPage& page, int x, int y) { return page.Image.pixelColor(x, y); }
  static QColor Color(LookColor c) { return ToQColor(c); }
};
