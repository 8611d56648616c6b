#include "dialogs/guide_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStyle>
#include <QVBoxLayout>

#include "core/album_window.h"
#include "core/message_table.h"
#include "core/open_album.h"
#include "core/prompts.h"
#include "dialogs/guide_album.h"
#include "dialogs/setup_widgets.h"
#include "init/program_settings.h"

namespace {

constexpr int kLastPage = 3;

QLabel* Picture(QWidget* parent, const char* name, QStyle::StandardPixmap icon, int size) {
  auto* label = Make<QLabel>(parent, name);
  label->setPixmap(parent->style()->standardIcon(icon).pixmap(size, size));
  return label;
}

QFrame* Bevel(QWidget* parent, const char* name) {
  auto* bevel = Make<QFrame>(parent, name);
  bevel->setFrameShape(QFrame::HLine);
  bevel->setFrameShadow(QFrame::Sunken);
  return bevel;
}

}  // namespace

GuideDialog::GuideDialog(const GuideContext& context, QWidget* parent)
    : QDialog(parent), context_(context), folder_(QDir::homePath()) {
  setObjectName(QStringLiteral("fGuide"));
  setWindowTitle(QStringLiteral("Album Guide"));
  setModal(true);
  resize(346, 200);
  Image1 = Picture(this, "Image1", QStyle::SP_FileDialogInfoView, 32);
  lbStep = Make<QLabel>(this, "lbStep");
  lbStep->setWordWrap(true);
  Bevel2 = Bevel(this, "Bevel2");
  Pages = Make<QStackedWidget>(this, "Pages");
  BuildPages();
  Bevel1 = Bevel(this, "Bevel1");
  btRunOnStartup =
      Make<QCheckBox>(this, "btRunOnStartup", QStringLiteral("Display this guide at startup"));
  btCancel = Make<QPushButton>(this, "btCancel", QStringLiteral("Cancel"));
  btPrevious = Make<QPushButton>(this, "btPrevious", QStringLiteral("<<"));
  btNext = Make<QPushButton>(this, "btNext", QStringLiteral(">>"));
  btNext->setDefault(true);

  auto* header = new QHBoxLayout;
  header->addWidget(Image1);
  header->addWidget(lbStep, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btCancel);
  buttons->addWidget(btPrevious);
  buttons->addWidget(btNext);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(header);
  layout->addWidget(Bevel2);
  layout->addWidget(Pages, 1);
  layout->addWidget(Bevel1);
  layout->addWidget(btRunOnStartup);
  layout->addLayout(buttons);

  connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(btPrevious, &QPushButton::clicked, this, [this] { btPreviousClick(); });
  connect(btNext, &QPushButton::clicked, this, [this] { btNextClick(); });
  connect(Pages, &QStackedWidget::currentChanged, this,
          [this](int page) { PagesPageChanged(page); });
  connect(edFileName, &QLineEdit::textChanged, this, [this] { UpdateButtons(); });
  connect(btRunOnStartup, &QCheckBox::toggled, this, [this](bool on) {
    if (context_.Settings.RunGuide == on) return;
    context_.Settings.RunGuide = on;
    SaveSettings(context_.Settings);
  });
}

