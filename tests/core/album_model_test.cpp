#include "core/open_album.h"

#include <gtest/gtest.h>

TEST(AlbumModel, PageArithmeticOfATwelveImageGrid) {
  AlbumModel model;
  const int perPage = 3 * 4;
  const struct {
    int images, pages, lastSpread;
  } cases[] = {{0, 0, 0}, {1, 1, 2}, {12, 1, 2}, {13, 2, 2}, {24, 2, 2}, {25, 3, 4}};
  for (const auto& c : cases) {
    ImageEdits::SetChapter(model, 2, ImageList(c.images));
    EXPECT_EQ(model.PageCount(2, perPage), c.pages) << c.images;
    EXPECT_EQ(model.LastSpread(2, perPage), c.lastSpread) << c.images;
  }
  EXPECT_EQ(model.PageCount(-1, perPage) + model.PageCount(11, perPage), 0);
  // Image i is on page PageOfImage(i) + 1.
  EXPECT_EQ(PageOfImage(11, perPage), 0);
  EXPECT_EQ(PageOfImage(12, perPage), 1);
}

TEST(AlbumModel, BookIsClosedBeforeAnyChapterAndOnTheCover) {
  ViewState view;
  const struct {
    int chapter, page;
    bool closed;
  } cases[] = {{-1, -1, true}, {-1, 4, true}, {0, -1, true}, {0, 0, false}, {3, -1, false}};
  for (const auto& c : cases) {
    view.CurrentChapter = c.chapter;
    view.CurrentPage = c.page;
    EXPECT_EQ(view.IsBookClosed(), c.closed) << c.chapter << "," << c.page;
  }
}

TEST(AlbumModel, NewAlbumForgetsEverythingOfTheOldOne) {
  OpenAlbum album;
  AlbumModel& model = album.Model;
  model.AlbumFileName = "/a/x.ALB";
  model.FormatFileName = "x.AFM";
  model.DataFiles = {"/a/x.XML", "c1.xml"};
  model.ChapterNames = {"One"};
  ImageEdits::SetChapter(model, 1, ImageList(1));
  album.Thumbs.Lists[1].append(
      Thumbnail{QImage(4, 4, QImage::Format_ARGB32), QPoint(), QSize(4, 4)});
  album.Thumbs.Loaded[1] = true;
  model.DataModified[10] = true;
  ASSERT_TRUE(model.AnyDataModified());

  album.ResetToNew();
  EXPECT_TRUE(model.AlbumFileName.isEmpty() && model.FormatFileName.isEmpty());
  EXPECT_EQ(model.DataFiles, QStringList{QString()});
  EXPECT_EQ(model.ChapterCount() + model.ImageCount(1) + album.Thumbs.Lists[1].size(), 0);
  EXPECT_FALSE(album.Thumbs.Loaded[1] || model.AnyDataModified());
  EXPECT_TRUE(model.AlbumModified);
  EXPECT_FALSE(album.View.IsBookClosed());
}
