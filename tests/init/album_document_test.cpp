#include "init/album_document.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include "core/album_file.h"
#include "core/file_error.h"
#include "core/message_table.h"
#include "core/paths.h"
#include "init/profile_file.h"
#include "support/album_env.h"
#include "support/file_size_limit.h"
#include "support/test_files.h"

namespace {

struct DocEnv : DataEnv {
  TProfile Look;
  DocEnv() { SetDefaultProfile(Look); }
  DocumentContext Doc() { return {Data(), Look}; }
};

const QByteArray kDataHeader =
    "<?xml version=\"1.0\" encoding=\"Windows-1250\"?>\r\n"
    "<!DOCTYPE album2 SYSTEM \"album2.dtd\"> \r\n\r\n";

// Changes the current folder for one test and goes back at its end.
class CurrentDir {
 public:
  explicit CurrentDir(const QString& dir) : old_(QDir::currentPath()) { QDir::setCurrent(dir); }
  ~CurrentDir() { QDir::setCurrent(old_); }

 private:
  QString old_;
};

class AlbumDocumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FillDefaultMessages();
    ASSERT_TRUE(dir_.isValid());
  }
  QString Path(const QString& name) const { return dir_.path() + u'/' + name; }
  void WriteLook(const QString& name, int rows, bool maximized = false) {
    WriteAll(Path(name), QStringLiteral("RowCount=%1\r\nFormMaximized=%2\r\n")
                             .arg(rows)
                             .arg(maximized ? 1 : 0)
                             .toUtf8());
  }
  void WriteData(const QString& name, const QByteArray& body) {
    WriteAll(Path(name), kDataHeader + body);
  }

  QTemporaryDir dir_;
  DocEnv env_;
};

}  // namespace

TEST_F(AlbumDocumentTest, AlbumFileOpensItsLookAndDataWhateverTheCurrentFolder) {
  WriteLook("Albums/styles/blue.afm", 7);
  WriteData("Albums/data/main.xml", "<album2><title>Trip</title><photo src=\"a.jpg\"/></album2>");
  WriteAll(Path("Albums/Trip.alb"), "FormatFile=styles\\blue.afm\r\nDataFile=data\\main.xml\r\n");
  QDir().mkpath(Path("elsewhere"));
  const CurrentDir cwd(Path("elsewhere"));
  env_.Model.AlbumModified = true;
  env_.Model.FormatModified = true;

  OpenDocument(env_.Doc(), "../Albums/Trip.alb");

  const AlbumModel& m = env_.Model;
  EXPECT_EQ(m.AlbumFileName, Path("Albums/Trip.alb"));
  EXPECT_EQ(m.FormatFileName, Path("Albums/styles/blue.afm"));
  EXPECT_EQ(env_.Look.RowCount, 7);
  EXPECT_EQ(m.DataFiles[0], Path("Albums/data/main.xml"));
  EXPECT_EQ(m.DataTitles[0], "Trip");
  EXPECT_EQ(m.Chapters[0].Files, QStringList({Path("Albums/data/a.jpg")}));
  EXPECT_FALSE(m.AlbumModified);
  EXPECT_FALSE(m.FormatModified);
  EXPECT_EQ(env_.Window.Log, QStringList({"cursor AppStart", "PositionWindow", "ShowSpread 0 -1",
                                          "cursor Default"}));
}

TEST_F(AlbumDocumentTest, OpensByExtensionInAnyLetterCase) {
  WriteLook("look.afm", 4);
  WriteData("main.XmL", "<album2><title>Data</title></album2>");
  WriteAll(Path("photo.jpg"), "not an album");
  env_.Model.AlbumFileName = Path("Old.ALB");
  env_.Model.Chapters[0].AppendEmpty();

  // A format file changes the look only, placing the window.
  OpenDocument(env_.Doc(), Path("look.afm"));
  EXPECT_EQ(env_.Look.RowCount, 4);
  EXPECT_EQ(env_.Model.FormatFileName, Path("look.afm"));
  EXPECT_EQ(env_.Model.AlbumFileName, Path("Old.ALB"));
  EXPECT_EQ(env_.Model.ImageCount(0), 1);
  EXPECT_EQ(env_.Window.Calls(), QStringList({"PositionWindow"}));

  // A data file replaces the data and drops the album file name; the look stays.
  env_.Window.Log.clear();
  OpenDocument(env_.Doc(), Path("main.XmL"));
  EXPECT_TRUE(env_.Model.AlbumFileName.isEmpty());
  EXPECT_EQ(env_.Model.DataTitles[0], "Data");
  EXPECT_EQ(env_.Look.RowCount, 4);
  EXPECT_EQ(env_.Window.Calls(), QStringList({"ShowSpread 0 -1"}));

  // Another extension, or no such file: nothing at all.
  for (const QString& name : {Path("photo.jpg"), Path("none.alb"), QString()}) {
    env_.Window.Log.clear();
    OpenDocument(env_.Doc(), name);
    EXPECT_TRUE(env_.Window.Calls().isEmpty()) << name.toStdString();
    EXPECT_EQ(env_.Window.Cursor, TCursorKind::Default);
    EXPECT_EQ(env_.Model.DataTitles[0], "Data");
  }
}

