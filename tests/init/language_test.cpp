#include "init/language.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <memory>
#include <type_traits>

#include "core/message_table.h"
#include "support/test_files.h"

namespace {

template <typename T, typename Parent>
T* Make(Parent* parent, const char* name, const char* text = nullptr) {
  auto* w = new T(parent);
  w->setObjectName(name);
  if (text) w->setProperty(std::is_same_v<T, QGroupBox> ? "title" : "text", QString(text));
  return w;
}

// Stand-ins for the translated windows with one control of each kind, some
// nested, and a window that is never translated.
struct Windows {
  std::unique_ptr<QWidget> main = std::make_unique<QWidget>();
  std::unique_ptr<QDialog> setup = std::make_unique<QDialog>();
  std::unique_ptr<QDialog> guide = std::make_unique<QDialog>();
  QAction* save = Make<QAction>(main.get(), "Save", "Save");
  QLabel* chapter = Make<QLabel>(main.get(), "lbChapter", "Chapter");
  // A dialog the main window owns is translated as a window of its own.
  QDialog* go = Make<QDialog>(main.get(), "fGoto");
  QLabel* goChapter = Make<QLabel>(go, "lbChapter", "Chapter");
  QLabel* goPage = Make<QLabel>(go, "lbPage", "Page");
  QPushButton* ok = Make<QPushButton>(setup.get(), "btOK", "OK");
  QTabWidget* tabs = Make<QTabWidget>(setup.get(), "pages");
  QWidget* general = Make<QWidget>(tabs, "pgGeneral");
  QGroupBox* box = Make<QGroupBox>(general, "BoxPicDescription", "Image description");
  QCheckBox* frames = Make<QCheckBox>(box, "btFrames", "Thumbnail frames");
  QRadioButton* cover = Make<QRadioButton>(box, "btCover", "Album cover");
  QLabel* title = Make<QLabel>(box, "lbTitle", "Title");
  QLineEdit* edit = Make<QLineEdit>(box, "edTitle", "My album");
  QToolButton* speed = Make<QToolButton>(general, "btSpeed", "S");
  QLabel* guideStep = Make<QLabel>(guide.get(), "lbStep", "Step");

  Windows() {
    main->setObjectName("fAlbumBrowser");
    main->setWindowTitle("Album Browser");
    setup->setObjectName("fSetup");
    setup->setWindowTitle("Settings");
    tabs->addTab(general, "General");
    guide->setObjectName("fGuide");
  }
  // Every caption, in the order of the members.
  QString Captions() const {
    return QStringList{
        main->windowTitle(), setup->windowTitle(), guide->windowTitle(), save->text(),
        chapter->text(),     goChapter->text(),    goPage->text(),       ok->text(),
        tabs->tabText(0),    box->title(),         frames->text(),       cover->text(),
        title->text(),       edit->text(),         speed->text(),        guideStep->text()}
        .join(" | ");
  }
};

bool LoadText(const QByteArray& bytes, LanguageMessages& messages) {
  QTemporaryDir dir;
  const QString path = dir.filePath("test.lng");
  WriteAll(path, bytes);
  return LoadLanguage(path, messages);
}

}  // namespace

TEST(Language, ControlsAndCaptionsOfTheTranslatedWindows) {
  Windows w;
  LanguageMessages messages;
  ASSERT_TRUE(
      LoadText("fSetup=Nastaven\xC3\xAD\r\n"
               "fsetup.BTOK=Confirm\r\n"  // keys ignore case; the first line counts
               "fSetup.btOK=Second\r\n"
               "fSetup.pgGeneral=Obecn\xC3\xA9\r\n"
               "fSetup.BoxPicDescription=Popis\r\n"
               "fSetup.btFrames=R\xC3\xA1m\r\n"
               "fSetup.btCover=Ob\xC3\xA1lka\r\n"
               "fSetup.lbTitle=N\xC3\xA1zev\r\n"
               "fSetup.edTitle=not an edit's text\r\n"
               "fSetup.btSpeed=not a speed button's\r\n"
               "fSetup.pages=not the tab widget's\r\n"
               "fAlbumBrowser.Save=Ulo\xC5\xBEit\r\n"
               "fAlbumBrowser.lbChapter=Kapitola\r\n"
               "fAlbumBrowser.lbPage=not the dialog's\r\n"
               "fGoto.lbPage=Strana\r\n"
               "fAlbumBrowser=\r\n"  // an empty text is ignored
               "fGuide.lbStep=not the guide's\r\n"
               "fGuide=not the guide's\r\n",
               messages));
  EXPECT_EQ(w.Captions(), QString::fromUtf8("Album Browser | Nastavení |  | Uložit | Kapitola | "
                                            "Chapter | Strana | Confirm | "
                                            "Obecné | Popis | Rám | Obálka | Název | My album | "
                                            "S | Step"));
}

TEST(Language, MessageRules) {
  const struct {
    QByteArray file;
    const char *key, *text;
  } cases[] = {
      {"DeleteImages=\r\n", "DeleteImages", "Remove selected images from the album?"},
      {"NewerMessage=Something\r\n", "NewerMessage", ""},
      {"pagenr=Strana\r\nPageNr=Seite\r\n", "PageNr", "Strana"},
      {"Reload?=Znovu na\xC4\x8D\xC3\xADst? a=b\r\n", "Reload?", "Znovu načíst? a=b"},
      {"Step1=Krok 1.\r\n", "Step3", "Step 3. "},  // the trailing blank stays
      {"Step2=Krok 2.\r\n", "Step1", "Step 1. Select title and filename for the new album."},
      // Windows-1250 bytes.
      {"DeleteImages=Odstranit vybran\xE9 obr\xE1zky? \x8E\xE1\x64n\xE9\r\n", "DeleteImages",
       "Odstranit vybrané obrázky? Žádné"},
  };
  LanguageMessages messages;
  QCoreApplication::installTranslator(&messages);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file.constData());
    messages.SetLines({"Step1=left over from an earlier language"});
    ASSERT_TRUE(LoadText(c.file, messages));
    EXPECT_EQ(Msg(c.key), QString::fromUtf8(c.text));
  }
}

TEST(Language, NoFileAndTheEmptyName) {
  Windows w;
  const QString english = w.Captions();
  LanguageMessages messages({"PageNr=Strana"});
  QCoreApplication::installTranslator(&messages);
  EXPECT_FALSE(LoadLanguage(QTemporaryDir().filePath("english.lng"), messages));
  EXPECT_EQ(Msg("PageNr"), "Strana");  // a missing file changes nothing

  EXPECT_TRUE(LoadLanguage("", messages));  // the built-in English texts
  EXPECT_EQ(Msg("PageNr"), "Page");
  EXPECT_EQ(w.Captions(), english);
}
