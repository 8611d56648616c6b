#include "dialogs/pdf_export.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include "app/render_command.h"
#include "core/progress.h"
#include "support/controls.h"
#include "support/scripted_prompts.h"
#include "support/test_files.h"
#include "support/with_modal.h"

namespace {

// Clicks Cancel as the export reports its first sheet, as a user would.
class CancellingProgress : public ProgressSink {
 public:
  QPushButton* Cancel = nullptr;
  int Shown = 0;
  void ShowProgress(const QString&, int percent, bool) override {
    if (percent >= 0 && Shown++ == 1 && Cancel != nullptr)
      QTest::mouseClick(Cancel, Qt::LeftButton);
  }
};

class PdfExportDialogTest : public ::testing::Test {
 protected:
  HeadlessAlbum album{QSize(800, 600)};
  PdfExportDialog dialog;
  ScriptedPrompts ask;
  CancellingProgress progress;
  QTemporaryDir dir;

  void SetUp() override {
    QString error;
    ASSERT_TRUE(album.Open(QStringLiteral(QV_BINARY_DIR "/samples/demo/Demo.ALB"), &error));
  }
  // Runs the dialog; step acts in it once it shows modally.
  QString Run(const std::function<void()>& step) {
    QString written;
    QWidget* modal = WithModal(
        [&] {
          written = dialog.Execute(album.Album.Model, album.Look, album.Settings, ask, progress,
                                   dir.path());
        },
        [&](QWidget*) { step(); });
    EXPECT_EQ(modal, &dialog);
    return written;
  }
};

}  // namespace

TEST_F(PdfExportDialogTest, WritesTheChosenPaperAndLayout) {
  const QString pdf = dir.filePath("book.pdf");
  ask.SaveFileNames << pdf;
  const int page = album.Album.View.CurrentPage;
  const QList<Thumbnail> thumbnails = album.Album.Thumbs.Lists[0];
  const QString written = Run([&] {
    Control<QComboBox>(&dialog, "edPaper")->setCurrentText("A5");
    Control<QSpinBox>(&dialog, "edDpi")->setValue(96);
    QTest::mouseClick(Control(&dialog, "rbPages"), Qt::LeftButton);
    Control<QComboBox>(&dialog, "edProfile")->setCurrentIndex(2);
    EXPECT_FALSE(Control(&dialog, "rbSpreads")->isEnabled());
    Control<QDoubleSpinBox>(&dialog, "edSpine")->setValue(8);
    QTest::mouseClick(Control(&dialog, "btOK"), Qt::LeftButton);
  });
  EXPECT_EQ(written, pdf);
  EXPECT_FALSE(dialog.isVisible());
  ASSERT_EQ(ask.FileRequests.size(), 1);
  EXPECT_TRUE(ask.FileRequests[0].FileName.endsWith(".pdf"));
  QProcess info;
  info.start("pdfinfo", {pdf});
  ASSERT_TRUE(info.waitForFinished());
  // A print shop's A5: the trim and 3 mm bleed all round; the cover sheet beside it.
  EXPECT_TRUE(info.readAllStandardOutput().contains("436.535 x 612.283 pts"));
  EXPECT_TRUE(QFileInfo::exists(dir.filePath("book-cover.pdf")));
  // Without strict the check's findings are listed and the book written all the same.
  EXPECT_TRUE(Control<QPlainTextEdit>(&dialog, "edCheck")->toPlainText().contains("missing"));
  // The window's book stays where it was, with its own thumbnails.
  EXPECT_EQ(album.Album.View.CurrentPage, page);
  EXPECT_TRUE(album.Album.Thumbs.Lists[0] == thumbnails);
}

TEST_F(PdfExportDialogTest, NoNameOrCancelWritesNothing) {
  const QString pdf = dir.filePath("book.pdf");
  WriteAll(pdf, "the old book");
  ask.SaveFileNames << "" << pdf;
  progress.Cancel = Control<QPushButton>(&dialog, "btCancel");
  const QString written = Run([&] {
    QTest::mouseClick(Control(&dialog, "btOK"), Qt::LeftButton);  // no name: the dialog stays
    EXPECT_TRUE(dialog.isVisible());
    QTest::mouseClick(Control(&dialog, "btOK"), Qt::LeftButton);  // cancelled while writing
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(Control<QPushButton>(&dialog, "btOK")->isEnabled());
  });
  EXPECT_TRUE(written.isEmpty());
  EXPECT_GT(progress.Shown, 1);
  EXPECT_EQ(ReadAll(pdf), "the old book");
  EXPECT_TRUE(ask.Log.filter("error").isEmpty()) << ask.Log.join('\n').toStdString();
}

TEST_F(PdfExportDialogTest, StrictCheckListsTheFindingsAndWritesNothing) {
  ask.SaveFileNames << dir.filePath("book.pdf");
  const QString written = Run([&] {
    QTest::keyClick(Control(&dialog, "btStrict"), Qt::Key_Space);
    QTest::mouseClick(Control(&dialog, "btOK"), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
  });
  EXPECT_TRUE(written.isEmpty());
  EXPECT_TRUE(QDir(dir.path()).isEmpty());
  // The demo's missing picture, corrupt JPEG and video, a line each.
  const QString findings = Control<QPlainTextEdit>(&dialog, "edCheck")->toPlainText();
  EXPECT_EQ(findings.split('\n').size(), 3) << findings.toStdString();
  EXPECT_EQ(ask.Log.filter("error: ").join(""),
            "error: Findings of the check: 3 (listed). Nothing was written.");
}