void GuideDialog::BuildPages() {
  auto* page0 = Make<QWidget>(Pages, "0");
  lbWhatToDo = Make<QLabel>(page0, "lbWhatToDo", QStringLiteral("What do you want to do?"));
  Image2 = Picture(page0, "Image2", QStyle::SP_FileDialogNewFolder, 16);
  Image3 = Picture(page0, "Image3", QStyle::SP_DialogOpenButton, 16);
  btCreate = Make<QRadioButton>(page0, "btCreate", QStringLiteral("Create a new album"));
  btOpen = Make<QRadioButton>(page0, "btOpen", QStringLiteral("Open an existing album"));
  btCreate->setChecked(true);
  auto* choose = new QGridLayout(page0);
  choose->addWidget(lbWhatToDo, 0, 0, 1, 2);
  choose->addWidget(Image2, 1, 0);
  choose->addWidget(btCreate, 1, 1);
  choose->addWidget(Image3, 2, 0);
  choose->addWidget(btOpen, 2, 1);
  choose->setColumnStretch(1, 1);

  auto* page1 = Make<QWidget>(Pages, "1");
  lbTitle = Make<QLabel>(page1, "lbTitle", QStringLiteral("Title"));
  lbFileName = Make<QLabel>(page1, "lbFileName", QStringLiteral("Filename"));
  edTitle = Make<QLineEdit>(page1, "edTitle");
  edFileName = Make<QLineEdit>(page1, "edFileName");
  auto* names = new QGridLayout(page1);
  names->addWidget(lbTitle, 0, 0);
  names->addWidget(edTitle, 0, 1);
  names->addWidget(lbFileName, 1, 0);
  names->addWidget(edFileName, 1, 1);

  auto* page2 = Make<QWidget>(Pages, "2");
  btDefaultFormat = Make<QRadioButton>(
      page2, "btDefaultFormat", QStringLiteral("Default format (as defined in the setup dialog)"));
  btCustomFormat = Make<QRadioButton>(page2, "btCustomFormat", QStringLiteral("Custom format"));
  btDefaultFormat->setChecked(true);
  auto* format = new QVBoxLayout(page2);
  format->addWidget(btDefaultFormat);
  format->addWidget(btCustomFormat);

  auto* page3 = Make<QWidget>(Pages, "3");
  lbSummary = Make<QLabel>(page3, "lbSummary");
  lbSummary->setWordWrap(true);
  (new QVBoxLayout(page3))->addWidget(lbSummary);
  for (QWidget* page : {page0, page1, page2, page3}) Pages->addWidget(page);
}

void GuideDialog::ResetGuide() {
  btRunOnStartup->setChecked(context_.Settings.RunGuide);
  lbStep->clear();
  showLook_ = false;
  Pages->setCurrentIndex(0);
  UpdateButtons();
}

int GuideDialog::ShowGuide() {
  ResetGuide();
  const int result = exec();
  // The look is edited after the guide has gone, on the new album.
  if (showLook_) {
    showLook_ = false;
    context_.Host.ShowAlbumLook();
  }
  return result;
}

void GuideDialog::btNextClick() {
  const int page = Pages->currentIndex();
  if (page == 0 && btOpen->isChecked()) {
    // Opening ends the guide: the pages after this one are about new albums.
    accept();
    context_.Host.OpenAlbum();
    return;
  }
  if (page == 0) {
    edTitle->clear();
    edFileName->clear();
  }
  if (page == kLastPage) {
    Finish();
    return;
  }
  if (page == 2) {
    const GuideFileNames files = GuideAlbumFiles(edFileName->text(), folder_);
    lbSummary->setText(QDir::toNativeSeparators(files.Album) + u'\n' +
                       QDir::toNativeSeparators(files.Data) + u'\n' +
                       QDir::toNativeSeparators(files.Format));
  }
  Pages->setCurrentIndex(page + 1);
}

void GuideDialog::btPreviousClick() {
  if (Pages->currentIndex() > 0) Pages->setCurrentIndex(Pages->currentIndex() - 1);
}

void GuideDialog::PagesPageChanged(int page) {
  if (page >= 1 && page <= kLastPage) lbStep->setText(Msg(QStringLiteral("Step%1").arg(page)));
  UpdateButtons();
}

void GuideDialog::UpdateButtons() {
  const int page = Pages->currentIndex();
  btNext->setText(page == kLastPage ? QStringLiteral("Finish") : QStringLiteral(">>"));
  // An album needs a file name before the guide goes on.
  btNext->setEnabled(page != 1 || !GuideAlbumFiles(edFileName->text(), folder_).Album.isEmpty());
}

void GuideDialog::Finish() {
  const GuideFileNames files = GuideAlbumFiles(edFileName->text(), folder_);
  if (files.Album.isEmpty()) return;
  // The format file too: other albums may share that look.
  for (const QString& name : {files.Album, files.Data, files.Format}) {
    if (QFileInfo::exists(name) &&
        !context_.Ask.AskOkCancel(QDir::toNativeSeparators(name) +
                                  QStringLiteral(" already exists. Replace it when saving?")))
      return;
  }
  if (!context_.Host.NewAlbum()) return;
  NameNewAlbum(context_.Model, edTitle->text(), files);
  context_.Window.RebuildPages();
  showLook_ = btCustomFormat->isChecked();
  accept();
}
