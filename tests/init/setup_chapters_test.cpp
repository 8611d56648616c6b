#include "init/setup_chapters.h"

#include <gtest/gtest.h>

#include <QFileInfo>

#include "support/album_env.h"

namespace {

using Thumbs = ThumbnailList;

// An album "main.xml" whose chapter k (1..n) is "ck.xml" with k+1 images in
// the folder "picsk", titled "Tk" and named "Nk" in the main file.
class SetupChaptersTest : public AlbumFilesTest {
 protected:
  void MakeAlbum(int chapters) {
    QString links;
    for (int k = 1; k <= chapters; ++k) {
      links += QStringLiteral("<link xlink:href=\"c%1.xml\">N%1</link>").arg(k);
      QString photos;
      for (int i = 0; i <= k; ++i) photos += QStringLiteral("<photo src=\"p%1.jpg\"/>").arg(i);
      WriteXml(QStringLiteral("c%1.xml").arg(k),
               QStringLiteral("<album2 dir=\"pics%1\"><title>T%1</title>%2</album2>")
                   .arg(k)
                   .arg(photos));
    }
    WriteXml("main.xml",
             "<album2><title>Album</title><photo src=\"a.jpg\"/>" + links + "</album2>");
    LoadAlbumData(env_.Data(), Path("main.xml"));
    AlbumModel& m = env_.Model;
    for (int k = 0; k <= chapters; ++k) {
      env_.Thumbs.Lists[k] = Thumbs(m.ImageCount(k));  // opaque: only their number is checked
      env_.Thumbs.Loaded[k] = true;
    }
    env_.View.CurrentChapter = 0;
    env_.View.CurrentPage = -1;
    SetDefaultProfile(look_);
    work_.FillAlbum(m, env_.View, 1);
  }
  void Commit() {
    work_.Commit(env_.Model, env_.View, env_.Thumbs, look_, {"Album", "", env_.Model.DataFiles[0]},
                 true);
  }
  // Chapter k of the model as "title/folder/images/thumbnails".
  QString Chapter(int k) const {
    const AlbumModel& m = env_.Model;
    return QStringLiteral("%1/%2/%3/%4")
        .arg(m.DataTitles.value(k), m.ImageDirs.value(k))
        .arg(m.ImageCount(k))
        .arg(env_.Thumbs.Loaded[k] ? env_.Thumbs.Lists[k].size() : -1);
  }

