#include "core/data_file.h"

#include <gtest/gtest.h>

#include <QDir>

#include "core/paths.h"
#include "support/album_env.h"
#include "support/file_size_limit.h"

namespace {

// "file|title|date" per entry, joined by ';'.
QString Entries(const ImageList& c) {
  QStringList out;
  for (const ImageRecord& image : c)
    out << NamePart(image.File) + u'|' + image.Title + u'|' + image.Date;
  return out.join(u';');
}

QStringList Column(const ImageList& images, QString ImageRecord::*detail) {
  QStringList out;
  for (const ImageRecord& image : images) out << image.*detail;
  return out;
}

class DataFileTest : public AlbumFilesTest {
 protected:
  void Load(const QString& name = QStringLiteral("main.xml")) {
    LoadAlbumData(env_.Data(), Path(name));
  }
  // ReadDataFile into stale outputs, as "title / folder / entries / links".
  QString Read(const QString& file) {
    QString title;
    QString folder = QStringLiteral("stale");
    ImageList target(1);
    QStringList links{QStringLiteral("stale")};
    QStringList names{QStringLiteral("stale")};
    const bool ok = ReadDataFile(env_.Document, file, title, folder, target, links, names);
    EXPECT_FALSE(env_.Document.IsOpen());
    QStringList linkNames;
    for (int i = 0; i < links.size(); ++i) linkNames << links[i] + u'=' + names.value(i);
    return (ok ? QString() : QStringLiteral("failed: ")) +
           QStringList{title, folder, Entries(target), linkNames.join(u';')}.join(" / ");
  }

  DataEnv env_;
};

}  // namespace

