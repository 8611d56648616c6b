#include "init/album_document.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDirIterator>
#include <QMap>
#include <QSettings>
#include <filesystem>

#include "init/load_settings.h"
#include "init/profile_file.h"
#include "support/album_env.h"
#include "support/file_size_limit.h"
#include "support/settings_folder.h"

namespace {

struct DocEnv : DataEnv {
  AlbumLook Look;
  ProgramSettings Settings;
  DocEnv() { SetDefaultProfile(Look); }
  DocumentContext Doc() { return {Data(), Look, Settings}; }
};

// Changes the current folder for one test and goes back at its end.
struct CurrentDir {
  const QString old = QDir::currentPath();
  explicit CurrentDir(const QString& dir) { QDir::setCurrent(dir); }
  ~CurrentDir() { QDir::setCurrent(old); }
};

// The modified flags as letters: data, album, format.
QString Flags(const AlbumModel& m) {
  return QString(m.AnyDataModified() ? "d" : "") + (m.AlbumModified ? "a" : "") +
         (m.FormatModified ? "f" : "");
}

class AlbumDocumentTest : public AlbumFilesTest {
 protected:
  void WriteLook(const QString& name, int rows, bool maximized = false) {
    WriteAll(Path(name), QStringLiteral("RowCount=%1\r\nFormMaximized=%2\r\n")
                             .arg(rows)
                             .arg(maximized ? 1 : 0)
                             .toUtf8());
  }

  DocEnv env_;
};

// Start-up's settings: stored values over the defaults, the language before
// the hints, and the first look.
class LoadSettingsTest : public AlbumDocumentTest {
 protected:
  void SetUp() override {
    AlbumDocumentTest::SetUp();
    QCoreApplication::installTranslator(&messages_);
  }

  static QSettings Store() { return QSettings("Quirevale", "Quirevale"); }
  void Load(const std::function<void()>& hints = {}) {
    LoadSettings(env_.Doc(), messages_, [&](const QStringList&) {
      if (hints) hints();
    });
  }

  const SettingsFolder folder_{Path("config")};  // never the person's own settings
  LanguageMessages messages_;
};

}  // namespace

TEST_F(AlbumDocumentTest, AlbumFileOpensItsLookAndDataWhateverTheCurrentFolder) {
  WriteLook("Albums/styles/blue.afm", 7);
  WriteXml("Albums/data/main.xml", "<album2><title>Trip</title><photo src=\"a.jpg\"/></album2>");
  WriteAll(Path("Albums/Trip.alb"), "FormatFile=styles\\blue.afm\r\nDataFile=data\\main.xml\r\n");
  QDir().mkpath(Path("elsewhere"));
  const CurrentDir cwd(Path("elsewhere"));
  env_.Model.AlbumModified = env_.Model.FormatModified = true;

  OpenDocument(env_.Doc(), "../Albums/Trip.alb");

  const AlbumModel& m = env_.Model;
  EXPECT_EQ(m.AlbumFileName, Path("Albums/Trip.alb"));
  EXPECT_EQ(m.FormatFileName, Path("Albums/styles/blue.afm"));
  EXPECT_EQ(env_.Look.RowCount, 7);
  EXPECT_EQ(FilesOf(m.Images(0)), QStringList({Path("Albums/data/a.jpg")}));
  EXPECT_EQ(Flags(m), "");
  EXPECT_EQ(env_.Window.Log.join(", "),
            "cursor AppStart, PositionWindow, ShowSpread 0 -1, cursor Default");
}

TEST_F(AlbumDocumentTest, OpensByExtensionInAnyLetterCase) {
  WriteLook("look.afm", 4);
  WriteXml("main.XmL", "<album2><title>Data</title></album2>");
  WriteAll(Path("photo.jpg"), "not an album");
  env_.Model.AlbumFileName = Path("Old.ALB");
  ImageEdits::SetChapter(env_.Model, 0, ImageList(1));

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
    EXPECT_EQ(env_.Window.Cursor, CursorKind::Default);
  }
  EXPECT_EQ(env_.Model.DataTitles[0], "Data");
}

