// Saving as a person does it, in the program's own window (editing and
// browsing installed as at start-up): nothing that was edited or is on disk
// is lost. A Windows-1250 album with two chapters is made for each test.
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <csignal>

#include "app/startup.h"
#include "browser_fixture.h"
#include "core/text_codec.h"
#include "init/profile_file.h"
#include "support/album_env.h"
#include "support/controls.h"
#include "support/file_size_limit.h"
#include "support/test_files.h"

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// One image as the program writes it.
QString Photo(const char* src, const char* title, const char* place) {
  return U("\t<photo src=\"%1\">\r\n\t\t<title>%2</title>\r\n\t\t<date></date>\r\n"
           "\t\t<place>%3</place>\r\n\t\t<people></people>\r\n\t</photo>\r\n")
      .arg(U(src), U(title), U(place));
}

// A chapter file of old/chapters whose pictures are in old/pictures.
QByteArray ChapterFile(const char* title, const QString& photos) {
  const QString text = U("<album2 dir=\"../pictures\">\r\n\t<title>%1</title>\r\n").arg(U(title)) +
                       photos + QStringLiteral("</album2>\r\n");
  return kDataFileHeader + EncodeText(xml::CodePage::Windows1250, text);
}

// Typed as a Czech keyboard does: keys that carry their letters (QTest's
// own typing knows ASCII only).
void TypeText(QWidget* widget, const QString& text) {
  for (const QChar ch : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(widget, &release);
  }
}

const QString kHoryPhotos = Photo("snezka.jpg", "Sněžka v mlze", "Krkonoše") +
                            Photo("bouda.jpg", "Luční bouda", "Úpská rašelina");
const QString kMestaPhotos = Photo("brno.jpg", "Špilberk – hrad", "Brno");

// The window as the program starts it, over its own settings.
class SavingTest : public BrowserTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, Path("config"));
    std::signal(SIGXFSZ, SIG_DFL);  // as a process starts
    Show(StartBookWindow(QString(), &ask_));
    WriteAlbum();
  }

  // Ctrl+O and the file chosen in the dialog.
  void Open(const QString& file) {
    ask_.OpenFileNames << file;
    Key(Qt::Key_O, Qt::ControlModifier);
  }
  // Edit mode on chapter k, the first image selected and deleted (confirmed).
  void DeleteFirstImageOf(int k) {
    Key(Qt::Key_1 + k);
    if (!W().IsEditMode()) Key(Qt::Key_F5);
    Key(Qt::Key_Home);
    ask_.OkCancelAnswers << true;
    Key(Qt::Key_Delete);
  }
  QString Native(const QString& name) const { return QDir::toNativeSeparators(Path(name)); }

  // In old/: the album file, the look (bookmark colours of its own), the
  // main data file of tests/data linking chapters/hory.xml and
  // chapters/mesta.xml, and the picture folder its images are named in.
  void WriteAlbum() {
    QDir().mkpath(Path("old/pictures/2003"));
    WriteAll(Path("old/album.xml"), ReadAll(TestDataPath("album2_main_windows1250.xml")));
    WriteAll(Path("old/chapters/hory.xml"), ChapterFile("Krkonoše", kHoryPhotos));
    WriteAll(Path("old/chapters/mesta.xml"), ChapterFile("Města", kMestaPhotos));
    WriteAll(Path("old/album.ALB"), "DataFile=album.xml\r\nFormatFile=look.AFM\r\n");
    AlbumLook look;
    SetDefaultProfile(look);
    look.BM[0] = RGBColor(10, 120, 30);
    look.BM[1] = RGBColor(200, 20, 90);
    ASSERT_TRUE(SaveProfile(Path("old/look.AFM"), look));
  }
};

TEST_F(SavingTest, OneChapterFileLinkedUnderAnotherNameIsOneChapter) {
  ASSERT_TRUE(QFile::link(Path("old/chapters/hory.xml"), Path("old/alias.xml")));
  QByteArray main = ReadAll(Path("old/album.xml"));
  main.replace("</album2>", "<link xlink:href=\"alias.xml\">Again</link></album2>");
  WriteAll(Path("old/album.xml"), main);
  Open(Path("old/album.ALB"));
  EXPECT_EQ(Model().ChapterNames, QStringList({U("Hory – Krkonoše"), U("Města & hrady")}));
}

TEST_F(SavingTest, AFileSizeLimitFailsTheSaveAndKeepsEveryEdit) {
  Open(Path("old/album.ALB"));
  DeleteFirstImageOf(2);
  const QByteArray old = ReadAll(Path("old/chapters/mesta.xml"));
  {
    FileSizeLimit limit(64, FileSizeLimit::Signal::AsTheProgramSetIt);
    Key(Qt::Key_F3);
  }
  EXPECT_EQ(ask_.Log.value(ask_.Log.size() - 1), "warning: " + Msg("ErrorWritingFile"));
  EXPECT_EQ(ReadAll(Path("old/chapters/mesta.xml")), old);
  EXPECT_TRUE(Model().DataModified[2]);
  EXPECT_EQ(Model().ImageCount(2), 0);
  Key(Qt::Key_F3);
  EXPECT_EQ(ReadAll(Path("old/chapters/mesta.xml")), ChapterFile("Města", QString()));
}

