#include "app/render_command.h"
#include "command_run.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>

#include "image/thumbnail_cache.h"
#include "init/profile_file.h"
#include "support/test_files.h"

namespace {

class RenderTest : public ::testing::Test {
 protected:
  OpenAlbum album;
  AlbumModel& model = album.Model;
  AlbumLook look;
  ProgramSettings settings;
  SizedBookWindow window{QSize(800, 600)};
  BookView book{album, window, look, settings};
  QTemporaryDir dir;

  void SetUp() override {
    SetDefaultProfile(look);
    look.PageTexture.clear();
    look.RowCount = 2;
    look.ColumnCount = 2;
    window.SetBook(&book);
    window.PositionWindow();
    // Chapter 0: 5 images (2 pages, spreads 0 and 2); chapter 1: none (spread 0).
    model.ChapterNames = QStringList{"One"};
    model.DataFiles << "one.xml";
    model.DataTitles = QStringList{"Title", "First"};
    ImageEdits::SetChapter(model, 0, ImageList(5));
    album.Thumbs.Lists[0] = QList<Thumbnail>(5);
    album.Thumbs.Loaded[0] = album.Thumbs.Loaded[1] = true;
    album.View.CurrentChapter = 0;
  }
};

}  // namespace

TEST_F(RenderTest, EverySpreadInBookOrderOrOneSpreadOrAClearError) {
  QString error;
  QStringList files = RenderBookPictures(book, dir.filePath("out"), -2, -2, &error);
  EXPECT_TRUE(error.isEmpty()) << error.toStdString();
  QStringList names;
  for (const QString& f : files) names << QFileInfo(f).fileName();
  EXPECT_EQ(names.join(' ').toStdString(),
            "0000-cover.png 0001-chapter00-spread0000.png 0002-chapter00-spread0002.png "
            "0003-chapter01-spread0000.png");
  EXPECT_EQ(QImage(files[0]).size(), QSize(400, 600));  // the cover alone
  EXPECT_EQ(QImage(files[1]).size(), QSize(800, 600));

  // One spread, or a clear error.
  files = RenderBookPictures(book, dir.path(), 0, 2, &error);
  ASSERT_EQ(files.size(), 1);
  EXPECT_EQ(QFileInfo(files[0]).fileName(), "chapter00-spread0002.png");
  // Drawn: the paper of page 2, with no picture on it.
  EXPECT_EQ(QImage(files[0]).pixelColor(200, 300), ToQColor(look.PageColor));

  files = RenderBookPictures(book, dir.path(), 0, 4, &error);
  EXPECT_TRUE(files.isEmpty());
  EXPECT_FALSE(error.isEmpty());
}

TEST(RenderCommand, FilesThatCannotBeOpenedFailWithTheirName) {
  QTemporaryDir dir;
  WriteAll(dir.filePath("photo.jpg"), "\xff\xd8");
  WriteAll(dir.filePath("broken.xml"), "<album2><photo");
  WriteAll(dir.filePath("Trip.ALB"), "DataFile=nowhere.xml\r\n");
  for (const char* name : {"missing.ALB", "photo.jpg", "broken.xml", "Trip.ALB"}) {
    const QString file = dir.filePath(name);
    const CommandRun run = RunCommand({"--render", file, "--out", dir.filePath("out")});
    EXPECT_NE(run.status, 0) << file.toStdString();
    EXPECT_TRUE(run.err.contains(QFileInfo(file).fileName())) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
  }
}

// The cover is half the look's window, as high as it; a look of any width draws a bounded book.
TEST(RenderCommand, TheCoverIsHalfTheLooksWindow) {
  QTemporaryDir dir;
  AlbumLook demo;
  ASSERT_TRUE(LoadProfile(QStringLiteral(QV_BINARY_DIR "/samples/demo/Demo.AFM"), demo));
  WriteAll(dir.filePath("wide.AFM"), "FormWidth=2147483647\r\nFormHeight=400\r\n");
  const std::pair<QString, QSize> cases[] = {
      {QStringLiteral(QV_BINARY_DIR "/samples/demo/Demo.ALB"),
       {demo.FormWidth / 2, demo.FormHeight}},
      {dir.filePath("wide.AFM"), {kLargestWindowSide / 2, 400}}};
  for (const auto& [file, size] : cases) {
    const CommandRun run =
        RunCommand({"--render", file, "--out", dir.path(), "--chapter", "0", "--spread", "-1"});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.trimmed(), QDir::toNativeSeparators(dir.filePath("cover.png")));
    EXPECT_EQ(QImage(dir.filePath("cover.png")).size(), size) << file.toStdString();
  }
}

