#include "dialogs/goto.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QSpinBox>
#include <QStyleOptionComboBox>
#include <QTest>

#include "core/open_album.h"
#include "init/profile.h"
#include "support/controls.h"
#include "support/with_modal.h"

namespace {

// An album of 6 images a page: chapter 0 with 30 images (last spread 6),
// chapters 1 and 2 with 7 and 0 (last spreads 2 and 0).
class GotoTest : public ::testing::Test {
 protected:
  AlbumModel model;
  ViewState view;
  GotoDialog dialog;
  QList<std::pair<int, int>> shown;

  void SetUp() override {
    model.DataTitles = QStringList{"Album", "T1", "T2"};
    model.ChapterNames = QStringList{"First", "Second"};
    ImageEdits::SetChapter(model, 0, ImageList(30));
    ImageEdits::SetChapter(model, 1, ImageList(7));
    view.CurrentChapter = 0;
    view.CurrentPage = 2;
  }

  // Runs the dialog; step acts in it once it shows modally.
  void Run(const std::function<void()>& step) {
    const QWidget* modal = WithModal(
        [&] {
          dialog.ShowGoto(model, view, AlbumLook().ImagesPerPage(),
                          [this](int c, int p) { shown << std::make_pair(c, p); });
        },
        [&](QWidget*) { step(); });
    EXPECT_EQ(modal, &dialog);
  }
  QSpinBox* Page() const { return Control<QSpinBox>(&dialog, "edPage"); }
  QComboBox* Chapter() const { return Control<QComboBox>(&dialog, "edChapter"); }
  void Type(const QString& text) {
    Page()->selectAll();
    QTest::keyClicks(Page(), text);
  }
};

// Escape and Cancel change nothing; Enter and OK show the spread that holds
// the page typed, which keeps to the chosen chapter's spreads. The list holds
// the album's title, then each chapter once.
TEST_F(GotoTest, OkShowsTheSpreadThatHoldsThePage) {
  const struct {
    const char* typed;
    int key;            // pressed in the spin box, or 0
    bool okElseCancel;  // the button clicked when no key is pressed
  } runs[] = {
      {"4", Qt::Key_Escape, false}, {"4", 0, false}, {"5", Qt::Key_Return, false}, {"6", 0, true}};
  for (const auto& r : runs) {
    Run([&] {
      EXPECT_EQ(Page()->value(), 2);
      EXPECT_EQ(dialog.focusWidget(), Page());
      Type(QString::fromLatin1(r.typed));
      if (r.key != 0) {
        QTest::keyClick(Page(), static_cast<Qt::Key>(r.key));
      } else {
        QTest::mouseClick(Control(&dialog, r.okElseCancel ? "btOK" : "btCancel"), Qt::LeftButton);
      }
    });
  }
  Run([this] {
    EXPECT_EQ(Page()->maximum(), 6);
    Type("9");
    EXPECT_LE(Page()->value(), 6);
    Chapter()->setFocus();
    QTest::keyClick(Chapter(), Qt::Key_Down);
    EXPECT_EQ(Page()->maximum(), 2);
    QTest::keyClick(Chapter(), Qt::Key_Down);
    EXPECT_EQ(Page()->maximum(), 0);  // an empty chapter has spread 0 only
    QTest::mouseClick(Control(&dialog, "btOK"), Qt::LeftButton);
  });
  EXPECT_EQ(shown, (QList<std::pair<int, int>>{{0, 4}, {0, 6}, {2, 0}}));
  QStringList items;
  for (int i = 0; i < Chapter()->count(); ++i) items << Chapter()->itemText(i);
  EXPECT_EQ(items, QStringList({"Album", "First", "Second"}));
}

// A long chapter name shows whole; only one wider than the box may grow is
// cut short, and then shows whole as the tool tip.
TEST_F(GotoTest, TheChapterBoxShowsWholeNames) {
  const QString longName = QStringLiteral("Summer holidays in the mountains above the lake");
  const QString endless = QStringLiteral("A chapter name that goes on and on ").repeated(8);
  model.ChapterNames = QStringList{longName, endless};
  Run([&] {
    QComboBox* box = Chapter();
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Down);
    QStyleOptionComboBox option;
    option.initFrom(box);
    const QRect text = box->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                    QStyle::SC_ComboBoxEditField, box);
    EXPECT_EQ(box->currentText(), longName);
    EXPECT_GE(text.width(), box->fontMetrics().horizontalAdvance(longName));
    EXPECT_LE(box->geometry().right(), Page()->x());
    EXPECT_LE(Control(&dialog, "btCancel")->geometry().right(), dialog.width());
    QTest::keyClick(box, Qt::Key_Down);
    EXPECT_LE(box->width(), GotoDialog::WidestChapterBox);
    EXPECT_TRUE(box->currentText().endsWith(QChar(0x2026))) << box->currentText().toStdString();
    EXPECT_EQ(box->toolTip(), endless);
  });
}

}  // namespace