TEST_F(AlbumDocumentTest, MissingFormatAndDataFilesOpenWithDefaultsAndKeepTheirNames) {
  WriteAll(Path("Trip.ALB"), "DataFile=gone.xml\r\nFormatFile=gone.afm\r\n");
  env_.Look.RowCount = 9;
  OpenDocument(env_.Doc(), Path("Trip.ALB"));
  TProfile defaults;
  SetDefaultProfile(defaults);
  EXPECT_EQ(env_.Look.RowCount, defaults.RowCount);
  EXPECT_EQ(env_.Model.FormatFileName, Path("gone.afm"));
  EXPECT_EQ(env_.Model.DataFiles, QStringList({Path("gone.xml")}));
  EXPECT_EQ(env_.Model.ImageCount(0), 0);

  // The next save of the album writes the look where the album names it.
  env_.Model.DataModified[0] = true;
  WriteAlbumFile(env_.Doc());
  EXPECT_TRUE(QFile::exists(Path("gone.afm")));
  EXPECT_TRUE(QFile::exists(Path("gone.xml")));
}

TEST_F(AlbumDocumentTest, LookAppliedInPlaceKeepsTheWindowsPlaceAndMaximisedState) {
  WriteLook("max.afm", 5, true);
  env_.Look.FormMaximized = false;
  env_.Window.Geometry = QRect(11, 22, 700, 500);
  OpenFormatFile(env_.Doc(), Path("max.afm"), false);
  EXPECT_EQ(env_.Look.RowCount, 5);
  EXPECT_FALSE(env_.Look.FormMaximized);
  EXPECT_EQ(QRect(env_.Look.FormLeft, env_.Look.FormTop, env_.Look.FormWidth, env_.Look.FormHeight),
            env_.Window.Geometry);
  EXPECT_EQ(env_.Window.Calls(), QStringList({"RebuildPages"}));

  env_.Window.Log.clear();
  OpenFormatFile(env_.Doc(), Path("max.afm"), true);
  EXPECT_TRUE(env_.Look.FormMaximized);
  EXPECT_EQ(env_.Window.Calls(), QStringList({"PositionWindow"}));
}

TEST_F(AlbumDocumentTest, SavingANewAlbumCreatesItsDataFileBesideIt) {
  AlbumModel& m = env_.Model;
  m.ResetToNew();
  m.Chapters[0].AppendEmpty();
  m.Chapters[0].Files[0] = Path("pic.jpg");
  m.DataModified[0] = true;
  m.AlbumFileName = Path("Trip.ALB");

  WriteAlbumFile(env_.Doc());

  EXPECT_EQ(m.DataFiles[0], Path("Trip.XML"));
  EXPECT_TRUE(ReadAll(Path("Trip.XML")).contains("<photo src=\"pic.jpg\">"));
  EXPECT_EQ(ReadAll(Path("Trip.ALB")), "DataFile=Trip.XML\r\nFormatFile=\r\n");
  EXPECT_FALSE(m.AlbumModified);
  EXPECT_FALSE(m.AnyDataModified());
}

TEST_F(AlbumDocumentTest, NewAlbumWithAMissingLookStillGetsItsDataFile) {
  AlbumModel& m = env_.Model;
  m.ResetToNew();
  m.AlbumFileName = Path("Trip.ALB");
  m.FormatFileName = QStringLiteral("looks/trip.afm");
  QDir().mkpath(Path("looks"));

  WriteAlbumFile(env_.Doc());

  EXPECT_TRUE(QFile::exists(Path("looks/trip.afm")));
  EXPECT_TRUE(QFile::exists(Path("Trip.XML")));
  EXPECT_EQ(ReadAll(Path("Trip.ALB")), "DataFile=Trip.XML\r\nFormatFile=looks/trip.afm\r\n");
}

TEST_F(AlbumDocumentTest, ExistingFilesAreNotRewrittenByTheAlbumFile) {
  WriteData("main.xml", "<album2/>");
  WriteLook("look.afm", 3);
  const QByteArray data = ReadAll(Path("main.xml"));
  AlbumModel& m = env_.Model;
  m.AlbumFileName = Path("A.ALB");
  m.DataFiles[0] = Path("main.xml");
  m.FormatFileName = Path("look.afm");
  m.DataModified[0] = true;
  m.FormatModified = true;
  m.AlbumModified = true;

  WriteAlbumFile(env_.Doc());

  EXPECT_EQ(ReadAll(Path("main.xml")), data);
  EXPECT_TRUE(m.DataModified[0]);
  EXPECT_TRUE(m.FormatModified);
  EXPECT_FALSE(m.AlbumModified);
  EXPECT_EQ(ReadAll(Path("A.ALB")), "DataFile=main.xml\r\nFormatFile=look.afm\r\n");
}