TEST(RenderCommand, DrawsInThePersonsLanguageAndThumbnailSetting) {
  QTemporaryDir dir;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.filePath("config"));
  const QByteArray cacheHome = qgetenv("XDG_CACHE_HOME");
  qputenv("XDG_CACHE_HOME", dir.filePath("cache").toUtf8());
  WriteAll(dir.filePath("czech.lng"), "PageNr=Strana\r\n");
  ProgramSettings mine = DefaultProgramSettings();
  mine.Language = dir.filePath("czech.lng");
  mine.ShareThumbnails = false;
  SaveSettings(mine);
  {
    HeadlessAlbum album(QSize(800, 600));
    EXPECT_EQ(Msg("PageNr"), "Strana");
    QString error;
    ASSERT_TRUE(album.Open(QStringLiteral(QV_BINARY_DIR "/samples/demo/Demo.ALB"), &error));
    EXPECT_EQ(RenderBookPictures(album.Book, dir.filePath("out"), 0, 0, &error).size(), 1);
    WaitForThumbnailCacheWrites();
  }
  EXPECT_EQ(Msg("PageNr"), "Page");  // the language went with the album
  EXPECT_FALSE(QFileInfo::exists(dir.filePath("cache/thumbnails")));
  qputenv("XDG_CACHE_HOME", cacheHome);
}

TEST(CommandLine, AtMostOneFileFurtherArgumentsIgnoredAndHelpAndVersion) {
  EXPECT_TRUE(ParseCommandLine({"quirevale"}).file.isEmpty());
  const CommandLine one = ParseCommandLine({"quirevale", "Trip.alb", "other.xml", "third"});
  EXPECT_EQ(one.action, CommandLine::Action::Run);
  EXPECT_EQ(one.file, "Trip.alb");
  EXPECT_EQ(ParseCommandLine({"q", "--help"}).action, CommandLine::Action::ShowHelp);
  EXPECT_EQ(ParseCommandLine({"q", "a.alb", "--version"}).action, CommandLine::Action::ShowVersion);
  // The manual page describes every option the help names.
  const QByteArray manual = ReadAll(QStringLiteral(QV_SOURCE_DIR "/packaging/quirevale.1"));
  for (const auto& option : QRegularExpression("--[a-z-]+").globalMatch(HelpText())) {
    const QString roff = QString(option.captured()).replace(u'-', QStringLiteral("\\-"));
    EXPECT_TRUE(manual.contains(roff.toUtf8())) << option.captured().toStdString();
  }
}

TEST(CommandLine, RenderCommand) {
  const CommandLine all = ParseCommandLine({"q", "--render", "Demo.ALB", "--out", "pics"});
  EXPECT_EQ(all.action, CommandLine::Action::Render);
  EXPECT_EQ(all.file, "Demo.ALB");
  EXPECT_EQ(all.outDir, "pics");
  EXPECT_FALSE(all.size.isValid());
  EXPECT_EQ(all.chapter, -2);

  const CommandLine one = ParseCommandLine({"q", "--render", "--size", "1200x800", "a.xml", "--out",
                                            "o", "--chapter", "2", "--spread", "4"});
  EXPECT_EQ(one.action, CommandLine::Action::Render);
  EXPECT_EQ(one.file, "a.xml");
  EXPECT_EQ(one.size, QSize(1200, 800));
  EXPECT_EQ(one.chapter, 2);
  EXPECT_EQ(one.spread, 4);

  for (const char* bad : {"a.alb", "--out o", "a.alb --out", "a.alb --out o --size big",
                          "a.alb --out o --size 100x100", "a.alb --out o --chapter 1",
                          "a.alb --out o --chapter x --spread 0", "a.alb --out o --frobnicate"}) {
    const CommandLine result =
        ParseCommandLine(QStringList{"q", "--render"} + QString::fromLatin1(bad).split(u' '));
    EXPECT_EQ(result.action, CommandLine::Action::Error) << bad;
    EXPECT_FALSE(result.error.isEmpty());
  }
}