TEST_F(SavingTest, AFileChangedByAnotherProgramIsOverwrittenOnlyWhenThePersonSaysSo) {
  Open(Path("old/album.ALB"));
  struct Case {
    const char* file;
    std::function<void()> change;  // an unsaved change the file gets on saving
    std::function<bool()> unsaved;
    bool sameSize;  // the other program kept the size, not the time
  };
  const Case cases[] = {
      {"old/chapters/hory.xml", [&] { DeleteFirstImageOf(1); },
       [&] { return Model().DataModified[1]; }, false},
      {"old/album.ALB", [&] { Model().AlbumModified = true; },
       [&] { return Model().AlbumModified; }, true},
      {"old/look.AFM",
       [&] {
         Look().RowCount += 1;
         Model().FormatModified = true;
       },
       [&] { return Model().FormatModified; }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    c.change();
    const QString file = Path(c.file);
    QByteArray theirs = ReadAll(file);
    if (c.sameSize) {
      theirs[0] = theirs[0] == 'D' ? 'd' : 'D';
    } else {
      theirs += "\r\n";
    }
    WriteAll(file, theirs);
    QFile touched(file);
    ASSERT_TRUE(touched.open(QIODevice::ReadWrite));
    ASSERT_TRUE(touched.setFileTime(QDateTime::currentDateTime().addSecs(60),
                                    QFileDevice::FileModificationTime));
    touched.close();

    ask_.Log.clear();
    ask_.YesNoAnswers << false;
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ask_.Log.join('\n'), "yesno: " + Msg("FileChangedOnDisk").arg(Native(c.file)));
    EXPECT_EQ(ReadAll(file), theirs);
    EXPECT_TRUE(c.unsaved());

    ask_.YesNoAnswers << true;
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_NE(ReadAll(file), theirs);
    EXPECT_FALSE(c.unsaved());
    ask_.Log.clear();
    c.change();
    Key(Qt::Key_S, Qt::ControlModifier);  // saved just now: nothing to ask
    EXPECT_TRUE(ask_.Log.filter("yesno").isEmpty()) << ask_.Log.join('\n').toStdString();
    EXPECT_FALSE(c.unsaved());
  }
}

// A person's whole session on a copy of a Windows-1250 album: an image
// deleted, one retitled twice and the second title undone, the album saved
// as its three files into another folder, and opened again from there.
TEST_F(SavingTest, AnEditedAlbumSavedIntoAnotherFolderOpensAsItWasLeft) {
  Open(Path("old/album.ALB"));
  const AlbumModel before = Model();
  DeleteFirstImageOf(1);
  Key(Qt::Key_1);
  Key(Qt::Key_Home);
  const QString evening = U("Večer u rybníka – Třeboň");
  for (const QString& title : {evening, QStringLiteral("Oops")}) {
    Key(Qt::Key_F6);
    QWidget* details = Control(&W(), "fPicDetails");
    ASSERT_NE(details, nullptr);
    QV_WAIT(details->isVisible());
    auto* edTitle = details->findChild<QLineEdit*>("edTitle");
    edTitle->selectAll();
    TypeText(edTitle, title);
    QTest::mouseClick(details->findChild<QPushButton*>("btApply"), Qt::LeftButton);
    QTest::mouseClick(details->findChild<QPushButton*>("btClose"), Qt::LeftButton);
    QV_WAIT(!details->isVisible());
    Activate();
  }
  ASSERT_EQ(Model().Images(0)[0].Title, "Oops");
  Key(Qt::Key_Z, Qt::ControlModifier);
  ASSERT_EQ(Model().Images(0)[0].Title, evening);

  QDir().mkpath(Path("new"));
  ask_.SaveFileNames << Path("new/album.ALB") << Path("new/album.xml") << Path("new/look.AFM");
  Key(Qt::Key_F2, Qt::ShiftModifier);
  Key(Qt::Key_F3, Qt::ShiftModifier);
  Key(Qt::Key_F4, Qt::ShiftModifier);
  Key(Qt::Key_S, Qt::ControlModifier);
  EXPECT_FALSE(Model().AlbumModified || Model().AnyDataModified() || Model().FormatModified);
  const auto bm = Look().BM;

  Open(Path("new/album.ALB"));
  // Nothing failed, nothing was left unsaved to be asked about.
  EXPECT_TRUE(ask_.Log.filter(QRegularExpression("^(question|yesno|warning|error)")).isEmpty())
      << ask_.Log.join('\n').toStdString();
  const AlbumModel& after = Model();
  EXPECT_EQ(after.AlbumFileName, Path("new/album.ALB"));
  EXPECT_EQ(after.DataFiles.value(0), Path("new/album.xml"));
  EXPECT_EQ(after.ChapterNames, before.ChapterNames);
  EXPECT_EQ(after.DataTitles, before.DataTitles);
  ImageList expected = before.Images(0);
  expected[0].Title = evening;
  EXPECT_EQ(after.Images(0), expected);
  EXPECT_EQ(after.Images(1), before.Images(1).mid(1));
  EXPECT_EQ(after.Images(2), before.Images(2));
  EXPECT_EQ(Look().BM, bm);
  EXPECT_EQ(Look().BM[1], RGBColor(200, 20, 90));

  // Byte for byte: the letters are the code page's, the names lead back to
  // the old folder, and only the new title differs.
  QByteArray main = ReadAll(TestDataPath("album2_main_windows1250.xml"));
  main.replace("dir=\"pictures\"", "dir=\"../old/pictures\"");
  main.replace("href=\"chapters/", "href=\"../old/chapters/");
  main.replace(EncodeText(xml::CodePage::Windows1250, U("Rybník Svět při západu slunce")),
               EncodeText(xml::CodePage::Windows1250, evening));
  EXPECT_EQ(ReadAll(Path("new/album.xml")), main);
  EXPECT_EQ(ReadAll(Path("new/album.ALB")), "DataFile=album.xml\r\nFormatFile=look.AFM\r\n");
  EXPECT_EQ(ReadAll(Path("new/look.AFM")), ReadAll(Path("old/look.AFM")));
  EXPECT_EQ(ReadAll(Path("old/album.xml")), ReadAll(TestDataPath("album2_main_windows1250.xml")));
}

}  // namespace
