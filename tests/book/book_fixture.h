#pragma once
// A book in an 800 x 600 window with a recording stand-in for the main
// window, plain colours (no textures) and a small album made in memory.

#include <gtest/gtest.h>

#include <QImage>

#include "book/book.h"
#include "book/sized_book_window.h"
#include "core/album_model.h"
#include "core/progress.h"
#include "init/profile.h"
#include "init/program_settings.h"

class FakeBookWindow : public SizedBookWindow {
 public:
  FakeBookWindow() : SizedBookWindow({800, 600}) {}
  BookView* book = nullptr;
  QSize size{800, 600};
  int positionCalls = 0;
  int repaintCalls = 0;
  bool toolPanelVisible = false;
  bool menuShown = false;
  bool editMode = false;
  bool resizing = false;

  void PositionWindow() override {
    ++positionCalls;
    book->SetWindowSize(size);
    book->RebuildPages();
  }
  void RepaintWindow() override { ++repaintCalls; }
  void SetToolPanelVisible(bool visible) override { toolPanelVisible = visible; }
  bool IsMenuShown() const override { return menuShown; }
  bool IsEditMode() const override { return editMode; }
  bool IsResizing() const override { return resizing; }
};

class BookTest : public ::testing::Test {
 protected:
  AlbumModel model;
  AlbumLook look;
  ProgramSettings settings;
  FakeBookWindow window;
  BookView book{model, window, look, settings};

  void SetUp() override {
    SetDefaultProfile(look);
    look.CoverTexture.clear();
    look.PageTexture.clear();
    look.RowCount = 3;
    look.ColumnCount = 4;
    window.book = &book;
    window.PositionWindow();
    window.positionCalls = 0;
  }

  // counts[k] images in chapter k (its thumbnails made and loaded: small
  // opaque pictures); chapter names "Chapter k".
  void MakeAlbum(const std::vector<int>& counts);

  static QColor Pixel(const BookPage& page, int x, int y) { return page.Image.pixelColor(x, y); }
  static QColor Color(LookColor c) { return ToQColor(c); }
};
