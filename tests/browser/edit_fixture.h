#pragma once
// An album chapter to edit without a window: the model, its undo stack, the
// editor with scripted prompts, and thumbnails that name their file so a
// test can tell each is still the picture of its image.

#include <gtest/gtest.h>

#include <QImage>

#include "browser/editing.h"
#include "core/chapter_undo.h"
#include "core/message_table.h"
#include "support/qt_print.h"
#include "support/scripted_prompts.h"

// A stand-in thumbnail that remembers the file it was made from.
inline Thumbnail ThumbFor(const QString& file) {
  QImage image(1, 1, QImage::Format_ARGB32);
  image.setText(QStringLiteral("file"), file);
  return {image, QPoint(), QSize(1, 1)};
}
inline QString FileOf(const Thumbnail& thumbnail) {
  return thumbnail.Picture.text(QStringLiteral("file"));
}

inline ThumbnailList ThumbsFor(const QStringList& files) {
  ThumbnailList thumbnails;
  for (const QString& file : files) thumbnails.append(ThumbFor(file));
  return thumbnails;
}

struct EditEnv {
  static constexpr int kChapter = 1;
  OpenAlbum Album;
  AlbumModel& Model = Album.Model;
  ViewState& View = Album.View;
  AlbumThumbnails& Thumbs = Album.Thumbs;
  AlbumUndo Undo{Album};
  ScriptedPrompts Ask;
  QStringList Made;  // every file a thumbnail was made for
  ChapterEditor Editor{Undo, Ask, [this](const QStringList& files) {
                         Made << files;
                         return ThumbsFor(files);
                       }};

  // Chapter 1 shown at spread 0 with images "p0".."p<count-1>", each with
  // details of its own and its thumbnail loaded, as opened from its files.
  explicit EditEnv(int count) {
    Model.DataFiles = {QStringLiteral("/album/main.xml"), QStringLiteral("c1.xml")};
    Model.ImageDirs = {QString(), QString()};
    Model.DataTitles = {QStringLiteral("Album"), QStringLiteral("One")};
    Model.ChapterNames = {QStringLiteral("One")};
    View.CurrentChapter = kChapter;
    View.CurrentPage = 0;
    ImageList data;
    for (int i = 0; i < count; ++i) {
      const QString n = QString::number(i);
      data.append({QStringLiteral("p") + n, QStringLiteral("title ") + n,
                   QStringLiteral("date ") + n, QStringLiteral("place ") + n,
                   QStringLiteral("people ") + n});
    }
    ImageEdits::SetChapter(Model, kChapter, data);
    Thumbs.Lists[kChapter] = ThumbsFor(FilesOf(data));
    Thumbs.Loaded[kChapter] = true;
    for (int k = 0; k < MaxDataFiles; ++k) Model.MarkSaved(k);  // as opened
  }

  const ImageList& Chapter() const { return Model.Images(kChapter); }
  void Select(int a, int b) {
    View.SelStart = a;
    View.SelEnd = b;
  }
  // The chapter's files, the leading "p" of the first ones left out: "0 1 a 4".
  QString Order() {
    QStringList order;
    for (const ImageRecord& image : Chapter())
      order << (image.File.startsWith(u'p') ? image.File.mid(1) : image.File);
    return order.join(u' ');
  }
  QString Selection() const { return QStringLiteral("%1..%2").arg(View.SelStart).arg(View.SelEnd); }
  // One thumbnail per image, each made from its own file.
  void ExpectParallel() {
    const ImageList& data = Chapter();
    const auto n = data.size();
    ASSERT_EQ(Thumbs.Lists[kChapter].size(), n);
    for (qsizetype i = 0; i < n; ++i) {
      EXPECT_EQ(FileOf(Thumbs.Lists[kChapter][i]), data[i].File) << i;
      // Details travel with their file.
      if (data[i].File.startsWith(u'p')) {
        EXPECT_EQ(data[i].Title, QStringLiteral("title ") + data[i].File.mid(1)) << i;
      }
    }
  }
};
