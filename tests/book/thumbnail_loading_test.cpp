#include "book/thumbnail_loading.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <vector>

#include "core/album_model.h"
#include "core/message_table.h"
#include "core/progress.h"
#include "jpeg_test_files.h"
#include "support/test_files.h"

namespace {

const QSize kBox(75, 135);

struct ProgressCall {
  QString text;
  int percent;
  bool gauge;
};

class RecordingProgress : public ProgressSink {
 public:
  void ShowProgress(const QString& text, int percent, bool showGauge) override {
    calls.push_back({text, percent, showGauge});
  }
  std::vector<ProgressCall> calls;
};

// A picture that differs from image to image.
QImage Sample(int i, int width = 320, int height = 240) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.setPixel(x, y, qRgb(x * i % 256, y * 3 % 256, i * 40 % 256));
    }
  }
  return image;
}

// A chapter of varied files: baseline, progressive and turned JPEGs, a
// bitmap, a damaged JPEG, a missing file and a video.
QStringList WriteChapter(const QTemporaryDir& dir, int count) {
  QStringList files;
  for (int i = 0; i < count; ++i) {
    QString name = dir.filePath(QStringLiteral("img%1.jpg").arg(i));
    switch (i % 6) {
      case 0:
        WriteAll(name, EncodeJpeg(Sample(i)));
        break;
      case 1:
        WriteAll(name, EncodeJpeg(Sample(i, 1024, 768), {85, true}));
        break;
      case 2:
        WriteAll(name, EncodeJpeg(Sample(i, 240, 320), {90, false, 8}));
        break;
      case 3:
        name = dir.filePath(QStringLiteral("img%1.bmp").arg(i));
        Sample(i, 40, 30).save(name, "BMP");
        break;
      case 4:
        WriteAll(name, EncodeJpeg(Sample(i)).left(200));
        break;
      default:
        name = dir.filePath(i % 12 == 5 ? QStringLiteral("gone.jpg") : QStringLiteral("clip.avi"));
        break;
    }
    files << name;
  }
  return files;
}

void SetUpChapters(AlbumModel& model, int chapters) {
  model.ResetToStart();
  for (int k = 1; k <= chapters; ++k) {
    model.ChapterNames << QStringLiteral("Chapter %1").arg(k);
    model.DataFiles << QString();
    model.ImageDirs << QString();
    model.DataTitles << QStringLiteral("Title %1").arg(k);
  }
}

}  // namespace

TEST(ThumbnailLoading, ProgressAdvancesImageByImageWithEvenHalves) {
  FillDefaultMessages();
  AlbumModel model;
  SetUpChapters(model, 1);
  for (int i = 0; i < 40; ++i) {
    model.Chapters[1].AppendEmpty();
    model.Chapters[1].Files[i] = QStringLiteral("/nowhere/%1.jpg").arg(i);
  }
  RecordingProgress progress;
  LoadChapterThumbnails(model, 1, kBox, progress);
  ASSERT_EQ(progress.calls.size(), 41u);
  const int first[] = {2, 5, 8, 10, 12, 15, 18, 20, 22, 25};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(progress.calls[i].percent, first[i]) << i;
  EXPECT_EQ(progress.calls[39].percent, 100);
  EXPECT_EQ(progress.calls[0].text, "Title 1\nLoading thumbnails...");
  EXPECT_TRUE(progress.calls[0].gauge);
  EXPECT_LT(progress.calls[40].percent, 0);  // hidden at the end
  EXPECT_TRUE(model.ThumbsLoaded[1]);
  EXPECT_EQ(model.Thumbnails[1].size(), 40);
}

TEST(ThumbnailLoading, ParallelLoadingGivesWhatOneByOneLoadingGives) {
  QTemporaryDir dir;
  AlbumModel model;
  SetUpChapters(model, 0);
  model.Chapters[0].Files = WriteChapter(dir, 24);
  model.Chapters[0].Titles = QStringList(24, QString());
  NoProgress quiet;
  LoadChapterThumbnails(model, 0, kBox, quiet, 1);
  const QList<TThumbnail> serial = model.Thumbnails[0];
  for (int threads : {0, 3}) {
    LoadChapterThumbnails(model, 0, kBox, quiet, threads);
    ASSERT_EQ(model.Thumbnails[0].size(), serial.size());
    for (int i = 0; i < serial.size(); ++i) {
      EXPECT_EQ(model.Thumbnails[0][i], serial[i]) << "image " << i << ", threads " << threads;
    }
  }
  // A damaged JPEG, a missing file and a video leave empty entries in their
  // places; everything after them is made.
  for (int i = 0; i < serial.size(); ++i) {
    EXPECT_EQ(serial[i].IsNull(), i % 6 >= 4) << i;
    EXPECT_EQ(serial[i].Box, kBox) << i;
  }
}

TEST(ThumbnailLoading, SingleThumbnailsGoWhereTheyAreAsked) {
  QTemporaryDir dir;
  AlbumModel model;
  const QString small = dir.filePath("small.jpg");
  WriteAll(small, EncodeJpeg(Sample(1, 64, 48)));
  LoadThumbnail(model, 0, dir.filePath("missing.jpg"), -1, kBox);
  LoadThumbnail(model, 0, small, 0, kBox);
  LoadThumbnail(model, 0, small, 99, kBox);
  LoadThumbnail(model, MaxDataFiles, small, -1, kBox);
  ASSERT_EQ(model.Thumbnails[0].size(), 3);
  EXPECT_FALSE(model.Thumbnails[0][0].IsNull());
  EXPECT_TRUE(model.Thumbnails[0][1].IsNull());
  EXPECT_FALSE(model.Thumbnails[0][2].IsNull());
}

TEST(ThumbnailLoading, OnlyTheShownChapterIsKeptWhenMemoryIsFreed) {
  QTemporaryDir dir;
  const QString photo = dir.filePath("photo.jpg");
  WriteAll(photo, EncodeJpeg(Sample(2)));
  AlbumModel model;
  SetUpChapters(model, 2);
  for (int k = 0; k <= 2; ++k) {
    model.Chapters[k].AppendEmpty();
    model.Chapters[k].Files[0] = photo;
  }
  NoProgress quiet;
  LoadAllThumbnails(model, kBox, quiet);
  LoadChapterThumbnails(model, 3, kBox, quiet);  // beyond the last chapter
  EXPECT_FALSE(model.ThumbsLoaded[3]);
  for (int k = 0; k <= 2; ++k) EXPECT_TRUE(ChapterThumbnailsReady(model, k, kBox)) << k;

  PrepareChapterThumbnails(model, 1, kBox, quiet, false);  // LoadAllChapters keeps them all
  EXPECT_TRUE(model.ThumbsLoaded[0] && model.ThumbsLoaded[2]);
  PrepareChapterThumbnails(model, 1, kBox, quiet, true);
  EXPECT_FALSE(model.ThumbsLoaded[0] || model.ThumbsLoaded[2]);
  EXPECT_TRUE(model.Thumbnails[0].isEmpty() && model.Thumbnails[2].isEmpty());
  EXPECT_TRUE(ChapterThumbnailsReady(model, 1, kBox));

  // After the window or grid changed, thumbnails of the old size are made again.
  const QSize bigger(90, 150);
  EXPECT_FALSE(ChapterThumbnailsReady(model, 1, bigger));
  PrepareChapterThumbnails(model, 1, bigger, quiet, true);
  EXPECT_EQ(model.Thumbnails[1].value(0).Box, bigger);
}
