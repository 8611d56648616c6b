#include "init/profile_file.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <QDir>
#include <QGuiApplication>
#include <QPalette>
#include <QTemporaryDir>
#include <functional>

#include "core/message_table.h"
#include "support/test_files.h"

namespace {

AlbumLook Defaults() {
  AlbumLook p;
  SetDefaultProfile(p);
  return p;
}

// A look that differs from the defaults in every field the file stores.
AlbumLook ChangedLook() {
  AlbumLook p = Defaults();
  p.FormLeft = -20, p.FormTop = 7, p.FormWidth = 900, p.FormHeight = 650, p.FormMaximized = true;
  p.RowCount = 4, p.ColumnCount = 5, p.TextRowCount = 0, p.Zoom = 0, p.ThumbnailFrames = true;
  p.ExtendedDesc = p.ShowDate = p.ShowPlace = p.ShowPeople = false;
  p.CoverTexture = QString::fromUtf8(" textures/d\xC5\xAFm.bmp");  // leading blank kept
  p.PageTexture = "";
  p.CoverColor = 16512, p.PageColor = clWindowText, p.InsideColor = 0x00123456;
  p.BM[0] = 0, p.BM[9] = 0x80000005u, p.BM[10] = 0x00FFFFFF;  // BM10 is not stored
  p.TitleFont.Font.setFamily("Liberation Serif");
  p.TitleFont.Font.setPointSize(31);
  SetFontStyles(p.TitleFont.Font, {false, true, false, false});
  p.TitleFont.Color = 255;
  p.DescFont.Font.setPointSize(6);
  SetFontStyles(p.DescFont.Font, {true, true, true, false});
  return p;
}

// Loads the given file text (lines joined by CR LF) over a changed look.
AlbumLook LoadText(const QString& text, std::optional<QPoint> windowPlace = std::nullopt) {
  QTemporaryDir dir;
  const QString path = dir.filePath("look.AFM");
  WriteAll(path, text.toUtf8());
  AlbumLook p = ChangedLook();
  EXPECT_TRUE(LoadProfile(path, p, windowPlace));
  return p;
}

}  // namespace

TEST(Profile, SystemColoursFollowTheApplicationPalette) {
  const QPalette saved = QGuiApplication::palette();
  QPalette palette = saved;
  palette.setColor(QPalette::WindowText, QColor(1, 2, 3));
  palette.setColor(QPalette::Base, QColor(4, 5, 6));
  QGuiApplication::setPalette(palette);
  EXPECT_EQ(ToQColor(clWindowText), QColor(1, 2, 3));
  EXPECT_EQ(ToQColor(0x80000005u), QColor(4, 5, 6));
  QGuiApplication::setPalette(saved);
  EXPECT_EQ(ToQColor(0x004080u), QColor(128, 64, 0));
}

TEST(ProfileFile, MissingFilesUnknownKeysAndBadValuesGiveTheDefaults) {
  AlbumLook p = ChangedLook();
  EXPECT_FALSE(LoadProfile(QDir::temp().filePath("no such folder/none.AFM"), p));
  EXPECT_EQ(p, Defaults());
  for (const char* text :
       {"", "\r\n", "hello\r\nDataFile=x.xml\r\n[Section]\r\nFormLeft\r\n",
        "RowCount =5",  // a blank before "=" makes another key
        "RowCount=5 ", "RowCount=99999999999", "RowCount=$ 5\r\nColumnCount=$0x4",
        "TextRowCount=abc\r\nFormWidth=x\r\nExtendedDesc=no\r\nPageColor=brown\r\nbm3=x",
        "FormLeft=letters\r\nFormTop= 5",  // no window yet to take the place from
        "TitleFontStyle=bold\r\nBookmarkFontSize=0\r\nChapterFontSize=x\r\nTitleFontSize=99999",
        "DescFontColor=z"})
    EXPECT_EQ(LoadText(text), Defaults()) << text;
}

