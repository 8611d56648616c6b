// The pictures the program ships: compiled in, or beside the program.

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include "book/decoration_bitmaps.h"
#include "book/paint_tools.h"
#include "book/program_cursors.h"
#include "core/program_files.h"
#include "init/profile.h"

TEST(Artwork, DecorationsCursorsTexturesAndTheDefaultLook) {
  for (const char* name : {"VERTICAL", "HORIZONTAL", "MENU", "MIDDLE", "LEFT", "RIGHT", "VIDEO"})
    EXPECT_FALSE(DecorationBitmap(QString::fromLatin1(name)).isNull()) << name;
  // The pictures drawn transparent have a transparent background.
  EXPECT_EQ(DecorationBitmap("MENU").pixelColor(0, 11).alpha(), 0);
  EXPECT_EQ(DecorationBitmap("RIGHT").pixelColor(0, 0).alpha(), 0);

  for (int number : {crZoom, crLeft, crRight, crPrevious, crNext}) {
    QPoint hotSpot(-1, -1);
    const QImage cursor = ProgramCursorImage(ProgramCursorName(number), &hotSpot);
    ASSERT_FALSE(cursor.isNull()) << number;
    EXPECT_TRUE(cursor.rect().contains(hotSpot)) << number;
  }

  AlbumLook look;
  SetDefaultProfile(look);
  EXPECT_FALSE(TexturePicture(look.CoverTexture).isNull()) << look.CoverTexture.toStdString();
  EXPECT_FALSE(TexturePicture(look.PageTexture).isNull()) << look.PageTexture.toStdString();
  EXPECT_TRUE(QFileInfo::exists(ProgramFile("default.AFM")));
}

TEST(Artwork, ATextureIsReadByItsNameAndElseByItsContent) {
  QTemporaryDir dir;
  QImage red(4, 4, QImage::Format_RGB32);
  red.fill(Qt::red);
  for (const char* name : {"a.png", "png-named.bmp", "b.jpg", "no-extension"}) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    ASSERT_TRUE(red.save(path, QByteArray(name).endsWith(".jpg") ? "jpg" : "png"));
    EXPECT_EQ(TexturePicture(path).size(), QSize(4, 4)) << name;
  }
}
