#include "core/album_model.h"

#include <gtest/gtest.h>

namespace {

void FillChapter(AlbumModel& model, int k, int images) {
  for (int i = 0; i < images; ++i) model.Chapters[k].AppendEmpty();
}

}  // namespace

TEST(AlbumModel, PageArithmeticOfATwelveImageGrid) {
  AlbumModel model;
  const int perPage = 3 * 4;
  const struct {
    int images, pages, lastSpread;
  } cases[] = {{0, 0, 0}, {1, 1, 2}, {12, 1, 2}, {13, 2, 2}, {24, 2, 2}, {25, 3, 4}};
  for (const auto& c : cases) {
    ClearChapterData(model.Chapters[2]);
    FillChapter(model, 2, c.images);
    EXPECT_EQ(model.ImageCount(2), c.images);
    EXPECT_EQ(model.PageCount(2, perPage), c.pages) << c.images;
    EXPECT_EQ(model.LastSpread(2, perPage), c.lastSpread) << c.images;
  }
  EXPECT_EQ(model.PageCount(-1, perPage), 0);
  EXPECT_EQ(model.PageCount(11, perPage), 0);
  // Image i is on page PageOfImage(i) + 1: image 0 on the right of spread 0,
  // image 12 on the left of spread 2.
  EXPECT_EQ(PageOfImage(0, perPage), 0);
  EXPECT_EQ(PageOfImage(11, perPage), 0);
  EXPECT_EQ(PageOfImage(12, perPage), 1);
}

TEST(AlbumModel, BookIsClosedBeforeAnyChapterAndOnTheCover) {
  AlbumModel model;
  const struct {
    int chapter, page;
    bool closed;
  } cases[] = {{-1, -1, true}, {-1, 4, true}, {0, -1, true}, {0, 0, false}, {3, -1, false}};
  for (const auto& c : cases) {
    model.CurrentChapter = c.chapter;
    model.CurrentPage = c.page;
    EXPECT_EQ(model.IsBookClosed(), c.closed) << c.chapter << "," << c.page;
  }
}

TEST(AlbumModel, StartAndNewStates) {
  AlbumModel model;
  EXPECT_EQ(model.DataFiles, QStringList{QString()});
  EXPECT_EQ(model.ImageDirs.size(), 1);
  EXPECT_EQ(model.DataTitles.size(), 1);
  EXPECT_EQ(model.ChapterCount(), 0);
  EXPECT_EQ(model.CurrentChapter, -1);
  EXPECT_EQ(model.CurrentPage, -1);
  EXPECT_FALSE(model.AnyDataModified());
  EXPECT_FALSE(model.AlbumModified);

  model.AlbumFileName = "/a/x.ALB";
  model.FormatFileName = "x.AFM";
  model.DataFiles = {"/a/x.XML", "c1.xml"};
  model.ChapterNames = {"One"};
  FillChapter(model, 1, 3);
  model.Thumbnails[1].append(QImage(4, 4, QImage::Format_ARGB32));
  model.ThumbsLoaded[1] = true;
  model.DataModified[10] = true;
  EXPECT_TRUE(model.AnyDataModified());

  model.ResetToNew();
  EXPECT_TRUE(model.AlbumFileName.isEmpty());
  EXPECT_TRUE(model.FormatFileName.isEmpty());
  EXPECT_EQ(model.DataFiles, QStringList{QString()});
  EXPECT_EQ(model.ChapterCount(), 0);
  EXPECT_EQ(model.ImageCount(1), 0);
  EXPECT_TRUE(model.Thumbnails[1].isEmpty());
  EXPECT_FALSE(model.ThumbsLoaded[1]);
  EXPECT_FALSE(model.AnyDataModified());
  EXPECT_TRUE(model.AlbumModified);
  EXPECT_EQ(model.CurrentChapter, 0);
  EXPECT_EQ(model.CurrentPage, 0);
  EXPECT_FALSE(model.IsBookClosed());
}

TEST(AlbumModel, ChapterDataOperationsKeepTheListsParallel) {
  TChapterData a;
  a.AppendEmpty();
  a.Titles[0] = "Beach";
  a.People[0] = "Eva";
  TChapterData b;
  b.AppendEmpty();
  b.AppendEmpty();
  CopyChapterData(a, b);
  EXPECT_EQ(b, a);
  EXPECT_EQ(b.Count(), 1);
  EXPECT_EQ(b.Places.size(), 1);
  b.Titles[0] = "Changed";
  EXPECT_EQ(a.Titles[0], "Beach");  // a copy, not shared
  ClearChapterData(b);
  EXPECT_EQ(b.Count(), 0);
  EXPECT_TRUE(b.People.isEmpty());
}

TEST(AlbumModel, ImagePathForWritingIsRelativeToTheDataFilesFolder) {
  AlbumModel model;
  model.DataFiles = {"/nowhere/al/main.xml", "ch/one.xml"};
  model.ImageDirs = {"", ""};
  EXPECT_EQ(model.ImagePathForWriting(0, "/nowhere/al/pics/a.jpg"), "pics/a.jpg");
  EXPECT_EQ(model.ImagePathForWriting(1, "/nowhere/al/ch/b.jpg"), "b.jpg");
  EXPECT_EQ(model.ImagePathForWriting(1, "/nowhere/al/c.jpg"), "../c.jpg");
  // Beyond the data files the name is kept as it is.
  EXPECT_EQ(model.ImagePathForWriting(5, "/x/y.jpg"), "/x/y.jpg");
}
