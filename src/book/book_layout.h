#pragma once
// Where the book's parts lie for the window's size, the look and the spread
// on screen: the spine, the pages' size, the thumbnails' box and the bookmark
// tabs. The book lays it out again whenever one of those changes; drawing,
// the mouse cursors and clicks only read it, so a tab acts exactly where it
// is drawn.

#include <QSize>
#include <array>

#include "book/bookmarks.h"
#include "core/open_album.h"

struct AlbumLook;

class BookLayout {
 public:
  explicit BookLayout(const AlbumLook& look) : look_(look) {}

  QSize WindowSize() const { return windowSize_; }
  int SpineX() const { return spineX_; }
  // One page bitmap: SpineX wide, as high as the window.
  QSize PageSize() const { return QSize(spineX_, windowSize_.height()); }
  // The window's size from now on; the pages follow on the next re-layout.
  void SetWindowSize(QSize size);

  // The size thumbnails are made for in the window and look
  // (ScreenThumbnailBox), times the picture scale.
  QSize ThumbnailBox() const;
  QSize ScreenThumbnailBox() const;
  // Pictures made this many times finer than the page's pixels, for
  // painters finer than the screen (a printer); 1 on screen.
  double PictureScale() const { return pictureScale_; }
  void SetPictureScale(double scale) { pictureScale_ = scale; }

  // Lays the bookmark tabs out for model's current spread.
  void LayBookmarks(const AlbumModel& model, const ViewState& view);
  // Where the tabs lie along the outer edge, from the page area's top:
  // [0] = 10, tab i spans [i-1] to [i] (ComputeBookmarkEdges).
  const std::array<int, MaxDataFiles>& BookmarkEdges() const { return bookmarkEdges_; }
  // The tabs of the spread, in window coordinates.
  const BookmarkTabs& Bookmarks() const { return bookmarks_; }

 private:
  const AlbumLook& look_;
  QSize windowSize_;
  int spineX_ = 0;
  double pictureScale_ = 1.0;
  std::array<int, MaxDataFiles> bookmarkEdges_{};
  BookmarkTabs bookmarks_;
};