TEST_F(AlbumDocumentTest, MissingFormatAndDataFilesOpenWithDefaultsAndKeepTheirNames) {
  WriteAll(Path("Trip.ALB"), "DataFile=gone.xml\r\nFormatFile=gone.afm\r\n");
  AlbumModel& m = env_.Model;
  env_.Look.RowCount = 9;
  m.ChapterNames << "old";  // what an earlier album left
  ImageEdits::SetChapter(m, 0, ImageList(1));
  OpenDocument(env_.Doc(), Path("Trip.ALB"));
  EXPECT_EQ(env_.Look, DocEnv().Look);
  EXPECT_EQ(m.FormatFileName, Path("gone.afm"));
  EXPECT_EQ(m.DataFiles, QStringList({Path("gone.xml")}));
  EXPECT_EQ(m.DataTitles + m.ImageDirs, QStringList({"", ""}));
  EXPECT_EQ(m.ChapterCount() + m.ImageCount(0), 0);
  EXPECT_EQ(env_.Progress.Log.last(), "hide");
}

TEST_F(AlbumDocumentTest, AnAlbumThatFailsToOpenLeavesTheOpenOneWhole) {
  WriteLook("a.afm", 4);
  WriteXml("a.xml", "<album2><title>A</title><photo src=\"a.jpg\"/></album2>");
  const QByteArray albumA = "DataFile=a.xml\r\nFormatFile=a.afm\r\n";
  WriteAll(Path("A.ALB"), albumA);
  WriteXml("b.xml", "<album2><title>B</title></album2>");
  QDir().mkpath(Path("b.afm"));  // there, but not a file that reads
  const QByteArray albumB = "DataFile=b.xml\r\nFormatFile=b.afm\r\n";
  WriteAll(Path("B.ALB"), albumB);
  OpenDocument(env_.Doc(), Path("A.ALB"));
  const AlbumModel& m = env_.Model;
  const AlbumModel before = m;

  EXPECT_THROW(OpenDocument(env_.Doc(), Path("B.ALB")), EFileError);

  EXPECT_EQ(QStringList({m.AlbumFileName, m.FormatFileName}),
            QStringList({before.AlbumFileName, before.FormatFileName}));
  EXPECT_EQ(m.DataFiles + m.DataTitles, before.DataFiles + before.DataTitles);
  EXPECT_EQ(m.Images(0), before.Images(0));
  EXPECT_EQ(env_.Look.RowCount, 4);
  env_.Model.AlbumModified = true;
  WriteAlbumFile(env_.Doc());
  EXPECT_EQ(ReadAll(Path("A.ALB")) + ReadAll(Path("B.ALB")), albumA + albumB);
}

TEST_F(AlbumDocumentTest, LookAppliedInPlaceKeepsTheWindowsPlaceAndMaximisedState) {
  WriteLook("max.afm", 5, true);
  env_.Look.FormMaximized = false;
  env_.Window.Geometry = QRect(11, 22, 700, 500);
  OpenFormatFile(env_.Doc(), Path("max.afm"), false);
  const AlbumLook& l = env_.Look;
  EXPECT_EQ(l.RowCount, 5);
  EXPECT_FALSE(l.FormMaximized);
  EXPECT_EQ(QRect(l.FormLeft, l.FormTop, l.FormWidth, l.FormHeight), env_.Window.Geometry);
  EXPECT_EQ(env_.Window.Calls(), QStringList({"RebuildPages"}));

  env_.Window.Log.clear();
  OpenFormatFile(env_.Doc(), Path("max.afm"), true);
  EXPECT_TRUE(l.FormMaximized);
  EXPECT_EQ(env_.Window.Calls(), QStringList({"PositionWindow"}));
}

