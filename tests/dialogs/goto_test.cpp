#include "dialogs/goto.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QTimer>

#include "core/album_model.h"
#include "init/profile.h"

namespace {

// An album of 6 images a page: chapter 0 with 30 images (last spread 6),
// chapters 1 and 2 with 7 and 0 (last spreads 2 and 0).
class GotoTest : public ::testing::Test {
 protected:
  AlbumModel model;
  GotoDialog dialog;
  QList<std::pair<int, int>> shown;

  void SetUp() override {
    model.DataTitles = QStringList{"Album", "T1", "T2"};
    model.ChapterNames = QStringList{"First", "Second"};
    for (int i = 0; i < 30; ++i) model.Chapters[0].AppendEmpty();
    for (int i = 0; i < 7; ++i) model.Chapters[1].AppendEmpty();
    model.CurrentChapter = 0;
    model.CurrentPage = 2;
  }

  // Runs the dialog; step acts in it once it shows modally.
  void Run(const std::function<void()>& step) {
    bool modal = false;
    QTimer::singleShot(0, [&] {
      modal = QApplication::activeModalWidget() == &dialog;
      step();
      if (dialog.isVisible()) dialog.reject();
    });
    dialog.ShowGoto(model, AlbumLook().ImagesPerPage(),
                    [this](int c, int p) { shown << std::make_pair(c, p); });
    EXPECT_TRUE(modal);
  }
  void Type(const QString& text) {
    dialog.edPage->selectAll();
    QTest::keyClicks(dialog.edPage, text);
  }
};

TEST_F(GotoTest, ListsTheAlbumTitleThenEachChapterOnce) {
  Run([] {});
  Run([] {});
  const QStringList expected{"Album", "First", "Second"};
  QStringList items;
  for (int i = 0; i < dialog.edChapter->count(); ++i) items << dialog.edChapter->itemText(i);
  EXPECT_EQ(items, expected);
  AlbumModel empty;
  empty.DataTitles = QStringList{"Only"};
  EXPECT_EQ(GotoChapterItems(empty), QStringList{"Only"});
}

// Escape and Cancel change nothing; Enter and OK show the spread that holds
// the page typed.
TEST_F(GotoTest, OkShowsTheSpreadThatHoldsThePage) {
  const struct {
    const char* typed;
    int key;            // pressed in the spin box, or 0
    bool okElseCancel;  // the button clicked when no key is pressed
  } runs[] = {
      {"4", Qt::Key_Escape, false}, {"4", 0, false}, {"5", Qt::Key_Return, false}, {"6", 0, true}};
  for (const auto& r : runs) {
    Run([&] {
      EXPECT_EQ(dialog.edPage->value(), 2);
      EXPECT_EQ(dialog.focusWidget(), dialog.edPage);
      Type(QString::fromLatin1(r.typed));
      if (r.key != 0) {
        QTest::keyClick(dialog.edPage, static_cast<Qt::Key>(r.key));
      } else {
        QTest::mouseClick(r.okElseCancel ? dialog.btOK : dialog.btCancel, Qt::LeftButton);
      }
    });
  }
  EXPECT_EQ(shown, (QList<std::pair<int, int>>{{0, 4}, {0, 6}}));
}

TEST_F(GotoTest, ThePageKeepsToTheChosenChaptersSpreads) {
  Run([this] {
    EXPECT_EQ(dialog.edPage->maximum(), 6);
    Type("9");
    EXPECT_LE(dialog.edPage->value(), 6);
    dialog.edChapter->setFocus();
    QTest::keyClick(dialog.edChapter, Qt::Key_Down);
    EXPECT_EQ(dialog.edPage->maximum(), 2);
    QTest::keyClick(dialog.edChapter, Qt::Key_Down);
    EXPECT_EQ(dialog.edPage->maximum(), 0);  // an empty chapter has spread 0 only
    QTest::mouseClick(dialog.btOK, Qt::LeftButton);
  });
  EXPECT_EQ(shown, (QList<std::pair<int, int>>{{2, 0}}));
}

// A long chapter name shows whole; only one wider than the box may grow is
// cut short, and then shows whole as the tool tip.
TEST_F(GotoTest, TheChapterBoxShowsWholeNames) {
  const QString longName = QStringLiteral("Summer holidays in the mountains above the lake");
  const QString endless = QStringLiteral("A chapter name that goes on and on ").repeated(8);
  model.ChapterNames = QStringList{longName, endless};
  Run([&] {
    QComboBox* box = dialog.edChapter;
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Down);
    QStyleOptionComboBox option;
    option.initFrom(box);
    const QRect text = box->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                    QStyle::SC_ComboBoxEditField, box);
    EXPECT_EQ(box->currentText(), longName);
    EXPECT_GE(text.width(), box->fontMetrics().horizontalAdvance(longName));
    EXPECT_LE(box->geometry().right(), dialog.edPage->x());
    EXPECT_LE(dialog.btCancel->geometry().right(), dialog.width());
    QTest::keyClick(box, Qt::Key_Down);
    EXPECT_LE(box->width(), GotoDialog::WidestChapterBox);
    EXPECT_TRUE(box->currentText().endsWith(QChar(0x2026))) << box->currentText().toStdString();
    EXPECT_EQ(box->toolTip(), endless);
  });
}

}  // namespace
