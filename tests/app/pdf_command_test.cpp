
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <map>

#include "app/render_command.h"
#include "book/page_geometry.h"
#include "book/page_text.h"
#include "book/pdf_book.h"
#include "command_run.h"
#include "image/thumbnail_cache.h"
#include "init/profile.h"
#include "support/jpeg_test_files.h"
#include "support/test_files.h"

namespace {

const QString Demo = QStringLiteral(QV_BINARY_DIR "/samples/demo/Demo.ALB");

CommandRun PdfCommand(const QStringList& arguments) {
  return RunCommand(QStringList{"--pdf"} + arguments);
}

// A poppler (or qpdf) tool's standard output; it must succeed.
QString Tool(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  EXPECT_TRUE(process.waitForFinished(120000)) << program.toStdString();
  EXPECT_EQ(process.exitCode(), 0) << program.toStdString();
  return QString::fromUtf8(process.readAllStandardOutput());
}

QString Info(const QString& pdf, const QString& key) {
  const QRegularExpressionMatch m =
      QRegularExpression("^" + key + ":\\s*(.*)$", QRegularExpression::MultilineOption)
          .match(Tool("pdfinfo", {pdf}));
  return m.captured(1).trimmed();
}

// The demo album exported once for all tests that only read it.
class DemoPdf : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(QFileInfo::exists(Demo));
    dir = new QTemporaryDir;
    pdf = dir->filePath("Demo.pdf");
    run = new CommandRun(PdfCommand({Demo, "--out", pdf, "--dpi", "150"}));
  }
  static void TearDownTestSuite() {
    delete run;
    delete dir;
  }
  static inline QTemporaryDir* dir = nullptr;
  static inline QString pdf;
  static inline CommandRun* run = nullptr;
};

}  // namespace

TEST(PdfCommandLine, OptionsAndTheirErrors) {
  struct Case {
    const char* arguments;
    const char* error;  // empty: parses
    const char* paper = "";
    int dpi = 0;
    bool pages = false;
    PdfProfile profile = PdfProfile::Screen;
    double spine = 0;
  };
  const Case cases[] = {
      {"a.ALB --out b.pdf --profile print-shop --cover-spine 8.5", "", "A4", 300, false,
       PdfProfile::PrintShop, 8.5},
      {"a.ALB --out b.pdf --cover-spine 8", "--profile print-shop"},
      {"a.ALB --out b.pdf --profile print-shop --cover-spine 0", "--cover-spine"},
      {"a.ALB --out b.pdf --profile print-shop --page-size 210.5x297mm", "", "210.5x297mm", 300,
       false, PdfProfile::PrintShop},
      {"a.ALB --out b.pdf --profile home --page-size 8.5x11in", "", "8.5x11in", 300, false,
       PdfProfile::Home},
      {"a.ALB --out b.pdf --page-size 21x29.7cm", "", "21x29.7cm", 300},
      {"a.ALB --out b.pdf --page-size 3x3in", "--page-size"},
      {"a.ALB --out b.pdf --profile x", "--profile"},
      {"a.ALB --out b.pdf", "", "A4", 300},
      {"a.ALB --out b.pdf --page-size letter --dpi 600 --pages", "", "letter", 600, true},
      {"a.ALB --out b.pdf --page-size 200x200mm --spreads", "", "200x200mm", 300},
      {"a.ALB --out b.pdf --page-size A3", "--page-size"},
      {"a.ALB --out b.pdf --page-size 20x20mm", "--page-size"},
      {"a.ALB --out b.pdf --dpi 10", "--dpi"},
      {"a.ALB --out b.pdf --dpi", "needs a value"},
      {"a.ALB", "--out"},
      {"--out b.pdf", "FILE"},
      {"a.ALB --out b.pdf --size 800x600", "unknown option"},
  };
  for (const Case& c : cases) {
    const CommandLine command =
        ParseCommandLine(QStringList{"quirevale", "--pdf"} + QString(c.arguments).split(' '));
    const std::string what = c.arguments;
    if (*c.error != 0) {
      EXPECT_EQ(command.action, CommandLine::Action::Error) << what;
      EXPECT_TRUE(command.error.contains(c.error)) << what << ": " << command.error.toStdString();
      continue;
    }
    ASSERT_EQ(command.action, CommandLine::Action::Pdf) << what << command.error.toStdString();
    EXPECT_EQ(command.paper, c.paper);
    EXPECT_EQ(command.dpi, c.dpi);
    EXPECT_EQ(command.pages, c.pages);
    EXPECT_EQ(command.profile, c.profile) << what;
    EXPECT_EQ(command.coverSpine, c.spine) << what;
  }
}

