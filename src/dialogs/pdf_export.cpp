#include "pdf_export.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStringList>

#include "core/album_model.h"
#include "core/progress.h"
#include "core/prompts.h"

namespace {

template <typename T>
T* Named(QWidget* parent, const char* name) {
  auto* widget = new T(parent);
  widget->setObjectName(QLatin1String(name));
  return widget;
}

}  // namespace

PdfExportDialog::PdfExportDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("fPdfExport"));
  setWindowTitle(tr("Export as PDF"));
  lbPaper = Named<QLabel>(this, "lbPaper");
  lbPaper->setText(tr("Paper"));
  edPaper = Named<QComboBox>(this, "edPaper");
  edPaper->addItems({QStringLiteral("A4"), QStringLiteral("A5"), QStringLiteral("Letter")});
  lbDpi = Named<QLabel>(this, "lbDpi");
  lbDpi->setText(tr("Pictures (dpi)"));
  edDpi = Named<QSpinBox>(this, "edDpi");
  edDpi->setRange(MinPdfDpi, MaxPdfDpi);
  edDpi->setValue(300);
  rbSpreads = Named<QRadioButton>(this, "rbSpreads");
  rbSpreads->setText(tr("A spread on each sheet"));
  rbSpreads->setChecked(true);
  rbPages = Named<QRadioButton>(this, "rbPages");
  rbPages->setText(tr("A page on each sheet"));
  lbProgress = Named<QLabel>(this, "lbProgress");
  lbProfile = Named<QLabel>(this, "lbProfile");
  lbProfile->setText(tr("For"));
  edProfile = Named<QComboBox>(this, "edProfile");
  // In the order of PdfProfile.
  edProfile->addItems({tr("Screen"), tr("Home printer"), tr("Print shop")});
  lbSpine = Named<QLabel>(this, "lbSpine");
  lbSpine->setText(tr("Cover sheet, spine"));
  edSpine = Named<QDoubleSpinBox>(this, "edSpine");
  edSpine->setRange(0, MaxCoverSpineMm);
  edSpine->setDecimals(1);
  edSpine->setSuffix(tr(" mm"));
  edSpine->setSpecialValueText(tr("none"));
  edSpine->setEnabled(false);
  // A print shop gets a page on each sheet, and may take a cover sheet.
  connect(edProfile, &QComboBox::currentIndexChanged, this, [this](int index) {
    const bool shop = index == int(PdfProfile::PrintShop);
    rbSpreads->setEnabled(!shop);
    rbPages->setEnabled(!shop);
    edSpine->setEnabled(shop);
  });
  btStrict = Named<QCheckBox>(this, "btStrict");
  btStrict->setText(tr("Stop the export at any finding"));
  edCheck = Named<QPlainTextEdit>(this, "edCheck");
  edCheck->setReadOnly(true);
  edCheck->setPlaceholderText(tr("The check before printing lists its findings here."));
  btOK = Named<QPushButton>(this, "btOK");
  btOK->setText(tr("OK"));
  btOK->setDefault(true);
  btCancel = Named<QPushButton>(this, "btCancel");
  btCancel->setText(tr("Cancel"));
  auto* grid = new QGridLayout(this);
  grid->addWidget(lbPaper, 0, 0);
  grid->addWidget(edPaper, 0, 1);
  grid->addWidget(lbDpi, 1, 0);
  grid->addWidget(edDpi, 1, 1);
  grid->addWidget(rbSpreads, 2, 0, 1, 2);
  grid->addWidget(rbPages, 3, 0, 1, 2);
  grid->addWidget(lbProfile, 4, 0);
  grid->addWidget(edProfile, 4, 1);
  grid->addWidget(lbSpine, 5, 0);
  grid->addWidget(edSpine, 5, 1);
  grid->addWidget(btStrict, 6, 0, 1, 2);
  grid->addWidget(edCheck, 7, 0, 1, 2);
  grid->addWidget(lbProgress, 8, 0, 1, 2);
  grid->addWidget(btOK, 9, 0);
  grid->addWidget(btCancel, 9, 1);
  connect(btOK, &QPushButton::clicked, this, &PdfExportDialog::btOKClick);
  connect(btCancel, &QPushButton::clicked, this, &PdfExportDialog::reject);
}

PdfOptions PdfExportDialog::Options() const {
  PdfOptions options;
  options.Paper = ParsePaperSize(edPaper->currentText()).value_or(PaperSize());
  options.Dpi = edDpi->value();
  options.Pages = rbPages->isChecked();
  options.Profile = PdfProfile(edProfile->currentIndex());
  if (options.Profile == PdfProfile::PrintShop) options.CoverSpineMm = edSpine->value();
  return options;
}

QString PdfExportDialog::Execute(const AlbumModel& model, const AlbumLook& look,
                                 const ProgramSettings& settings, Prompts& ask,
                                 ProgressSink& progress, const QString& folder) {
  model_ = &model;
  look_ = &look;
  settings_ = &settings;
  ask_ = &ask;
  progress_ = &progress;
  folder_ = folder;
  written_.clear();
  lbProgress->clear();
  edCheck->clear();
  exec();
  return written_;
}

void PdfExportDialog::btOKClick() {
  if (running_) return;
  FileDialogRequest request;
  request.Title = windowTitle();
  const QString title = model_->DataTitles.value(0);
  request.FileName = QDir(folder_).filePath(title.isEmpty() ? QStringLiteral("album.pdf")
                                                            : title + QStringLiteral(".pdf"));
  request.InitialDir = folder_;
  request.Filter = QStringLiteral("PDF files (*.pdf *.PDF);;All files (*)");
  request.DefaultSuffix = QStringLiteral("pdf");
  const QString name = ask_->GetSaveFileName(request);
  if (name.isEmpty()) return;
  running_ = true;
  cancelled_ = false;
  btOK->setEnabled(false);
  AlbumPdf pdf(*model_, *look_, *settings_, Options());
  // The check comes before anything is written.
  lbProgress->setText(tr("Checking the book for print"));
  QCoreApplication::processEvents();
  const std::vector<PrintFinding> findings = pdf.Check();
  QStringList lines;
  for (const PrintFinding& finding : findings) lines << DescribeFinding(finding, *model_);
  edCheck->setPlainText(lines.isEmpty() ? tr("The check found nothing to mend.")
                                        : lines.join(u'\n'));
  if (btStrict->isChecked() && !findings.empty()) {
    running_ = false;
    btOK->setEnabled(true);
    lbProgress->clear();
    ask_->ShowError(
        tr("Findings of the check: %1 (listed). Nothing was written.").arg(findings.size()));
    return;
  }
  // The export runs here; the events between sheets let Cancel be clicked.
  auto step = [this](int chapter, int percent) {
    const QString text = chapter >= 0 ? model_->DataTitles.value(chapter) : windowTitle();
    lbProgress->setText(QStringLiteral("%1 %2%").arg(text).arg(percent));
    progress_->ShowProgress(text, percent, true);
    QCoreApplication::processEvents();
    return !cancelled_;
  };
  QString error;
  const bool ok = pdf.Write(name, step, &error);
  progress_->HideProgress();
  running_ = false;
  btOK->setEnabled(true);
  if (ok) {
    written_ = name;
    accept();
  } else if (!cancelled_) {
    ask_->ShowError(error);
  }
  lbProgress->clear();
}

void PdfExportDialog::reject() {
  if (running_)
    cancelled_ = true;
  else
    QDialog::reject();
}