TEST_F(AlbumDocumentTest, FailedAlbumFileWriteRaisesAndKeepsTheOldFileAndFlag) {
  WriteData("main.xml", "<album2/>");
  WriteAll(Path("A.ALB"), "DataFile=old.xml\r\n");
  AlbumModel& m = env_.Model;
  m.AlbumFileName = Path("A.ALB");
  m.DataFiles[0] = Path("main.xml");
  m.AlbumModified = true;
  {
    const FileSizeLimit limit(8);
    EXPECT_THROW(WriteAlbumFile(env_.Doc()), EFileError);
  }
  EXPECT_TRUE(m.AlbumModified);
  EXPECT_EQ(ReadAll(Path("A.ALB")), "DataFile=old.xml\r\n");
}

TEST_F(AlbumDocumentTest, SaveFormatFileWritesBesideTheAlbumAndClearsTheFlag) {
  AlbumModel& m = env_.Model;
  m.AlbumFileName = Path("A.ALB");
  m.FormatFileName = QStringLiteral("look.afm");
  m.FormatModified = true;
  env_.Look.RowCount = 8;
  SaveFormatFile(env_.Doc());
  EXPECT_FALSE(m.FormatModified);
  TProfile read;
  ASSERT_TRUE(LoadProfile(Path("look.afm"), read));
  EXPECT_EQ(read.RowCount, 8);

  m.FormatModified = true;
  m.FormatFileName = QStringLiteral("nofolder/look.afm");
  EXPECT_THROW(SaveFormatFile(env_.Doc()), EFileError);
  EXPECT_TRUE(m.FormatModified);
}