TEST_F(DataFileTest, ReadsTheElementsItKnowsAndSkipsTheRest) {
  struct Case {
    const char *what, *xml, *read;  // read: "title / folder / entries / links"
  };
  const Case cases[] = {
      {"a title child wins over the element's text",
       "<album2><photo src=\"a.jpg\">loose<title>Child</title><date>D</date></photo></album2>",
       " /  / a.jpg|Child|D / "},
      {"another root: the content is the title, child details are not read",
       "<album dir=\"old\"><photo src=\"a.jpg\">Old</photo><photo src=\"b.jpg\"><date>D</date>"
       "</photo></album>",
       " / old / a.jpg|Old|;b.jpg|| / "},
      {"a video is an entry, no src an empty name",
       "<album2><video src=\"clip.avi\"><title>V</title></video><photo>Loose</photo></album2>",
       " /  / clip.avi|V|;|Loose| / "},
      {"the last of two titles wins", "<album2><title>First</title><title>Second</title></album2>",
       "Second /  /  / "},
      {"a link without a target is skipped; unknown elements are ignored",
       "<album2 lang=\"cs\" dir=\"pics\"><link>No target</link><note>n</note>"
       "<link xlink:href=\"c/one.xml\">One</link><photo src=\"a.jpg\"><extra>e</extra></photo>"
       "</album2>",
       " / pics / a.jpg|| / c/one.xml=One"},
      {"escapes and references are resolved",
       "<album2><photo src=\"a&amp;b.jpg\"><title>Tom &amp; Jerry &lt;1999&gt; &#x14C;</title>"
       "</photo></album2>",
       " /  / a&b.jpg|Tom & Jerry <1999> \xC5\x8C| / "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteXml("case.xml", QString::fromUtf8(c.xml));
    EXPECT_EQ(Read(Path("case.xml")), QString::fromUtf8(c.read));
  }
}

TEST_F(DataFileTest, MissingOrNonXmlFilesReadAsNothing) {
  WriteAll(Path("text.xml"), "just some text, no markup");
  QDir().mkpath(Path("folder.xml"));
  for (const QString& name : {Path("none.xml"), Path("text.xml"), Path("folder.xml"), QString()})
    EXPECT_EQ(Read(name), "failed:  /  /  / ") << name.toStdString();
}

// The hand-written file holds every line of the layout: links, escapes,
// empty details, a video, Central European letters and references to
// characters Windows-1250 lacks.
TEST_F(DataFileTest, HandWrittenFileReadsEveryLetterAndWritesBackByteForByte) {
  const QByteArray original = ReadAll(TestDataPath("album2_main_windows1250.xml"));
  ASSERT_FALSE(original.isEmpty());
  const QString main = Path("main.xml");
  WriteAll(main, original);
  QDir().mkpath(Path("pictures"));
  ImageEdits::SetChapter(env_.Model, 5, ImageList(1));  // stale content of an earlier album

  Load();

  const AlbumModel& m = env_.Model;
  const auto u = [](const char* s) { return QString::fromUtf8(s); };
  EXPECT_EQ(m.DataFiles, QStringList({main, "chapters/hory.xml", "chapters/mesta.xml"}));
  EXPECT_EQ(m.ChapterNames, QStringList({u("Hory – Krkonoše"), u("Města & hrady")}));
  EXPECT_EQ(m.DataTitles, QStringList({u("Léto: Třeboň, Kraków, Győr"), "", ""}));
  EXPECT_EQ(m.ImageDirs, QStringList({"pictures", "", ""}));
  const ImageList& c = m.Images(0);
  EXPECT_EQ(FilesOf(c), QStringList({Path("pictures/rybnik.jpg"), Path("pictures/2003/koncert.jpg"),
                                     Path("pictures/klip.avi"), Path("pictures/pohled.jpg")}));
  EXPECT_EQ(Column(c, &ImageRecord::Title),
            QStringList({u("Rybník Svět při západu slunce"), u("Tom & Jerry <1999>"),
                         u("Dunaj „v pohybu“"), u("Ōsaka 東京")}));
  EXPECT_EQ(Column(c, &ImageRecord::Date), QStringList({"12. 7. 2003", "", "srpen 2004", ""}));
  EXPECT_EQ(Column(c, &ImageRecord::Place),
            QStringList({u("Třeboň"), u("Łódź"), u("Győr – Ő ő Ű ű"), ""}));
  EXPECT_EQ(Column(c, &ImageRecord::People),
            QStringList({u("Jiří Dvořák, Žofie Černá"), u("Paweł Kołodziej, Szőke Ödön"), "", ""}));
  EXPECT_EQ(m.ImageCount(1) + m.ImageCount(5), 0);
  const QString opening = Msg("LoadingFile") + "\r\n";
  EXPECT_EQ(env_.Progress.Log,
            QStringList({opening + QDir::toNativeSeparators(main),
                         opening + QDir::toNativeSeparators("chapters/hory.xml"),
                         opening + QDir::toNativeSeparators("chapters/mesta.xml"), "hide"}));

  env_.Model.DataModified[0] = true;
  QFile::remove(main);
  ASSERT_TRUE(WriteDataFile(env_.Data(), 0));
  EXPECT_EQ(ReadAll(main), original);
  EXPECT_FALSE(env_.Model.DataModified[0]);
}

TEST_F(DataFileTest, MissingOrBrokenChapterDoesNotStopTheOthers) {
  WriteXml(
      "main.xml",
      "<album2><title>Main</title>"
      "<link xlink:href=\"c/one.xml\">One</link><link xlink:href=\"c/none.xml\">Two</link>"
      "<link xlink:href=\"c/broken.xml\">Three</link><link xlink:href=\"c/four.xml\">Four</link>"
      "</album2>");
  // A chapter file's own links are neither chapters nor written back.
  WriteXml("c/one.xml",
           "<album2><title>T1</title><link xlink:href=\"x.xml\">X</link>"
           "<photo src=\"a.jpg\"/><photo src=\"b.jpg\"/></album2>");
  WriteAll(Path("c/broken.xml"), "<?xml version=\"1.0\"?><album2><photo src=\"a.jpg\">");
  WriteXml("c/four.xml", "<album2 dir=\"p\"><title>T4</title><photo src=\"d.jpg\"/></album2>");

  Load();

  const AlbumModel& m = env_.Model;
  EXPECT_EQ(m.ChapterNames, QStringList({"One", "Two", "Three", "Four"}));
  EXPECT_EQ(m.DataTitles, QStringList({"Main", "T1", "", "", "T4"}));
  EXPECT_EQ(m.ImageDirs, QStringList({"", "", "", "", "p"}));
  EXPECT_EQ(FilesOf(m.Images(1)), QStringList({Path("c/a.jpg"), Path("c/b.jpg")}));
  EXPECT_EQ(m.ImageCount(2), 0);
  EXPECT_EQ(m.ImageCount(4), 1);
  EXPECT_FALSE(DataFileBytes(m, 1).contains("<link"));
}

TEST_F(DataFileTest, MoreThanTenChaptersKeepsTheFirstTen) {
  QString links;
  for (int i = 1; i <= 12; ++i) {
    links += QStringLiteral("<link xlink:href=\"c%1.xml\">Chapter %1</link>").arg(i);
    WriteXml(QStringLiteral("c%1.xml").arg(i),
             QStringLiteral("<album2><photo src=\"p%1.jpg\"/></album2>").arg(i));
  }
  WriteXml("main.xml", "<album2>" + links + "</album2>");

  Load();

  const AlbumModel& m = env_.Model;
  ASSERT_EQ(m.ChapterCount(), 10);
  EXPECT_EQ(m.DataFiles.size(), MaxDataFiles);
  EXPECT_EQ(m.DataTitles.size(), MaxDataFiles);
  EXPECT_EQ(Entries(m.Images(10)), "p10.jpg||");
  EXPECT_EQ(DataFileBytes(m, 0).count("<link "), 10);
}

TEST_F(DataFileTest, OpenDataFileResetsFlagsAndView) {
  WriteXml("c1.xml", "<album2/>");
  WriteXml("main.xml", "<album2><link xlink:href=\"c1.xml\">C</link></album2>");
  for (const bool editAndLoadAll : {false, true}) {
    SCOPED_TRACE(editAndLoadAll);
    AlbumModel& m = env_.Model;
    env_.Window.Log.clear();
    env_.Window.EditMode = editAndLoadAll;
    env_.LoadAllChapters = editAndLoadAll;
    m.DataModified.fill(true);
    env_.Thumbs.Loaded.fill(true);
    OpenDataFile(env_.Data(), Path("main.xml"));
    EXPECT_FALSE(m.AnyDataModified());
    EXPECT_EQ(std::count(env_.Thumbs.Loaded.begin(), env_.Thumbs.Loaded.end(), true), 0);
    EXPECT_FALSE(env_.Window.EditMode);
    EXPECT_EQ(env_.Window.Calls().join(", "),
              editAndLoadAll ? "EditMode, LoadThumbnails 0, LoadThumbnails 1, ShowSpread 0 -1"
                             : "ShowSpread 0 -1");
  }
}

TEST_F(DataFileTest, ChapterInASubfolderIsLinkedRelative) {
  AlbumModel& m = env_.Model;
  QDir().mkpath(Path("sub"));
  m.DataFiles = QStringList({Path("main.xml"), Path("sub/ch.xml"), Path("other.xml")});
  m.ChapterNames = QStringList({"Sub", "Other"});
  m.DataTitles = QStringList({"Main", "In sub", "Other"});
  m.ImageDirs = QStringList({"", "", ""});
  ImageEdits::SetChapter(m, 1, ImagesOf({Path("sub/pic.jpg")}));
  m.DataModified[0] = m.DataModified[1] = true;  // chapter 2 is unchanged and is not written

  SaveModifiedDataFiles(env_.Data());

  EXPECT_EQ(m.DataFiles, QStringList({Path("main.xml"), "sub/ch.xml", "other.xml"}));
  EXPECT_TRUE(ReadAll(Path("main.xml")).contains("<link xlink:href=\"sub/ch.xml\">Sub</link>"));
  EXPECT_TRUE(ReadAll(Path("sub/ch.xml")).contains("<photo src=\"pic.jpg\">"));
  EXPECT_FALSE(QFile::exists(Path("other.xml")));
  EXPECT_FALSE(m.AnyDataModified());
  EXPECT_EQ(env_.Window.Cursor, CursorKind::Default);

  DataEnv again;
  LoadAlbumData(again.Data(), Path("main.xml"));
  EXPECT_EQ(again.Model.DataFiles, m.DataFiles);
  EXPECT_EQ(again.Model.Images(1), m.Images(1));
}

TEST_F(DataFileTest, FailedWriteKeepsTheOldFileAndTheFlag) {
  AlbumModel& m = env_.Model;
  const QByteArray old = kDataFileHeader + "<album2><title>Old</title></album2>\r\n";
  WriteAll(Path("main.xml"), old);
  m.DataFiles = QStringList({Path("main.xml")});
  ImageEdits::SetChapter(
      m, 0,
      ImageList(20, {{}, QStringLiteral("a title long enough to pass the limit"), {}, {}, {}}));
  m.DataModified[0] = true;
  {
    const FileSizeLimit limit(old.size() + 10);
    EXPECT_FALSE(WriteDataFile(env_.Data(), 0));
  }
  EXPECT_EQ(env_.Ask.Log, QStringList({"warning: Error writing file"}));
  EXPECT_TRUE(m.DataModified[0]);
  EXPECT_EQ(ReadAll(Path("main.xml")), old);
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList({"main.xml"}));
  EXPECT_EQ(env_.Window.Cursor, CursorKind::Default);
}