TEST_F(AlbumDocumentTest, SavingANewAlbumWritesItsLookAndADataFileBesideIt) {
  AlbumModel& m = env_.Model;
  m.ResetToNew();
  ImageEdits::SetChapter(m, 0, ImagesOf({Path("pic.jpg")}));
  m.DataModified[0] = true;
  m.AlbumFileName = Path("Trip.ALB");
  m.FormatFileName = QStringLiteral("looks/trip.afm");
  QDir().mkpath(Path("looks"));

  WriteAlbumFile(env_.Doc());

  EXPECT_EQ(m.DataFiles[0], Path("Trip.XML"));
  EXPECT_TRUE(ReadAll(Path("Trip.XML")).contains("<photo src=\"pic.jpg\">"));
  EXPECT_TRUE(QFile::exists(Path("looks/trip.afm")));
  EXPECT_EQ(ReadAll(Path("Trip.ALB")), "DataFile=Trip.XML\r\nFormatFile=looks/trip.afm\r\n");
  EXPECT_EQ(Flags(m), "");
}

TEST_F(AlbumDocumentTest, ExistingFilesAreNotRewrittenByTheAlbumFile) {
  WriteXml("main.xml", "<album2/>");
  WriteLook("look.afm", 3);
  const QByteArray data = ReadAll(Path("main.xml"));
  AlbumModel& m = env_.Model;
  m.AlbumFileName = Path("A.ALB");
  m.DataFiles[0] = Path("main.xml");
  m.FormatFileName = Path("look.afm");
  m.DataModified[0] = m.FormatModified = m.AlbumModified = true;

  WriteAlbumFile(env_.Doc());

  EXPECT_EQ(ReadAll(Path("main.xml")), data);
  EXPECT_EQ(Flags(m), "df");
  EXPECT_EQ(ReadAll(Path("A.ALB")), "DataFile=main.xml\r\nFormatFile=look.afm\r\n");
}

TEST_F(AlbumDocumentTest, FailedSavesRaiseAndKeepTheOldFileAndTheFlag) {
  WriteXml("main.xml", "<album2/>");
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

  // The look's file alike; asked about it, the user is told.
  m.AlbumModified = false;
  m.FormatModified = true;
  m.FormatFileName = QStringLiteral("nofolder/look.afm");
  EXPECT_THROW(SaveFormatFile(env_.Doc()), EFileError);
  EXPECT_TRUE(m.FormatModified);
  const DocumentContext doc = env_.Doc();
  env_.Window.OnSaveFormat = [&] { SaveFormatFile(doc); };
  env_.Ask.YesNoCancelAnswers = {PromptAnswer::Yes};
  EXPECT_FALSE(AskSaveChanges(doc));
  EXPECT_EQ(env_.Ask.Log.last(), "error: Error writing file");
  EXPECT_TRUE(m.FormatModified);
}