TEST_F(AlbumDocumentTest, AskSaveChangesAsksOnceAndGoesOnOnlyWhenNothingIsLost) {
  // NOLINTNEXTLINE(clang-analyzer-optin.performance.Padding): laid out to read as a table
  struct Case {
    const char* what;
    bool data, album, format;
    QList<PromptAnswer> answers;
    bool saveWorks;
    bool result;
    QStringList prompts;
    QStringList calls;
    bool dataAfter, albumAfter, formatAfter;
  };
  const QString dataQ = QStringLiteral("question: Album was modified. Save changes?");
  const QString formatQ = QStringLiteral("question: Album format was modified. Save changes?");
  using A = PromptAnswer;
  const Case cases[] = {
      {"nothing modified", false, false, false, {}, true, true, {}, {}, false, false, false},
      {"data: Yes saves",
       true,
       false,
       false,
       {A::Yes},
       true,
       true,
       {dataQ},
       {"SaveAlbum"},
       false,
       false,
       false},
      {"album: Yes saves",
       false,
       true,
       false,
       {A::Yes},
       true,
       true,
       {dataQ},
       {"SaveAlbum"},
       false,
       false,
       false},
      {"data: No goes on, flags stay",
       true,
       false,
       false,
       {A::No},
       true,
       true,
       {dataQ},
       {},
       true,
       false,
       false},
      {"data: Cancel stops",
       true,
       true,
       false,
       {A::Cancel},
       true,
       false,
       {dataQ},
       {},
       true,
       true,
       false},
      {"format: Yes saves",
       false,
       false,
       true,
       {A::Yes},
       true,
       true,
       {formatQ},
       {"SaveFormat"},
       false,
       false,
       false},
      {"format: Cancel stops",
       false,
       false,
       true,
       {A::Cancel},
       true,
       false,
       {formatQ},
       {},
       false,
       false,
       true},
      {"everything modified: one question only",
       true,
       true,
       true,
       {A::No},
       true,
       true,
       {dataQ},
       {},
       true,
       true,
       true},
      {"Yes but the album is not saved (Save as cancelled)",
       false,
       true,
       false,
       {A::Yes},
       false,
       false,
       {dataQ},
       {"SaveAlbum"},
       false,
       true,
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    QTemporaryDir dir;
    DocEnv env;
    AlbumModel& m = env.Model;
    m.AlbumFileName = dir.path() + QStringLiteral("/A.ALB");
    m.DataFiles[0] = dir.path() + QStringLiteral("/A.XML");
    m.FormatFileName = QStringLiteral("A.AFM");
    m.DataModified[0] = c.data;
    m.AlbumModified = c.album;
    m.FormatModified = c.format;
    const DocumentContext doc = env.Doc();
    env.Window.OnSaveAlbum = [&] {
      if (c.saveWorks) WriteAlbumFile(doc);
    };
    env.Window.OnSaveFormat = [&] { SaveFormatFile(doc); };
    env.Ask.YesNoCancelAnswers = c.answers;

    EXPECT_EQ(AskSaveChanges(doc), c.result);
    EXPECT_EQ(env.Ask.Log, c.prompts);
    EXPECT_EQ(env.Window.Calls(), c.calls);
    EXPECT_EQ(m.AnyDataModified(), c.dataAfter);
    EXPECT_EQ(m.AlbumModified, c.albumAfter);
    EXPECT_EQ(m.FormatModified, c.formatAfter);
    if (c.data && !c.dataAfter) {
      EXPECT_TRUE(QFile::exists(m.DataFiles[0]));
    }
  }
}

TEST_F(AlbumDocumentTest, AskSaveChangesReportsAFailedSaveAndStops) {
  AlbumModel& m = env_.Model;
  m.AlbumFileName = Path("A.ALB");
  m.FormatFileName = QStringLiteral("nofolder/A.AFM");
  m.FormatModified = true;
  const DocumentContext doc = env_.Doc();
  env_.Window.OnSaveFormat = [&] { SaveFormatFile(doc); };
  env_.Ask.YesNoCancelAnswers = {PromptAnswer::Yes};
  EXPECT_FALSE(AskSaveChanges(doc));
  EXPECT_EQ(env_.Ask.Log.last(), "error: Error writing file");
  EXPECT_TRUE(m.FormatModified);
}

// The demo album as the build draws it: what it promises is there, and it
// survives being read, written elsewhere and read again.
TEST_F(AlbumDocumentTest, DemoAlbumRoundTrip) {
  const QString demo = QStringLiteral(QV_BINARY_DIR "/samples/demo/Demo.ALB");
  ASSERT_TRUE(QFile::exists(demo));
  OpenDocument(env_.Doc(), demo);
  const AlbumModel& m = env_.Model;
  ASSERT_EQ(m.ChapterCount(), 3);
  int entries = 0, pictures = 0, videos = 0, missing = 0, broken = 0;
  QStringList kinds;
  QString allText;
  for (int k = 0; k <= m.ChapterCount(); ++k) {
    const TChapterData& c = m.Chapters[k];
    entries += c.Count();
    for (int i = 0; i < c.Count(); ++i) {
      allText += c.Titles[i] + c.Places[i] + c.People[i];
      if (IsVideoFile(c.Files[i])) {
        ++videos;
      } else if (!QFile::exists(c.Files[i])) {
        ++missing;
      } else if (QImage(c.Files[i]).isNull()) {
        ++broken;
      } else {
        ++pictures;
        kinds << FileExtUpper(c.Files[i]);
      }
    }
  }
  EXPECT_GE(pictures, 40);
  EXPECT_EQ(videos, 1);
  EXPECT_EQ(missing, 1);
  EXPECT_EQ(broken, 1);
  EXPECT_TRUE(kinds.contains(".BMP") && kinds.contains(".GIF") && kinds.contains(".JPG"));
  for (const char* letter : {"č", "ř", "ž", "ő", "ł", "Ōsaka 東京", "Tom & Jerry <1999>"})
    EXPECT_TRUE(allText.contains(QString::fromUtf8(letter))) << letter;
  EXPECT_EQ(env_.Look.RowCount * env_.Look.ColumnCount, 6);

  // Written to a new place: every file is new, so everything is written.
  AlbumModel copy = m;
  copy.AlbumFileName = Path("copy/Trip.ALB");
  copy.DataFiles[0] = Path("copy/Trip.XML");
  for (int k = 1; k <= copy.ChapterCount(); ++k)
    copy.DataFiles[k] = Path("copy/") + copy.DataFiles[k];
  QDir().mkpath(Path("copy/chapters"));
  for (int k = 0; k <= copy.ChapterCount(); ++k) copy.DataModified[k] = true;
  env_.Model = copy;
  WriteAlbumFile(env_.Doc());
  SaveModifiedDataFiles(env_.Data());
  EXPECT_FALSE(env_.Model.AnyDataModified());

  DocEnv again;
  OpenDocument(again.Doc(), Path("copy/Trip.ALB"));
  const AlbumModel& r = again.Model;
  EXPECT_EQ(r.DataFiles, env_.Model.DataFiles);
  EXPECT_EQ(r.ChapterNames, copy.ChapterNames);
  EXPECT_EQ(r.DataTitles, copy.DataTitles);
  EXPECT_EQ(r.ImageDirs, copy.ImageDirs);
  EXPECT_EQ(r.FormatFileName, copy.FormatFileName);
  for (int k = 0; k < MaxDataFiles; ++k) EXPECT_EQ(r.Chapters[k], copy.Chapters[k]) << k;
  EXPECT_EQ(again.Look, env_.Look);
}