TEST_F(DataFileTest, FileNamesAndTextsComeBackAsTheyWereWritten) {
  // No file at all, a tab, line breaks of each kind, blanks at the ends,
  // escapes, letters the code page lacks.
  const QStringList names{"",           "a\tb.jpg",     "two\nlines.jpg",
                          "cr\r.jpg",   "crlf\r\n.jpg", " x .jpg",
                          "q\"&<>.jpg", "&#65;.jpg",    QString::fromUtf8("東京.jpg")};
  const QString title = QString::fromUtf8("Ōsaka 東京 😀 čřžőł");
  AlbumModel& m = env_.Model;
  QDir().mkpath(Path("pics"));
  m.DataFiles = QStringList({Path("main.xml")});
  m.DataTitles = QStringList({title});
  m.ImageDirs = QStringList({"pics"});
  ImageList images;
  for (const QString& name : names)
    images.push_back({name.isEmpty() ? name : Path("pics/" + name), title, {}, {}, {}});
  images[1].Title += QStringLiteral("\x01\x1F");  // XML cannot carry these, not even as references
  ImageEdits::SetChapter(m, 0, images);
  m.DataModified[0] = true;
  ASSERT_TRUE(WriteDataFile(env_.Data(), 0));
  const QByteArray bytes = ReadAll(Path("main.xml"));
  EXPECT_TRUE(bytes.contains("<photo src=\"\">"));
  EXPECT_TRUE(bytes.contains("\xE8\xF8\x9E\xF5\xB3"));  // as the code page has them
  EXPECT_FALSE(bytes.contains(dir_.path().toUtf8()));   // no path of this machine

  DataEnv again;
  LoadAlbumData(again.Data(), Path("main.xml"));
  EXPECT_EQ(again.Model.DataTitles[0], title);
  EXPECT_EQ(FilesOf(again.Model.Images(0)), FilesOf(images));
  EXPECT_EQ(Column(again.Model.Images(0), &ImageRecord::Title), QStringList(names.size(), title));
}

