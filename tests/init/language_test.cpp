#include "init/language.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <functional>
#include <memory>
#include <type_traits>

#include "core/message_table.h"
#include "support/test_files.h"

namespace {

template <typename T>
T* Make(QWidget* parent, const char* name, const QString& text = QString()) {
  auto* w = new T(parent);
  w->setObjectName(name);
  if constexpr (std::is_base_of_v<QAbstractButton, T> || std::is_same_v<T, QLabel> ||
                std::is_same_v<T, QLineEdit>) {
    w->setText(text);
  }
  return w;
}

// Small stand-ins for the translated windows, with one control of each kind,
// some of them nested, and a window that is never translated.
struct Windows {
  std::unique_ptr<QWidget> main = std::make_unique<QWidget>();
  std::unique_ptr<QDialog> setup = std::make_unique<QDialog>();
  std::unique_ptr<QDialog> guide = std::make_unique<QDialog>();
  QAction* save = nullptr;
  QPushButton* ok = nullptr;
  QTabWidget* tabs = nullptr;
  QWidget* general = nullptr;
  QGroupBox* box = nullptr;
  QCheckBox* frames = nullptr;
  QRadioButton* cover = nullptr;
  QLabel* title = nullptr;
  QLineEdit* edit = nullptr;
  QToolButton* speed = nullptr;
  QLabel* guideStep = nullptr;

  Windows() {
    main->setObjectName("fAlbumBrowser");
    main->setWindowTitle("Album Browser");
    save = new QAction("Save", main.get());
    save->setObjectName("Save");
    setup->setObjectName("fSetup");
    setup->setWindowTitle("Settings");
    ok = Make<QPushButton>(setup.get(), "btOK", "OK");
    tabs = Make<QTabWidget>(setup.get(), "pages");
    general = new QWidget;
    general->setObjectName("pgGeneral");
    tabs->addTab(general, "General");
    box = Make<QGroupBox>(general, "BoxPicDescription");
    box->setTitle("Image description");
    frames = Make<QCheckBox>(box, "btFrames", "Thumbnail frames");
    cover = Make<QRadioButton>(box, "btCover", "Album cover");
    title = Make<QLabel>(box, "lbTitle", "Title");
    edit = Make<QLineEdit>(box, "edTitle", "My album");
    speed = Make<QToolButton>(general, "btSpeed", "S");
    guide->setObjectName("fGuide");
    guideStep = Make<QLabel>(guide.get(), "lbStep", "Step");
  }
};

bool LoadText(const QByteArray& bytes) {
  QTemporaryDir dir;
  const QString path = dir.filePath("test.lng");
  WriteAll(path, bytes);
  return LoadLanguage(path);
}

}  // namespace

TEST(Language, ControlsAndCaptionsOfTheTranslatedWindows) {
  Windows w;
  ASSERT_TRUE(
      LoadText("fSetup=Nastaven\xC3\xAD\r\n"
               "fsetup.BTOK=Confirm\r\n"
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
               "fAlbumBrowser=\r\n"
               "fGuide.lbStep=not the guide's\r\n"
               "fGuide=not the guide's\r\n"));
  EXPECT_EQ(w.setup->windowTitle(), QString::fromUtf8("Nastaven\xC3\xAD"));
  EXPECT_EQ(w.ok->text(), "Confirm");  // keys ignore case; the first line counts
  EXPECT_EQ(w.tabs->tabText(0), QString::fromUtf8("Obecn\xC3\xA9"));
  EXPECT_EQ(w.box->title(), "Popis");
  EXPECT_EQ(w.frames->text(), QString::fromUtf8("R\xC3\xA1m"));
  EXPECT_EQ(w.cover->text(), QString::fromUtf8("Ob\xC3\xA1lka"));
  EXPECT_EQ(w.title->text(), QString::fromUtf8("N\xC3\xA1zev"));
  EXPECT_EQ(w.save->text(), QString::fromUtf8("Ulo\xC5\xBEit"));
  EXPECT_EQ(w.edit->text(), "My album");
  EXPECT_EQ(w.speed->text(), "S");
  EXPECT_EQ(w.main->windowTitle(), "Album Browser");  // an empty text is ignored
  EXPECT_EQ(w.guideStep->text(), "Step");
  EXPECT_EQ(w.guide->windowTitle(), "");
}

TEST(Language, MessageRules) {
  struct Case {
    QByteArray file;
    std::function<void()> check;
  };
  const Case cases[] = {
      {"DeleteImages=\r\n",
       [] { EXPECT_EQ(Msg("DeleteImages"), "Remove selected images from the album?"); }},
      {"NewerMessage=Something\r\n",
       [] {
         EXPECT_EQ(Msg("NewerMessage"), "");
         EXPECT_EQ(MessageTable.size(), 25);
       }},
      {"pagenr=Strana\r\nPageNr=Seite\r\n", [] { EXPECT_EQ(Msg("PageNr"), "Strana"); }},
      {"Reload?=Znovu na\xC4\x8D\xC3\xADst? a=b\r\n",
       [] { EXPECT_EQ(Msg("Reload?"), QString::fromUtf8("Znovu na\xC4\x8D\xC3\xADst? a=b")); }},
      {"Step1=Krok 1.\r\n",
       [] {
         EXPECT_EQ(Msg("Step1"), "Krok 1.");
         EXPECT_EQ(Msg("Step3"), "Step 3. ");  // the trailing blank stays
       }},
      // Windows-1250 bytes: "Odstranit vybrané obrázky? Žádné"
      {"DeleteImages=Odstranit vybran\xE9 obr\xE1zky? \x8E\xE1\x64n\xE9\r\n",
       [] {
         EXPECT_EQ(Msg("DeleteImages"),
                   QString::fromUtf8("Odstranit vybran\xC3\xA9 obr\xC3\xA1zky? \xC5\xBD\xC3\xA1"
                                     "dn\xC3\xA9"));
       }},
  };
  for (const Case& c : cases) {
    for (bool withMainWindow : {false, true}) {
      auto w = withMainWindow ? std::make_unique<Windows>() : nullptr;
      FillDefaultMessages();
      SetMsg("Step1", "left over from an earlier language");
      ASSERT_TRUE(LoadText(c.file));
      SCOPED_TRACE(c.file.constData());
      c.check();
    }
  }
  FillDefaultMessages();
}

TEST(Language, NoFileAndTheEmptyName) {
  Windows w;
  FillDefaultMessages();
  SetMsg("PageNr", "Strana");
  EXPECT_FALSE(LoadLanguage(QTemporaryDir().filePath("english.lng")));
  EXPECT_EQ(Msg("PageNr"), "Strana");  // a missing file changes nothing

  EXPECT_TRUE(LoadLanguage(""));  // the built-in English texts
  EXPECT_EQ(Msg("PageNr"), "Page");
  EXPECT_EQ(w.ok->text(), "OK");
  EXPECT_EQ(w.setup->windowTitle(), "Settings");
}