TEST_F(AlbumDocumentTest, AskSaveChangesGoesOnOnlyWhenNothingIsLost) {
  // Flags as Flags() gives them; the questions asked, answered in order
  // (Yes/No/Cancel); whether Save as works; the saves made.
  struct Case {
    const char *before, *questions, *answers;
    bool saveWorks, goesOn;
    const char *calls, *after;
  };
  const Case cases[] = {
      {"", "", "", true, true, "", ""},
      {"d", "DataModified", "Y", true, true, "SaveAlbum", ""},
      {"a", "DataModified", "Y", true, true, "SaveAlbum", ""},
      {"d", "DataModified", "N", true, true, "", "d"},
      {"da", "DataModified", "C", true, false, "", "da"},
      {"f", "FormatModified", "Y", true, true, "SaveFormat", ""},
      {"f", "FormatModified", "C", true, false, "", "f"},
      {"daf", "DataModified FormatModified", "NY", true, true, "SaveFormat", "da"},
      {"daf", "DataModified FormatModified", "NC", true, false, "", "daf"},
      {"af", "DataModified", "Y", false, false, "SaveAlbum", "af"},  // Save as cancelled
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.before) + " " + c.answers + (c.saveWorks ? "" : " no save"));
    QTemporaryDir dir;
    DocEnv env;
    AlbumModel& m = env.Model;
    const QString before = QString::fromUtf8(c.before);
    m.AlbumFileName = dir.filePath("A.ALB");
    m.DataFiles[0] = dir.filePath("A.XML");
    m.FormatFileName = QStringLiteral("A.AFM");
    m.DataModified[0] = before.contains(u'd');
    m.AlbumModified = before.contains(u'a');
    m.FormatModified = before.contains(u'f');
    const DocumentContext doc = env.Doc();
    env.Window.OnSaveAlbum = [&] {
      if (c.saveWorks) WriteAlbumFile(doc);
    };
    env.Window.OnSaveFormat = [&] { SaveFormatFile(doc); };
    for (const char answer : std::string(c.answers))
      env.Ask.YesNoCancelAnswers << (answer == 'Y'   ? PromptAnswer::Yes
                                     : answer == 'N' ? PromptAnswer::No
                                                     : PromptAnswer::Cancel);

    EXPECT_EQ(AskSaveChanges(doc), c.goesOn);
    QStringList questions;
    for (const QString& key : QString(c.questions).split(u' ', Qt::SkipEmptyParts))
      questions << "question: " + Msg(key);
    EXPECT_EQ(env.Ask.Log, questions);
    EXPECT_EQ(env.Window.Calls().join(""), c.calls);
    EXPECT_EQ(Flags(m), c.after);
    if (before.contains(u'd') && !m.AnyDataModified()) {
      EXPECT_TRUE(QFile::exists(m.DataFiles[0]));
    }
  }
}

// The demo album as the build draws it reads whole, and its album, format and data files, written
// again by the program, are what they were, byte for byte.
TEST_F(AlbumDocumentTest, DemoAlbumWrittenAgainIsByteIdentical) {
  const QString demo = QStringLiteral(QV_BINARY_DIR "/samples/demo");
  ASSERT_TRUE(QFile::exists(demo + "/Demo.ALB"));
  std::filesystem::copy(demo.toStdString(), Path("demo").toStdString(),
                        std::filesystem::copy_options::recursive);
  OpenDocument(env_.Doc(), Path("demo/Demo.ALB"));
  AlbumModel& m = env_.Model;
  ASSERT_EQ(m.ChapterCount(), 3);
  EXPECT_GE(m.ImageCount(0) + m.ImageCount(1) + m.ImageCount(2) + m.ImageCount(3), 40);
  EXPECT_TRUE(env_.Ask.Log.isEmpty() && m.PartlyReadFiles.isEmpty());

  // Removed first, so that each is surely written anew.
  QMap<QString, QByteArray> before;
  QDirIterator it(Path("demo"), {"*.ALB", "*.AFM", "*.XML"}, QDir::Files,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString name = it.next();
    before[name] = ReadAll(name);
    QFile::remove(name);
  }
  ASSERT_EQ(before.size(), 6);
  // The demo's look leaves the textures out, so it has the program's own; those are written out.
  QByteArray& look = before[Path("demo/Demo.AFM")];
  look.insert(look.indexOf("PageColor="), QString("CoverTexture=%1\r\nPageTexture=%2\r\n")
                                              .arg(env_.Look.CoverTexture, env_.Look.PageTexture)
                                              .toUtf8());
  for (int k = 0; k <= m.ChapterCount(); ++k) m.DataModified[k] = true;
  m.AlbumModified = m.FormatModified = true;
  SaveModifiedDataFiles(env_.Data());
  WriteAlbumFile(env_.Doc());
  SaveFormatFile(env_.Doc());
  EXPECT_TRUE(Flags(m).isEmpty() && env_.Ask.Log.isEmpty())
      << env_.Ask.Log.join('\n').toStdString();
  for (auto file = before.cbegin(); file != before.cend(); ++file)
    EXPECT_EQ(ReadAll(file.key()), file.value()) << file.key().toStdString();
}