// The sheet as asked for (a size as written is never turned), and where the
// pages go on it: inside the printable part, or the page's inner area on
// the safe rect of a print-shop sheet.
TEST(PdfSheet, SizesAndPlaces) {
  struct Case {
    const char* paper;
    PdfProfile profile;
    bool pages;
    QSizeF mm;
  };
  const Case cases[] = {
      {"300x200mm", PdfProfile::Screen, false, {300, 200}},
      {"A4", PdfProfile::Screen, false, {297, 210}},
      {"A4", PdfProfile::Home, true, {210, 297}},
      {"8.5x11in", PdfProfile::Home, false, {215.9, 279.4}},
      {"A5", PdfProfile::PrintShop, false, {154, 216}},
  };
  for (const Case& c : cases) {
    PdfOptions options;
    options.Paper = *ParsePaperSize(c.paper);
    options.Profile = c.profile;
    options.Pages = c.pages;
    const PdfSheet sheet = SheetFor(options);
    SCOPED_TRACE(c.paper);
    EXPECT_NEAR(sheet.Mm.width(), c.mm.width(), 0.01);
    EXPECT_NEAR(sheet.Mm.height(), c.mm.height(), 0.01);
    const QSizeF pagePt = sheet.Page.fullRectPoints().size();
    EXPECT_NEAR(pagePt.width() / pagePt.height(), c.mm.width() / c.mm.height(), 0.01);
    const QRectF whole(QPointF(), sheet.Mm * (96 / 25.4));
    const double mm = 96 / 25.4;
    if (c.profile == PdfProfile::PrintShop) {
      // The safe rect: 3 mm bleed + 5 mm outside, 10 mm at the spine.
      const QSize page(sheet.Layout.width() / 2, sheet.Layout.height());
      for (const bool left : {true, false}) {
        const QRectF at = sheet.Content(left);
        const EdgeRect area = PageArea(left, page);
        EXPECT_EQ(QSizeF(area.Width(), area.Height()), at.size());
        EXPECT_NEAR(left ? at.left() : whole.right() - at.right(), 8 * mm, 1);
        EXPECT_NEAR(left ? whole.right() - at.right() : at.left(), 13 * mm, 1);
        EXPECT_NEAR(whole.bottom() - at.bottom(), 8 * mm, 1);
      }
    } else {
      const double margin = c.profile == PdfProfile::Home ? 6 * mm : 0;
      EXPECT_NEAR(sheet.Content(true).left(), margin, 0.01);
      EXPECT_LE(sheet.Content(true).bottom(), whole.bottom() - margin + 1);
    }
  }
}

