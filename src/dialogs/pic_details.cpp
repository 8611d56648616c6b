#include "pic_details.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <algorithm>
#include <iterator>
#include <limits>

#include "book/thumbnail_batch.h"
#include "core/chapter_undo.h"
#include "core/paths.h"
#include "core/prompts.h"
#include "dialogs/pic_details_date.h"
#include "init/profile.h"

QString PictureFileFilter() {
  return QStringLiteral(
      "Image files (*.BMP *.GIF *.JPG *.JPEG *.bmp *.gif *.jpg *.jpeg);;"
      "Video files (*.MPG *.MPEG *.AVI *.mpg *.mpeg *.avi);;"
      "BMP files (*.BMP *.bmp);;GIF files (*.GIF *.gif);;"
      "JPG files (*.JPG *.JPEG *.jpg *.jpeg);;All files (*)");
}

PicDetailsDialog::PicDetailsDialog(AlbumUndo& undo, const AlbumLook& look, Prompts& prompts,
                                   DetailsHost& host, QWidget* parent)
    : QDialog(parent), undo_(undo), look_(look), prompts_(prompts), host_(host) {
  FormCreate();
  connect(&undo_, &AlbumUndo::ChapterChanged, this, &PicDetailsDialog::FollowChapter);
  // Another album: the copy belongs to one that is gone.
  connect(&undo_, &AlbumUndo::Cleared, this, [this] {
    hide();
    copy_ = DetailsCopy();
  });
}