  DataEnv env_;
  AlbumLook look_;
  ChapterWork work_{look_};
};

TEST_F(SetupChaptersTest, AddsUpToTenChaptersNewFilesIncludedAndNoMore) {
  MakeAlbum(1);
  for (int k = 2; k <= MaxChapters; ++k) {
    env_.Ask.OpenFileNames << Path(QStringLiteral("new%1.xml").arg(k));
    ASSERT_EQ(work_.AddChapter(env_.Data(), QString()), ChapterWork::AddResult::Added) << k;
  }
  EXPECT_EQ(work_.Count(), 10);
  EXPECT_EQ(work_.Selected, 9);
  const qsizetype dialogs = env_.Ask.FileRequests.size();
  EXPECT_EQ(work_.AddChapter(env_.Data(), QString()), ChapterWork::AddResult::Full);
  EXPECT_EQ(env_.Ask.FileRequests.size(), dialogs);  // no dialog for an eleventh
  EXPECT_TRUE(env_.Ask.FileRequests.last().AllowNewFile);
  EXPECT_EQ(env_.Progress.Log.last(), "hide");

  Commit();
  EXPECT_EQ(env_.Model.ChapterCount(), 10);
  EXPECT_EQ(Chapter(1), "T1/pics1/2/2");
  EXPECT_EQ(Chapter(10), "//0/-1");  // fresh: thumbnails made when shown
  // The files that do not exist yet are written by the next save.
  EXPECT_FALSE(env_.Model.DataModified[1]);
  EXPECT_TRUE(env_.Model.DataModified[10]);
}

TEST_F(SetupChaptersTest, AFileTheAlbumHoldsIsRefusedInAnyLetterCase) {
  MakeAlbum(2);
  for (const char* name : {"C1.XML", "c2.xml", "Main.Xml"}) {
    env_.Ask.OpenFileNames << Path(name);
    env_.Ask.Log.clear();
    EXPECT_EQ(work_.AddChapter(env_.Data(), QString()), ChapterWork::AddResult::AlreadyIncluded)
        << name;
    EXPECT_EQ(env_.Ask.Log.last(), "warning: This file is already included in the album!");
    EXPECT_EQ(work_.Count(), 2);
    EXPECT_EQ(work_.NextSlot, 3);
  }
}

TEST_F(SetupChaptersTest, RemovingTheSecondOfThreeMovesTheThirdDownWithItsColour) {
  MakeAlbum(3);
  const auto bm = look_.BM;
  work_.Selected = 1;
  ASSERT_TRUE(work_.RemoveChapter());
  Commit();
  const AlbumModel& m = env_.Model;
  EXPECT_EQ(m.ChapterNames, QStringList({"N1", "N3"}));
  EXPECT_EQ(Chapter(2), "T3/pics3/4/4");
  EXPECT_EQ(QFileInfo(m.DataFiles[2]).fileName(), "c3.xml");
  EXPECT_EQ(look_.BM[1], bm[2]);
  EXPECT_EQ(look_.BM[2], bm[1]);  // the removed chapter's colour waits behind
  EXPECT_EQ(look_.BM[3], bm[3]);
  EXPECT_TRUE(QFileInfo::exists(Path("c2.xml")));
  EXPECT_TRUE(m.DataModified[0]);  // the links changed
}

TEST_F(SetupChaptersTest, AMovedChapterKeepsItsUnsavedEditsAtItsNewIndex) {
  MakeAlbum(3);
  ImageList images = env_.Model.Images(2);
  images[0].Title = QStringLiteral("edited");
  ImageEdits::SetChapter(env_.Model, 2, images);
  env_.Model.UpdateModified(2);
  work_.FillAlbum(env_.Model, env_.View, 1);
  work_.Selected = 1;
  ASSERT_TRUE(work_.MoveUp());
  EXPECT_FALSE(work_.MoveUp());  // already at the top
  Commit();
  const AlbumModel& m = env_.Model;
  EXPECT_EQ(m.ChapterNames, QStringList({"N2", "N1", "N3"}));
  EXPECT_EQ(Chapter(1), "T2/pics2/3/3");
  EXPECT_EQ(Chapter(2), "T1/pics1/2/2");
  EXPECT_EQ(m.DataModified, (std::array<bool, MaxDataFiles>{true, true}));
}

TEST_F(SetupChaptersTest, TheViewStaysOnTheChapterItShowed) {
  const struct {
    const char* edit;
    int selected;  // -1: the main file is read again
    bool remove;
    int chapter, page;  // from chapter 2, spread 2
  } cases[] = {{"moved to the top", 1, false, 1, 2},
               {"an earlier one removed", 0, true, 1, 2},
               {"itself removed", 1, true, 0, 0},
               {"read again", -1, false, 0, 0}};
  for (const auto& c : cases) {
    MakeAlbum(3);
    env_.View.CurrentChapter = 2;
    env_.View.CurrentPage = 2;
    work_.FillAlbum(env_.Model, env_.View, 1);
    work_.Selected = c.selected;
    QString title;
    if (c.selected < 0) {
      work_.LoadMainDataFile(env_.Data(), Path("main.xml"), title);
    } else if (c.remove) {
      work_.RemoveChapter();
    } else {
      work_.MoveUp();
    }
    Commit();
    EXPECT_EQ(env_.View.CurrentChapter, c.chapter) << c.edit;
    EXPECT_EQ(env_.View.CurrentPage, c.page) << c.edit;
  }
}

TEST_F(SetupChaptersTest, ANewMainDataFileNameDropsTheChaptersButNotTheAlbumImages) {
  MakeAlbum(2);
  QString title = "kept";
  work_.LoadMainDataFile(env_.Data(), Path("other.xml"), title);
  EXPECT_EQ(work_.Count(), 0);
  EXPECT_EQ(title, "kept");
  work_.Commit(env_.Model, env_.View, env_.Thumbs, look_, {title, "", Path("other.xml")}, true);
  const AlbumModel& m = env_.Model;
  EXPECT_EQ(m.ChapterCount(), 0);
  EXPECT_EQ(m.DataFiles, QStringList{Path("other.xml")});
  EXPECT_EQ(Chapter(0), "kept//1/1");
  EXPECT_TRUE(m.DataModified[0]);  // saving writes the images to the new file
}

TEST(SetupChaptersFill, SelectsTheChapterOnScreen) {
  AlbumModel model;
  ViewState view;
  model.DataFiles = {"m", "a", "b", "c"};
  model.ChapterNames = {"A", "B", "C"};
  for (int k = 1; k <= 3; ++k) ImageEdits::SetChapter(model, k, ImageList(1));  // last spread 2
  AlbumLook look;
  ChapterWork work(look);
  const struct {
    int chapter, page, selected;
  } cases[] = {{-1, -1, 0}, {0, 2, 0}, {1, 0, 0}, {2, 2, 2}, {3, 0, 2}, {3, 2, 2}};
  for (const auto& c : cases) {
    view.CurrentChapter = c.chapter;
    view.CurrentPage = c.page;
    work.FillAlbum(model, view, 1);
    EXPECT_EQ(work.Selected, c.selected) << c.chapter << "," << c.page;
  }
}

}  // namespace