TEST(ProfileFile, KeyRulesAndClamps) {
  struct Case {
    const char* text;
    std::function<void(AlbumLook&)> change;  // what the file changes in the defaults
  };
  const Case cases[] = {
      {"rowcount=25\r\nColumnCount=0", [](auto& p) { p.RowCount = 10, p.ColumnCount = 1; }},
      {"RowCount=0\r\nColumnCount=9", [](auto& p) { p.RowCount = 1, p.ColumnCount = 5; }},
      {"Zoom=-5\r\nTextRowCount=11", [](auto& p) { p.Zoom = 0, p.TextRowCount = 10; }},
      {"Zoom=250\r\nTextRowCount=-1", [](auto& p) { p.Zoom = 200, p.TextRowCount = 0; }},
      {"FormWidth=100\r\nFormHeight=349", [](auto& p) { p.FormWidth = p.FormHeight = 350; }},
      {"FormHeight=2000\r\nFormLeft=-30\r\nFormTop=+12",
       [](auto& p) { p.FormHeight = 2000, p.FormLeft = -30, p.FormTop = 12; }},
      {"RowCount=$A\r\nShowDate=0\r\nShowDate=1",  // the first line of a key wins
       [](auto& p) { p.RowCount = 10, p.ShowDate = false; }},
      {"FormMaximized=2\r\nShowPeople=0",
       [](auto& p) { p.FormMaximized = true, p.ShowPeople = false; }},
      {"FormMaximized=256\r\nThumbnailFrames=257",  // the low eight bits decide
       [](auto& p) { p.ThumbnailFrames = true; }},
      {"CoverTexture= a b.bmp\r\nPageTexture=",  // an empty texture is a cleared one
       [](auto& p) { p.CoverTexture = " a b.bmp", p.PageTexture.clear(); }},
      {"CoverColor=255\r\nPageColor=16777215\r\nInsideColor=-2147483640",
       [](auto& p) { p.CoverColor = 255, p.PageColor = 0xFFFFFF, p.InsideColor = clWindowText; }},
      {"CoverColor=$80000005\r\nBM0=255\r\nBM9=-1\r\nBM10=0",  // BM10 is not read
       [](auto& p) { p.CoverColor = 0x80000005u, p.BM[0] = 255, p.BM[9] = 0xFFFFFFFFu; }},
      {"TitleFontStyle=9\r\nDescFontStyle=-1",  // bit 8 means nothing
       [](auto& p) {
         SetFontStyles(p.TitleFont.Font, {true, false, false, false});
         SetFontStyles(p.DescFont.Font, {true, true, true, false});
       }},
      {"BaseFont=Liberation Mono\r\nBaseFontColor=255\r\nBaseFontSize=14\r\nBaseFontStyle=2",
       [](auto& p) {
         p.BaseFont.Font.setFamily("Liberation Mono");
         p.BaseFont.Font.setPointSize(14);
         p.BaseFont.Font.setItalic(true);
         p.BaseFont.Color = 255;
       }},
  };
  for (const Case& c : cases) {
    AlbumLook expected = Defaults();
    c.change(expected);
    EXPECT_EQ(LoadText(c.text), expected) << c.text;
  }
}

TEST(ProfileFile, PlaceFallbackAsksTheMainWindow) {
  const AlbumLook bad = LoadText("FormLeft=abc\r\nFormTop=\r\n", QPoint(31, 41));
  const AlbumLook badTop = LoadText("FormLeft=7\r\nFormTop=-", QPoint(31, 41));
  // An empty value leaves the field.
  EXPECT_EQ(QList<int>({bad.FormLeft, bad.FormTop, badTop.FormLeft, badTop.FormTop}),
            QList<int>({31, 50, 7, 41}));
}

