#pragma once
// The modal "Export as PDF" dialog fPdfExport: paper size, picture
// resolution, spreads or pages, the profile (screen, home printer, print
// shop) with a print shop's cover sheet. OK asks for the file name, runs the
// pre-print check (its findings listed; with "strict" any stops the export)
// and writes the book while the dialog stays up, its Cancel stopping the export.

#include <QDialog>

#include "book/pdf_book.h"

class AlbumModel;
class Prompts;
class ProgressSink;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QPlainTextEdit;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

class PdfExportDialog : public QDialog {
 public:
  explicit PdfExportDialog(QWidget* parent = nullptr);

  // Shows the dialog modally. On OK the file name comes from ask (starting
  // in folder), the album is written in its look and settings with progress
  // on progress, and a failure is shown through ask. Returns the file
  // written, or "".
  QString Execute(const AlbumModel& model, const AlbumLook& look, const ProgramSettings& settings,
                  Prompts& ask, ProgressSink& progress, const QString& folder);

  PdfOptions Options() const;
  // Escape and Cancel stop a running export before they close the dialog.
  void reject() override;

 private:
  QLabel* lbPaper;
  QComboBox* edPaper;
  QLabel* lbDpi;
  QSpinBox* edDpi;
  QRadioButton* rbSpreads;
  QRadioButton* rbPages;
  QLabel* lbProgress;
  QLabel* lbProfile;
  QComboBox* edProfile;
  QLabel* lbSpine;
  QDoubleSpinBox* edSpine;
  QCheckBox* btStrict;
  QPlainTextEdit* edCheck;
  QPushButton* btOK;
  QPushButton* btCancel;

  void btOKClick();

  const AlbumModel* model_ = nullptr;
  const AlbumLook* look_ = nullptr;
  const ProgramSettings* settings_ = nullptr;
  Prompts* ask_ = nullptr;
  ProgressSink* progress_ = nullptr;
  QString folder_;
  QString written_;
  bool running_ = false;
  bool cancelled_ = false;
};