// A print-shop book: trim and bleed boxes on every sheet, no text within the
// safe margins, every picture at the dpi, an output intent; its cover sheet
// beside it: back, an 8.5 mm spine and front with the same bleed.
TEST(PdfCommand, PrintShopSheetsWithBleedAndSafeZone) {
  QTemporaryDir dir;
  const QString pdf = dir.filePath("shop.pdf");
  const QString cover = dir.filePath("shop-cover.pdf");
  const CommandRun run = PdfCommand({Demo, "--out", pdf, "--profile", "print-shop", "--page-size",
                                     "A5", "--dpi", "150", "--cover-spine", "8.5"});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  // The missing picture, the corrupt JPEG and the video, named before writing.
  EXPECT_EQ(run.err.count("quirevale: check: "), 3) << run.err.toStdString();
  const int pages = Info(pdf, "Pages").toInt();
  EXPECT_GT(pages, 10);
  EXPECT_TRUE(run.out.contains(QString(", %1 sheets; cover ").arg(pages))) << run.out.toStdString();
  const QRegularExpression box("Page\\s+(\\d+) (\\w+Box):\\s+(\\S+)\\s+(\\S+)\\s+(\\S+)\\s+(\\S+)");
  std::map<QString, QRectF> found;
  QStringList sheets{"cover1"};
  for (const QString& file : {cover, pdf}) {
    const QString n = QString::number(file == pdf ? pages : 1);
    const QString boxes = Tool("pdfinfo", {"-box", "-f", "1", "-l", n, file});
    for (auto it = box.globalMatch(boxes); it.hasNext();) {
      const QRegularExpressionMatch m = it.next();
      found[(file == cover ? "cover" : "") + m.captured(1) + m.captured(2)] =
          QRectF(QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()),
                 QPointF(m.captured(5).toDouble(), m.captured(6).toDouble()));
    }
  }
  for (int i = 1; i <= pages; ++i) sheets << QString::number(i);
  for (const QString& n : sheets) {
    const QRectF trim = found[n + "TrimBox"];
    EXPECT_EQ(found[n + "BleedBox"], found[n + "MediaBox"]) << n.toStdString();
    const QRectF bleed = found[n + "BleedBox"];
    EXPECT_NEAR(trim.left() - bleed.left(), 8.5, 0.02) << n.toStdString();
    EXPECT_NEAR(bleed.bottom() - trim.bottom(), 8.5, 0.02) << n.toStdString();
    EXPECT_NEAR(bleed.width() - trim.width(), 17, 0.03) << n.toStdString();
    EXPECT_NEAR(bleed.height() - trim.height(), 17, 0.03) << n.toStdString();
  }
  // 3 + 148 + 8.5 + 148 + 3 mm by 3 + 210 + 3 mm.
  EXPECT_NEAR(found["cover1MediaBox"].width(), 310.5 * 72 / 25.4, 0.02);
  EXPECT_NEAR(found["cover1MediaBox"].height(), 216 * 72 / 25.4, 0.02);
  EXPECT_TRUE(Tool("pdftotext", {cover, "-"}).contains(QString::fromUtf8("Cesty po střední")));
  Tool("qpdf", {"--check", pdf});  // exit status 0: a sound file
  // Word boxes from the sheet's top-left corner: the trim is 8.5 pt in; odd
  // sheets are left pages, with the spine on their right.
  const QString words = Tool("pdftotext", {"-bbox", pdf, "-"});
  const QRegularExpression word(
      "<page width=\"([\\d.]+)\"|<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" "
      "xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)<");
  const double safe = 8.5 + 14.17;
  const double spine = 8.5 + 28.34;
  int sheet = 0;
  int count = 0;
  double width = 0;
  for (auto it = word.globalMatch(words); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    if (!m.captured(1).isEmpty()) {
      width = m.captured(1).toDouble();
      ++sheet;
      continue;
    }
    ++count;
    const bool left = sheet % 2 == 1;
    EXPECT_GE(m.captured(2).toDouble(), left ? safe : spine) << m.captured(6).toStdString();
    EXPECT_LE(m.captured(4).toDouble(), width - (left ? spine : safe))
        << m.captured(6).toStdString();
    EXPECT_GE(m.captured(3).toDouble(), safe) << m.captured(6).toStdString();
  }
  EXPECT_GT(count, 300);
  for (const QString& line : Tool("pdfimages", {"-list", pdf}).split('\n').mid(2)) {
    const QStringList f = line.simplified().split(' ');
    if (f.value(2) == "image") {
      EXPECT_GE(f.value(12).toInt(), 149) << line.toStdString();
    }
  }
  EXPECT_TRUE(ReadAll(pdf).contains("GTS_PDFA1"));
}

TEST_F(DemoPdf, EverySheetInBookOrderWithProgress) {
  ASSERT_EQ(run->status, 0) << run->err.toStdString();
  // The cover, then a line as each of the demo's chapters starts, then done.
  const QStringList lines = run->out.trimmed().split('\n');
  ASSERT_GE(lines.size(), 3);
  EXPECT_TRUE(lines.first().startsWith("0% cover"));
  EXPECT_TRUE(lines.last().startsWith("100% "));
  EXPECT_EQ(Info(pdf, "Page size"), "842 x 595 pts (A4)");
}