TEST_F(LoadSettingsTest, StoredValuesOverTheDefaultsAndBackAsStored) {
  struct Case {
    const char* what;
    QList<std::pair<QString, QVariant>> stored;
    std::function<void(ProgramSettings&)> expect;  // changes from the defaults
  };
  const Case cases[] = {
      {"nothing stored", {}, [](ProgramSettings&) {}},
      {"a flag as 5",
       {{"FreeMemory", 0}, {"LoadAllChapters", 5}},
       [](auto& s) { s.FreeMemory = false, s.LoadAllChapters = true; }},
      {"every value",
       {{"Language", ""}, {"Profile", "/a.AFM"}, {"MenuSpeed", 3}, {"ConfirmDeletes", 0}},
       [](auto& s) {
         s.Language = "", s.Profile = "/a.AFM", s.MenuSpeed = 3, s.ConfirmDeletes = false;
       }},
      {"the shipped look: the person's own, which is the one written",
       {{"Profile", ShippedDefaultLook()}},
       [](ProgramSettings&) {}},
      {"not a number keeps the default",
       {{"MenuSpeed", "fast"}, {"RunGuide", "yes"}},
       [](ProgramSettings&) {}},
      {"RunGuide off", {{"RunGuide", 0}}, [](auto& s) { s.RunGuide = false; }},
      {"the slideshow's, the interval clamped",
       {{"SlideshowInterval", 99}, {"SlideshowOpensVideos", 1}},
       [](auto& s) { s.SlideshowInterval = 60, s.SlideshowOpensVideos = true; }},
  };
  for (const Case& c : cases) {
    Store().clear();
    {
      QSettings store = Store();
      for (const auto& [key, value] : c.stored) store.setValue(key, value);
    }
    Load();
    ProgramSettings expected = DefaultProgramSettings();
    c.expect(expected);
    EXPECT_EQ(env_.Settings, expected) << c.what;
  }

  // Written back as the store's own types: flags 0/1.
  Store().clear();
  Store().setValue("FreeMemory", 5);
  Load();
  SaveSettings(env_.Settings);
  EXPECT_EQ(Store().value("FreeMemory").toString(), "1");
  EXPECT_EQ(Store().value("LoadAllChapters").toString(), "0");
  EXPECT_EQ(Store().allKeys().size(),
            11);  // with ShareThumbnails, ReadPhotoDetails, the slideshow's
}

TEST_F(LoadSettingsTest, TheLanguageIsReadBeforeTheHintsAreSet) {
  WriteAll(Path("czech.lng"), "DataModified=Album byl změněn.\r\n");
  Store().clear();
  Store().setValue("Language", Path("czech.lng"));
  QString seenByHints;
  Load([&] { seenByHints = Msg("DataModified"); });
  EXPECT_EQ(seenByHints, QString::fromUtf8("Album byl změněn."));
}

TEST_F(LoadSettingsTest, TheDefaultLookOpensAndPlacesTheWindow) {
  AlbumLook stored;
  SetDefaultProfile(stored);
  stored.RowCount = 4;
  ASSERT_TRUE(SaveProfile(Path("mine.AFM"), stored));
  struct Case {
    const char* what;
    QString profile;
    int rows;
  };
  const Case cases[] = {
      {"a stored look", Path("mine.AFM"), 4},
      {"a stored name whose file is gone: the built-in look", Path("gone.AFM"), 3},
  };
  for (const Case& c : cases) {
    Store().clear();
    Store().setValue("Profile", c.profile);
    env_.Window.Log.clear();
    env_.Look.RowCount = 7;
    Load();
    EXPECT_EQ(env_.Look.RowCount, c.rows) << c.what;
    EXPECT_EQ(env_.Model.FormatFileName, c.profile) << c.what << ": saving creates it";
    EXPECT_TRUE(env_.Window.Calls().contains("PositionWindow")) << c.what;
    EXPECT_FALSE(env_.Model.FormatModified) << c.what;
  }
}