TEST(ProfileFile, SavesTheFortyNineLinesInOrder) {
  AlbumLook p = Defaults();
  p.CoverTexture = "C:/Album/Textures/Rich Walnut.bmp";
  p.PageTexture = "";
  p.FormMaximized = true;
  SetFontStyles(p.ChapterFont.Font, {false, true, false, true});  // strikeout and italic
  QTemporaryDir dir;
  const QString path = dir.filePath("out.AFM");
  ASSERT_TRUE(SaveProfile(path, p));
  const QByteArray expected =
      "FormLeft=200\r\nFormTop=50\r\nFormWidth=600\r\nFormHeight=400\r\nFormMaximized=1\r\n"
      "RowCount=3\r\nColumnCount=2\r\nTextRowCount=2\r\nZoom=100\r\nThumbnailFrames=0\r\n"
      "ExtendedDesc=1\r\nShowDate=1\r\nShowPlace=1\r\nShowPeople=1\r\n"
      "CoverTexture=C:/Album/Textures/Rich Walnut.bmp\r\nPageTexture=\r\n"
      "PageColor=16777215\r\nCoverColor=16512\r\nInsideColor=12632256\r\n"
      "TitleFont=Arial\r\nTitleFontColor=-2147483640\r\nTitleFontSize=20\r\nTitleFontStyle=5\r\n"
      "ChapterFont=Arial\r\nChapterFontColor=-2147483640\r\nChapterFontSize=16\r\n"
      "ChapterFontStyle=2\r\n"
      "BaseFont=Arial\r\nBaseFontColor=-2147483640\r\nBaseFontSize=10\r\nBaseFontStyle=0\r\n"
      "DescFont=Arial\r\nDescFontColor=-2147483640\r\nDescFontSize=8\r\nDescFontStyle=0\r\n"
      "BookmarkFont=Arial\r\nBookmarkFontColor=-2147483640\r\nBookmarkFontSize=10\r\n"
      "BookmarkFontStyle=1\r\n"
      "BM0=11659415\r\nBM1=14524637\r\nBM2=11920639\r\nBM3=15130800\r\nBM4=8894686\r\n"
      "BM5=9234160\r\nBM6=14204888\r\nBM7=13826810\r\nBM8=9419919\r\nBM9=12180223\r\n";
  EXPECT_EQ(ReadAll(path), expected);
}

TEST(ProfileFile, RoundTripOfAChangedLook) {
  AlbumLook p = ChangedLook();
  SetFontStyles(p.BaseFont.Font, {true, false, false, true});
  QTemporaryDir dir;
  const QString path = dir.filePath("round.AFM");
  ASSERT_TRUE(SaveProfile(path, p));
  AlbumLook back;
  ASSERT_TRUE(LoadProfile(path, back));
  AlbumLook expected = p;
  expected.BM[10] = 0xBDB76B;                  // not stored
  expected.BaseFont.Font.setStrikeOut(false);  // no bit for it
  EXPECT_EQ(back, expected);                   // a cleared texture stays cleared too
}

TEST(ProfileFile, FailedSaveKeepsTheOldFile) {
  QTemporaryDir dir;
  // A name at the system's limit leaves no room for the temporary file
  // beside it, so the save fails even for a user who may write anywhere.
  const QString longName = dir.filePath(QString(250, u'a') + ".AFM");
  const QString readOnly = dir.filePath("locked.AFM");
  const QByteArray old = "RowCount=7\r\n";
  WriteAll(longName, old);
  WriteAll(readOnly, old);
  QFile(readOnly).setPermissions(QFileDevice::ReadOwner);
  QStringList targets{longName, dir.filePath("missing folder/x.AFM")};
  if (geteuid() != 0) targets << readOnly;  // root writes read-only files
  for (const QString& target : targets) {
    try {
      SaveProfile(target, ChangedLook());
      ADD_FAILURE() << "no error for " << target.toStdString();
    } catch (const EFileError& error) {
      EXPECT_EQ(error.kind(), EFileError::Kind::Writing);
      EXPECT_EQ(error.Message(), "Error writing file");
      EXPECT_EQ(error.FileName(), target);
    }
  }
  EXPECT_EQ(ReadAll(longName), old);
  EXPECT_EQ(ReadAll(readOnly), old);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);  // no temporary left
}

TEST(ProfileFile, UnreadableFileRaisesTheTranslatedError) {
  QTemporaryDir dir;
  LanguageMessages czech({QStringLiteral("ErrorReadingFile=Chyba")});
  QCoreApplication::installTranslator(&czech);
  try {
    ReadTextLines(dir.path());  // a folder exists but reads as no text
    ADD_FAILURE() << "a folder read as a file";
  } catch (const EFileError& error) {
    EXPECT_EQ(error.kind(), EFileError::Kind::Reading);
    EXPECT_STREQ(error.what(), "Chyba");
  }
}