TEST_F(DemoPdf, TextStaysTextWithItsLetters) {
  const QString text = Tool("pdftotext", {pdf, "-"});
  // The last a bookmark label, drawn as text over the page's background.
  for (const char* title : {"Ráno na zahradě", "Łomnica o świcie", "Gdańsk – Długie Pobrzeże",
                            "Balaton – Tihany", "Moře a jezera"}) {
    EXPECT_TRUE(text.contains(QString::fromUtf8(title))) << title;
  }
  // Fonts go with the file, so a print shop sets the same letters.
  const QString fonts = Tool("pdffonts", {pdf});
  const QStringList lines = fonts.trimmed().split('\n').mid(2);
  EXPECT_FALSE(lines.isEmpty());
  for (const QString& line : lines) {
    // name, type, encoding, emb, sub, uni, object, generation
    const QStringList fields = line.simplified().split(' ');
    EXPECT_EQ(fields.value(fields.size() - 5), "yes") << line.toStdString();
  }
}

TEST_F(DemoPdf, PicturesAtThePrintedResolution) {
  // page num type width height color comp bpc enc interp object generation x-ppi ...
  int fine = 0;
  for (const QString& line : Tool("pdfimages", {"-list", pdf}).split('\n').mid(2)) {
    const QStringList f = line.simplified().split(' ');
    if (f.value(2) != "image") continue;
    // The pictures of the dpi asked for; below it only pictures smaller than
    // print and the decorations: boards and page stacks are vectors, no page
    // of the window's pixels (over 400,000 of them) is left.
    if (f.value(12).toInt() >= 140 && ++fine)
      EXPECT_EQ(f.value(8), "jpeg") << line.toStdString();
    else
      EXPECT_LT(f.value(3).toInt() * f.value(4).toInt(), 100000) << line.toStdString();
  }
  EXPECT_GE(fine, 30);
}

// Pictures of the print's sizes are of no use to the screen or other programs.
TEST_F(DemoPdf, LeavesNoThumbnailCacheEntries) {
  WaitForThumbnailCacheWrites();
  QDirIterator entries(ThumbnailCacheRoot(), QDir::Files, QDirIterator::Subdirectories);
  EXPECT_FALSE(entries.hasNext()) << entries.next().toStdString();
}

// A sheet for every spread, each as the window draws it: the same layout,
// colours, pictures, and the missing picture, corrupt JPEG and video cells alike.
TEST_F(DemoPdf, SheetsLookAsTheWindowDrawsThem) {
  const QSize size = PdfLayoutSize(PdfOptions());
  QTemporaryDir out;
  QString error;
  HeadlessAlbum album(size);
  ASSERT_TRUE(album.Open(Demo, &error));
  const QStringList spreads = RenderBookPictures(album.Book, out.filePath("png"), -2, -2, &error);
  Tool("pdftoppm", {"-png", "-scale-to-x", QString::number(size.width()), "-scale-to-y",
                    QString::number(size.height()), pdf, out.filePath("sheet")});
  const QStringList sheets = QDir(out.path()).entryList({"sheet*.png"}, QDir::Files, QDir::Name);
  ASSERT_EQ(Info(pdf, "Pages").toInt(), spreads.size());
  ASSERT_EQ(sheets.size(), spreads.size());
  for (int i = 0; i < sheets.size(); ++i) {
    const QImage window(spreads[i]);
    QImage sheet(out.filePath(sheets[i]));
    ASSERT_EQ(sheet.size(), size);
    // Half-pixel shifts of the edges and the JPEG noise of the paper texture
    // stay well below a misplaced picture or a missing line of text.
    // The closed cover stands in the middle of its sheet on white paper.
    if (window.width() < size.width())
      sheet = sheet.copy((size.width() - window.width()) / 2, 0, window.width(), size.height());
    QImage onWhite(window.size(), QImage::Format_RGB32);
    onWhite.fill(Qt::white);
    QPainter(&onWhite).drawImage(0, 0, window);
    EXPECT_LT(MeanDifference(sheet, onWhite), 6.0) << spreads[i].toStdString();
  }
}

// For a desktop printer: the paper's own size, the bookmark labels as text.
TEST(PdfCommand, PagesOnSheetsOfTheirOwnForAHomePrinter) {
  QTemporaryDir dir;
  const QString pdf = dir.filePath("pages.pdf");
  const CommandRun run = PdfCommand(
      {Demo, "--out", pdf, "--pages", "--page-size", "A5", "--dpi", "96", "--profile", "home"});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(Info(pdf, "Page size"), "420 x 595 pts (A5)");
  EXPECT_TRUE(Tool("pdftotext", {pdf, "-"}).contains(QString::fromUtf8("Moře a jezera")));
  QString error;
  HeadlessAlbum album(QSize(800, 600));
  ASSERT_TRUE(album.Open(Demo, &error));
  QTemporaryDir pngs;
  const int pictures = int(RenderBookPictures(album.Book, pngs.path(), -2, -2, &error).size());
  // The cover, then both pages of every spread.
  EXPECT_EQ(Info(pdf, "Pages").toInt(), 1 + 2 * (pictures - 1));
}