void PicDetailsDialog::FormCreate() {
  setObjectName(QStringLiteral("fPicDetails"));
  setWindowTitle(QStringLiteral("Image details"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
  setModal(false);

  const auto label = [this](const char* name, const QString& text) {
    auto* l = new QLabel(text, this);
    l->setObjectName(QLatin1String(name));
    return l;
  };
  const auto edit = [this](const char* name) {
    auto* e = new QLineEdit(this);
    e->setObjectName(QLatin1String(name));
    return e;
  };
  const auto tool = [this](const char* name, const QString& text) {
    auto* b = new QToolButton(this);
    b->setObjectName(QLatin1String(name));
    b->setText(text);
    return b;
  };
  lbFilename = label("lbFilename", QStringLiteral("Filename"));
  edFilename = edit("edFilename");
  btFilename = tool("btFilename", QStringLiteral("..."));
  lbPicNr = label("lbPicNr", QStringLiteral("Pic. Nr."));
  lbNr = label("lbNr", QString());
  lbDate = label("lbDate", QStringLiteral("Date"));
  edDate = new DateEdit(this);
  edDate->setObjectName(QStringLiteral("edDate"));
  lbPlace = label("lbPlace", QStringLiteral("Place"));
  edPlace = edit("edPlace");
  lbPeople = label("lbPeople", QStringLiteral("People"));
  edPeople = edit("edPeople");
  lbTitle = label("lbTitle", QStringLiteral("Title"));
  edTitle = edit("edTitle");
  btPrev = tool("btPrev", QString());
  btPrev->setArrowType(Qt::LeftArrow);
  btNext = tool("btNext", QString());
  btNext->setArrowType(Qt::RightArrow);
  btClose = new QPushButton(QStringLiteral("Close"), this);
  btClose->setObjectName(QStringLiteral("btClose"));
  btClose->setAutoDefault(false);
  btApply = new QPushButton(QStringLiteral("Apply"), this);
  btApply->setObjectName(QStringLiteral("btApply"));
  btApply->setDefault(true);
  btApply->setEnabled(false);

  btReadPhoto = new QPushButton(QStringLiteral("Read from photo"), this);
  btReadPhoto->setObjectName(QStringLiteral("btReadPhoto"));
  btReadPhoto->setAutoDefault(false);

  auto* grid = new QGridLayout(this);
  auto* nameRow = new QHBoxLayout;
  nameRow->addWidget(edFilename);
  nameRow->addWidget(btFilename);
  grid->addWidget(lbFilename, 0, 0);
  grid->addWidget(lbPicNr, 0, 1, Qt::AlignRight);
  grid->addWidget(lbNr, 0, 2);
  grid->addLayout(nameRow, 1, 0, 1, 3);
  int row = 2;
  for (auto [caption, field] : {std::pair<QLabel*, QLineEdit*>{lbDate, edDate},
                                {lbPlace, edPlace},
                                {lbPeople, edPeople},
                                {lbTitle, edTitle}}) {
    grid->addWidget(caption, row++, 0, 1, 3);
    grid->addWidget(field, row++, 0, 1, 3);
  }
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(btPrev);
  buttons->addWidget(btNext);
  buttons->addStretch();
  buttons->addWidget(btReadPhoto);
  buttons->addWidget(btClose);
  buttons->addWidget(btApply);
  grid->addLayout(buttons, row, 0, 1, 3);
  setMinimumWidth(360);

  connect(btPrev, &QToolButton::clicked, this, &PicDetailsDialog::btPrevClick);
  connect(btNext, &QToolButton::clicked, this, &PicDetailsDialog::btNextClick);
  connect(btApply, &QPushButton::clicked, this, &PicDetailsDialog::btApplyClick);
  connect(btFilename, &QToolButton::clicked, this, &PicDetailsDialog::btFilenameClick);
  connect(btReadPhoto, &QPushButton::clicked, this, &PicDetailsDialog::btReadPhotoClick);
  connect(btClose, &QPushButton::clicked, this, &QWidget::hide);
  QLineEdit* const fields[] = {edFilename, edDate, edPlace, edPeople, edTitle};
  for (int n = 0; n < static_cast<int>(std::size(fields)); ++n) {
    QLineEdit* field = fields[n];
    // Texts of any length: a field must never cut what it shows.
    field->setMaxLength(std::numeric_limits<int>::max());
    connect(field, &QLineEdit::textChanged, this, [this, n] { edDateChange(n); });
  }
  // Ctrl+Left and Ctrl+Right turn to the neighbour image from any control,
  // ahead of the edits' own word moves.
  for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
  installEventFilter(this);
}

void PicDetailsDialog::OpenDetails(int a, int b) { Open(a, b, true); }

void PicDetailsDialog::OpenDetailsReadOnly(int i) { Open(i, -1, false); }

void PicDetailsDialog::Open(int a, int b, bool editing) {
  const AlbumModel& model = undo_.Model();
  const ViewState& view = undo_.View();
  if (view.CurrentChapter < 0) return;
  // A fresh copy: edits not applied before the dialog was closed are gone.
  undo_.SetPendingEdits(copy_.Chapter(), false);
  editing_ = editing;
  copy_.Take(view.CurrentChapter, model.Images(view.CurrentChapter));
  SetDetailsRange(a, b);
  if (!placed_ && parentWidget()) {
    adjustSize();
    const QRect host = parentWidget()->frameGeometry();
    move(host.center() - QPoint(width() / 2, height() / 2));
    placed_ = true;
  }
  show();
  raise();
}

void PicDetailsDialog::TakeCopy() {
  const AlbumModel& model = undo_.Model();
  const ViewState& view = undo_.View();
  if (view.CurrentChapter == copy_.Chapter() || view.CurrentChapter < 0) return;
  undo_.SetPendingEdits(copy_.Chapter(), false);
  copy_.Take(view.CurrentChapter, model.Images(view.CurrentChapter));
}

void PicDetailsDialog::FollowSpread() {
  const ViewState& view = undo_.View();
  if (!isVisible() || view.CurrentChapter < 0 || view.CurrentChapter == copy_.Chapter()) return;
  SetDetailsRange(view.SelStart, view.SelEnd);
}

void PicDetailsDialog::SetDetailsRange(int a, int b) {
  TakeCopy();
  copy_.SetRange(a, b);
  FillFields();
  // Edits made on other images of the selection wait for the next Apply.
  btApply->setEnabled(editing_ && copy_.HasEdits());
}

QString PicDetailsDialog::DisplayName(const QString& fullName) const {
  return undo_.Model().ImagePathForWriting(copy_.Chapter(), fullName);
}

QString PicDetailsDialog::FullName(const QString& typed) const {
  const AlbumModel& model = undo_.Model();
  const int k = copy_.Chapter();
  if (typed.isEmpty() || k < 0) return typed;
  const QString dataFile =
      ResolvePath(model.DataFiles.value(0), QString(), model.DataFiles.value(k));
  return ResolvePath(dataFile, model.ImageDirs.value(k), typed);
}

void PicDetailsDialog::FillFields() {
  filling_ = true;
  fieldModified_ = false;
  edited_ = 0;
  const bool single = copy_.Single();
  btPrev->setEnabled(single);
  btNext->setEnabled(single);
  const DetailFields fields = copy_.Fields();
  edFilename->setText(fields.Filename.isEmpty() ? QString() : DisplayName(fields.Filename));
  edDate->setText(fields.Date);
  edPlace->setText(fields.Place);
  edPeople->setText(fields.People);
  edTitle->setText(fields.Title);
  lbNr->setText(copy_.NumberText());
  const bool bold = !copy_.ShowsImage();
  for (QWidget* w : {static_cast<QWidget*>(lbNr), static_cast<QWidget*>(edFilename),
                     static_cast<QWidget*>(edDate), static_cast<QWidget*>(edPlace),
                     static_cast<QWidget*>(edPeople), static_cast<QWidget*>(edTitle)}) {
    QFont font = w->font();
    font.setBold(bold);
    w->setFont(font);
  }
  const bool extended = editing_ && look_.ExtendedDesc;
  edTitle->setEnabled(editing_);
  edDate->setEnabled(extended && look_.ShowDate);
  edPlace->setEnabled(extended && look_.ShowPlace);
  edPeople->setEnabled(extended && look_.ShowPeople);
  edFilename->setEnabled(editing_ && single);
  btFilename->setEnabled(editing_ && single);
  btReadPhoto->setEnabled(editing_);
  filling_ = false;
}

void PicDetailsDialog::edDateChange(int field) {
  if (filling_ || copy_.First() < 0 || !editing_) return;
  fieldModified_ = true;
  edited_ |= 1u << field;
  StoreFields();
}

void PicDetailsDialog::StoreFields() {
  btApply->setEnabled(fieldModified_ || copy_.HasEdits());
  if (!fieldModified_) return;
  DetailFields fields{FullName(edFilename->text()), edDate->text(), edPlace->text(),
                      edPeople->text(), edTitle->text()};
  copy_.Store(fields, edited_);
  undo_.SetPendingEdits(copy_.Chapter(), copy_.HasEdits());
}

void PicDetailsDialog::btApplyClick() {
  if (!editing_) return;
  StoreFields();
  const int k = copy_.Chapter();
  const AlbumModel& model = undo_.Model();
  if (k < 0 || copy_.Data().size() != model.ImageCount(k)) return;
  QList<int> changed;
  QStringList files;
  const ImageList& now = model.Images(k);
  for (int i = 0; i < now.size(); ++i) {
    if (copy_.Data()[i].File != now[i].File) {
      changed << i;
      files << copy_.Data()[i].File;
    }
  }
  const ThumbnailList thumbnails = host_.MakeThumbnails(files);
  undo_.Replace(k, copy_.Data(), changed, thumbnails, QStringLiteral("Image properties"));
  undo_.SetPendingEdits(k, copy_.HasEdits());
  btApply->setEnabled(true);  // pressing it again applies the same values again
}

void PicDetailsDialog::btReadPhotoClick() {
  const int k = copy_.Chapter();
  if (!editing_ || k < 0 || copy_.First() < 0) return;
  ImageList images = undo_.Model().Images(k);
  const std::optional<DateForm> form = ChapterDateForm(images);
  bool changed = false;
  for (int i = copy_.First(); i <= std::max(copy_.First(), copy_.Last()) && i < images.size(); ++i)
    changed |= FillEmptyDetails(images[i], ReadPhotoDetails(images[i].File), form);
  // Every file stays: no thumbnail changes.
  if (changed) undo_.Replace(k, images, {}, {}, QStringLiteral("Read from photo"));
}

void PicDetailsDialog::FollowChapter(int k, const IndexMap& map) {
  if (k != copy_.Chapter()) return;
  copy_.Follow(k, undo_.Model().Images(k), map);
  if (isVisible()) {
    const bool apply = btApply->isEnabled() || copy_.HasEdits();
    FillFields();
    btApply->setEnabled(apply);
  }
}

void PicDetailsDialog::btPrevClick() {
  if (copy_.Single() && copy_.First() > 0) host_.SelectRange(copy_.First() - 1, copy_.First() - 1);
}

void PicDetailsDialog::btNextClick() {
  if (copy_.Single() && copy_.First() < undo_.Model().ImageCount(copy_.Chapter()) - 1)
    host_.SelectRange(copy_.First() + 1, copy_.First() + 1);
}

void PicDetailsDialog::btFilenameClick() {
  FileDialogRequest request;
  request.Title = windowTitle();
  request.Filter = PictureFileFilter();
  request.FileName = FullName(edFilename->text());
  request.InitialDir = FolderPart(request.FileName);
  const QString chosen = prompts_.GetOpenFileName(request);
  if (!chosen.isEmpty()) edFilename->setText(DisplayName(chosen));
}

bool PicDetailsDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() == Qt::ControlModifier &&
        (key->key() == Qt::Key_Left || key->key() == Qt::Key_Right)) {
      if (copy_.Single()) key->key() == Qt::Key_Left ? btPrevClick() : btNextClick();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void PicDetailsDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  emit ShowingChanged(true);
}

void PicDetailsDialog::hideEvent(QHideEvent* event) {
  QDialog::hideEvent(event);
  // Hiding drops the edits that were not applied.
  undo_.SetPendingEdits(copy_.Chapter(), false);
  emit ShowingChanged(false);
}