TEST_F(DataFileTest, LinksToTheMainFileOrToAChapterTwiceAreLeftOut) {
  QDir().mkpath(Path("sub"));
  WriteXml("c1.xml", "<album2><photo src=\"a.jpg\"/></album2>");
  WriteXml("c2.xml", "<album2><photo src=\"b.jpg\"/></album2>");
  WriteXml("main.xml",
           "<album2><link xlink:href=\"main.xml\">Self</link><link xlink:href=\"c1.xml\">One</link>"
           "<link xlink:href=\"sub/../c1.xml\">Again</link><link xlink:href=\"c2.xml\">Two</link>"
           "</album2>");
  Load();
  const AlbumModel& m = env_.Model;
  EXPECT_EQ(m.ChapterNames, QStringList({"One", "Two"}));
  EXPECT_EQ(Entries(m.Images(2)), "b.jpg||");
  const QString skipped = Msg("LinkSkipped") + "\r\n";
  EXPECT_TRUE(env_.Progress.Log.contains(skipped + "main.xml"));
  EXPECT_TRUE(env_.Progress.Log.contains(skipped + QDir::toNativeSeparators("sub/../c1.xml")));
}

// A damaged file: every image that is whole loads, the user is told once
// where the damage is, and saving over it asks and keeps the original.
TEST_F(DataFileTest, DamagedFileLoadsItsWholeImagesAndIsNotSavedOverUnasked) {
  const auto photo = [](const QByteArray& name, const QByteArray& title) {
    return "\t<photo src=\"" + name + "\">\r\n\t\t<title>" + title + "</title>\r\n\t</photo>\r\n";
  };
  struct Case {
    const char* what;
    QByteArray middle;  // the second photo, or what stands in its place
    const char *titles, *place;
    bool cut = false;  // the file ends after middle
  };
  const Case cases[] = {
      {"a mistyped end tag (after a bare ampersand)",
       "\t<photo src=\"b.jpg\">\r\n\t\t<title>B & C</titel>\r\n\t</photo>\r\n", "A|C",
       "9, column 15"},
      {"a bare less-than sign", photo("b.jpg", "B < 2"), "A|C", "10, column 2"},
      {"a zero byte", photo("b.jpg", QByteArray("B\0x", 3)), "A|C", "9, column 11"},
      {"a stray end tag between images", photo("b.jpg", "B") + "</x>", "A|B|C", "11, column 1"},
      {"a file cut short", "\t<photo src=\"b.jpg\">\r\n\t\t<title>B", "A", "9, column 11", true},
      {"a bare ampersand is no damage", photo("b&.jpg", "Tom & Jerry &amp x"),
       "A|Tom & Jerry &amp x|C", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    QByteArray original = kDataFileHeader + "<album2>\r\n" + photo("a.jpg", "A") + c.middle;
    if (!c.cut) original += photo("c.jpg", "C") + "</album2>\r\n";
    WriteAll(Path("main.xml"), original);
    DataEnv env;
    LoadAlbumData(env.Data(), Path("main.xml"));
    EXPECT_EQ(Column(env.Model.Images(0), &ImageRecord::Title).join(u'|'), c.titles);
    const QString place = c.place;
    EXPECT_EQ(env.Ask.Log.join(""),
              place.isEmpty()
                  ? QString()
                  : "warning: The file " + QDir::toNativeSeparators(Path("main.xml")) +
                        " is damaged at line " + place +
                        ". Only the entries that are "
                        "whole were read, and the file is not saved over without asking.");
  }
}

TEST_F(DataFileTest, SavingOverADamagedFileAsksAndKeepsTheOriginal) {
  const QByteArray original =
      kDataFileHeader + "<album2><photo src=\"a.jpg\"/><photo><title>B</titel></photo></album2>";
  WriteAll(Path("main.xml"), original);
  WriteAll(Path("main.xml.bak"), "an older backup");
  Load();
  AlbumModel& m = env_.Model;
  m.DataModified[0] = true;
  env_.Ask.Log.clear();
  const QString question = Msg("OverwriteDamaged")
                               .arg(QDir::toNativeSeparators(Path("main.xml")),
                                    QDir::toNativeSeparators(Path("main.xml.2.bak")));

  env_.Ask.YesNoAnswers = {false};
  EXPECT_FALSE(WriteDataFile(env_.Data(), 0));
  EXPECT_EQ(ReadAll(Path("main.xml")), original);
  EXPECT_FALSE(QFile::exists(Path("main.xml.2.bak")));
  EXPECT_TRUE(m.DataModified[0]);

  env_.Ask.YesNoAnswers = {true};
  EXPECT_TRUE(WriteDataFile(env_.Data(), 0));
  EXPECT_EQ(ReadAll(Path("main.xml.2.bak")), original);
  EXPECT_EQ(ReadAll(Path("main.xml.bak")), "an older backup");
  EXPECT_EQ(env_.Ask.Log, QStringList({"yesno: " + question, "yesno: " + question}));

  // Written whole, the file is saved as any other.
  m.DataModified[0] = true;
  EXPECT_TRUE(WriteDataFile(env_.Data(), 0));
  EXPECT_EQ(env_.Ask.Log.size(), 2);
  DataEnv again;
  LoadAlbumData(again.Data(), Path("main.xml"));
  EXPECT_EQ(Entries(again.Model.Images(0)), "a.jpg||");
  EXPECT_TRUE(again.Ask.Log.isEmpty());
}