TEST(PdfCommand, FailuresLeaveNoFileAndKeepTheOldOne) {
  QTemporaryDir dir;
  const QString old = dir.filePath("old.pdf");
  WriteAll(old, "the old book");
  WriteAll(dir.filePath("Trip.ALB"), "DataFile=nowhere.xml\r\n");
  QDir(dir.path()).mkdir("old-cover.pdf");
  struct Case {
    QString file;
    QString out;
    const char* message;
    QStringList options{"--pages"};
  };
  const Case cases[] = {
      // The demo has a missing picture: the check's findings are errors.
      {Demo, old, "3 findings, nothing written (--strict)", {"--strict"}},
      // The book could be written, its cover sheet not: neither is.
      {Demo, old, "old-cover.pdf", {"--profile", "print-shop", "--cover-spine", "8"}},
      {dir.filePath("missing.ALB"), old, "missing.ALB"},
      {dir.filePath("Trip.ALB"), old, "Trip.ALB"},
      {Demo, dir.filePath("no/such/folder/book.pdf"), "cannot write"},
      {Demo, dir.path(), "cannot write"},
  };
  for (const Case& c : cases) {
    const CommandRun run =
        PdfCommand(QStringList{c.file, "--out", c.out, "--dpi", "96"} + c.options);
    EXPECT_EQ(run.status, c.options[0] == "--strict" ? 3 : 1) << c.message;
    EXPECT_TRUE(run.err.contains(c.message)) << run.err.toStdString();
  }
  EXPECT_EQ(ReadAll(old), "the old book");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name).join(' '), "Trip.ALB old.pdf");
}

// Every text of every page of the demo, at its own window and at the sheets
// people print on: no two overlap and none is cut through its letters.
TEST(PdfCommand, NoTextOverlapsOrIsCutAtThePaperSizes) {
  std::vector<QSize> sizes{QSize()};  // the look's own window
  for (const char* paper : {"A5", "A4", "Letter", "210x210mm"}) {
    for (const bool pages : {false, true}) {
      PdfOptions options;
      options.Paper = *ParsePaperSize(paper);
      options.Pages = pages;
      sizes.push_back(PdfLayoutSize(options));
    }
  }
  for (const QSize& size : sizes) {
    HeadlessAlbum album(size);
    QString error;
    ASSERT_TRUE(album.Open(Demo, &error)) << error.toStdString();
    std::vector<TextBox> boxes;
    album.Book.RecordTextBoxes(&boxes);
    const AlbumModel& model = album.Album.Model;
    std::vector<std::pair<int, int>> spreads{{0, -1}};
    for (int c = 0; c <= model.ChapterCount(); ++c)
      for (int p = 0; p <= model.LastSpread(c, album.Look.ImagesPerPage()); p += 2)
        spreads.push_back({c, p});
    int texts = 0;
    for (const auto& [c, p] : spreads) {
      boxes.clear();
      album.Book.ShowSpread(c, p);
      texts += int(boxes.size());
      SCOPED_TRACE(::testing::Message()
                   << album.Book.WindowSize().width() << "x" << album.Book.WindowSize().height()
                   << ", chapter " << c << ", spread " << p);
      for (std::size_t i = 0; i < boxes.size(); ++i) {
        EXPECT_FALSE(boxes[i].Cut) << boxes[i].Text.toStdString();
        for (std::size_t k = i + 1; k < boxes.size(); ++k) {
          const bool overlap =
              boxes[i].Page == boxes[k].Page && boxes[i].Box.intersects(boxes[k].Box);
          EXPECT_FALSE(overlap) << boxes[i].Text.toStdString() << " / "
                                << boxes[k].Text.toStdString();
        }
      }
    }
    EXPECT_GT(texts, 100);
    album.Book.RecordTextBoxes(nullptr);
  }
}
