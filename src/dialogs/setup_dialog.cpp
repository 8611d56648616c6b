#include "dialogs/setup_dialog.h"

#include <QCheckBox>
#include <QDir>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedLayout>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "book/paint_tools.h"
#include "core/message_table.h"

namespace {

void SetText(QLineEdit* edit, const QString& text) {
  if (edit->text() != text) edit->setText(text);  // keeps the cursor while typing
}

void SetBackground(QWidget* widget, const QColor& color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, color);
  widget->setPalette(palette);
}

void ShowFont(QLabel* label, const TProfileFont& font) {
  label->setFont(font.Font);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, ToQColor(font.Color));
  label->setPalette(palette);
}

// The texture tiled over the preview panel, as the book tiles it.
QPixmap TiledTexture(const QString& file, QSize size) {
  const QImage picture = TexturePicture(file);
  if (picture.isNull()) return QPixmap();
  QPixmap tiled(size);
  QPainter painter(&tiled);
  painter.fillRect(QRect(QPoint(0, 0), size), QBrush(picture));
  return tiled;
}

}  // namespace

TfSetup::TfSetup(const SetupContext& context, QWidget* parent)
    : QDialog(parent), session_(context) {
  setObjectName(QStringLiteral("fSetup"));
  setWindowTitle(QStringLiteral("Settings"));
  setModal(true);
  Pages = new QTabWidget(this);
  Pages->setObjectName(QStringLiteral("Pages"));
  pgGeneral = new QWidget;
  pgGeneral->setObjectName(QStringLiteral("pgGeneral"));
  pgLook = new QWidget;
  pgLook->setObjectName(QStringLiteral("pgLook"));
  pgBookmarks = new QWidget;
  pgBookmarks->setObjectName(QStringLiteral("pgBookmarks"));
  Pages->addTab(pgGeneral, QStringLiteral("General"));
  Pages->addTab(pgLook, QStringLiteral("Album look"));
  Pages->addTab(pgBookmarks, QStringLiteral("Chapters"));
  BuildGeneralPage();
  BuildLookPage();
  BuildChaptersPage();

  btOK = new QPushButton(QStringLiteral("OK"), this);
  btOK->setObjectName(QStringLiteral("btOK"));
  btOK->setDefault(true);
  btCancel = new QPushButton(QStringLiteral("Cancel"), this);
  btCancel->setObjectName(QStringLiteral("btCancel"));
  btApply = new QPushButton(QStringLiteral("Apply"), this);
  btApply->setObjectName(QStringLiteral("btApply"));
  btApply->setEnabled(false);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btOK);
  buttons->addWidget(btCancel);
  buttons->addWidget(btApply);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Pages);
  layout->addLayout(buttons);
  Connect();
}

template <typename Call>
void TfSetup::Handle(Call call) {
  if (session_.FillingControls) return;
  call();
  ShowState();
}

void TfSetup::Connect() {
  TSetupSession& s = session_;
  const auto click = [this](QAbstractButton* button, auto call) {
    connect(button, &QAbstractButton::clicked, this, [this, call] { Handle(call); });
  };
  const auto toggle = [this](QAbstractButton* button, auto call) {
    connect(button, &QAbstractButton::toggled, this,
            [this, call](bool on) { Handle([&] { call(on); }); });
  };
  const auto edit = [this](QLineEdit* line, auto call) {
    connect(line, &QLineEdit::textEdited, this,
            [this, call](const QString& text) { Handle([&] { call(text); }); });
  };
  const auto spin = [this, &s](QSpinBox* box, TLookField field) {
    connect(box, &QSpinBox::valueChanged, this,
            [this, &s, field](int value) { Handle([&] { s.SetLookValue(field, value); }); });
  };
  const auto check = [&](QCheckBox* box, TLookField field) {
    toggle(box, [&s, field](bool on) { s.SetLookValue(field, on ? 1 : 0); });
  };

  click(btOK, [this] { Commit(true); });
  click(btApply, [this] { Commit(false); });
  connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);

  click(btLanguage, [&s] { s.ChooseLanguage(); });
  click(btDefaultLang, [&s] { s.DefaultLanguage(); });
  toggle(btMemory, [&s](bool on) { s.SetFreeMemory(on); });
  toggle(btLoadAll, [&s](bool on) { s.SetLoadAllChapters(on); });
  toggle(btConfirmDeletes, [&s](bool on) { s.SetConfirmDeletes(on); });
  toggle(btRunGuide, [&s](bool on) { s.SetRunGuide(on); });
  connect(edMenuSpeed, &QSpinBox::valueChanged, this,
          [this, &s](int value) { Handle([&] { s.SetMenuSpeed(value); }); });
  edit(edTitle, [&s](const QString& text) { s.SetTitle(text); });
  edit(edAlbumDir, [&s](const QString& text) { s.SetAlbumDir(text); });
  click(btAlbumDir, [&s] { s.ChooseAlbumDir(); });
  click(btDir, [&s] { s.ChooseChapterDir(); });
  click(btProfile, [&s] { s.ChooseFormatFile(); });
  click(btDefaultFormat, [&s] { s.ClearFormatFile(); });
  click(btDataFile, [&s] { s.ChooseDataFile(); });

  const std::pair<QRadioButton*, TLookTarget> targets[] = {{btCover, TLookTarget::Cover},
                                                           {btInside, TLookTarget::Inside},
                                                           {btBookmarks, TLookTarget::Bookmarks},
                                                           {btPages, TLookTarget::Pages}};
  for (const auto& [radio, target] : targets) {
    const TLookTarget t = target;
    toggle(radio, [&s, t](bool on) {
      if (on) s.SetTarget(t);
    });
  }
  click(btColor, [&s] { s.ChooseColor(); });
  click(btTexture, [&s] { s.ChooseTexture(); });
  click(btClearTexture, [&s] { s.ClearTexture(); });
  click(btFont1, [&s] { s.ChooseFont(1); });
  click(btFont2, [&s] { s.ChooseFont(2); });
  click(btDefault, [&s] { s.RestoreDefaultLook(); });
  spin(edColCount, TLookField::Columns);
  spin(edRowCount, TLookField::Rows);
  spin(edTextRows, TLookField::TextRows);
  check(btExtended, TLookField::Extended);
  check(btDate, TLookField::Date);
  check(btPlace, TLookField::Place);
  check(btPeople, TLookField::People);
  check(btFrames, TLookField::Frames);

  connect(Bookmarks, &QListWidget::currentRowChanged, this,
          [this, &s](int row) { Handle([&] { s.SelectEntry(row); }); });
  edit(edBMTitle, [&s](const QString& text) { s.SetBookmarkTitle(text); });
  edit(edChapterTitle, [&s](const QString& text) { s.SetChapterTitle(text); });
  edit(edDir, [&s](const QString& text) { s.SetChapterDir(text); });
  click(btBMColor, [&s] { s.ChooseBookmarkColor(); });
  click(btUp, [&s] { s.MoveUp(); });
  click(btDown, [&s] { s.MoveDown(); });
  click(btAdd, [&s] { s.AddChapter(); });
  click(btDelete, [&s] { s.RemoveChapter(); });
}

bool TfSetup::PrepareProgramSettings() {
  if (!session_.OpenProgramSettings()) return false;
  Pages->setTabText(Pages->indexOf(pgLook), Msg(QStringLiteral("DefaultAlbumLook")));
  Pages->setTabText(Pages->indexOf(pgBookmarks), Msg(QStringLiteral("DefaultBMColors")));
  const QString caption = session_.Context().Host.ActionCaption(QStringLiteral("Setup"));
  if (!caption.isEmpty()) setWindowTitle(caption);
  Pages->setCurrentWidget(pgGeneral);
  ShowState();
  return true;
}

void TfSetup::PrepareAlbum(QWidget* firstPage) {
  session_.OpenAlbum();
  Pages->setTabText(Pages->indexOf(pgLook), Msg(QStringLiteral("AlbumLook")));
  Pages->setTabText(Pages->indexOf(pgBookmarks), Msg(QStringLiteral("Chapters")));
  const QString caption = session_.Context().Host.ActionCaption(QStringLiteral("AlbumProperties"));
  if (!caption.isEmpty()) setWindowTitle(caption);
  Pages->setCurrentWidget(firstPage);
  ShowState();
}

void TfSetup::PrepareAlbumProperties() { PrepareAlbum(pgGeneral); }
void TfSetup::PrepareAlbumChapters() { PrepareAlbum(pgBookmarks); }
void TfSetup::PrepareAlbumLook() { PrepareAlbum(pgLook); }

void TfSetup::OpenProgramSettings() {
  if (PrepareProgramSettings()) exec();
}
void TfSetup::OpenAlbumProperties() {
  PrepareAlbumProperties();
  exec();
}
void TfSetup::OpenAlbumChapters() {
  PrepareAlbumChapters();
  exec();
}
void TfSetup::OpenAlbumLook() {
  PrepareAlbumLook();
  exec();
}

void TfSetup::Commit(bool close) {
  if (!session_.CommitSetup()) return;  // the message is shown; nothing typed is lost
  if (close) accept();
}

void TfSetup::EnableChildControls(QWidget* container) {
  for (QWidget* child : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    child->setEnabled(session_.EditAllowed);
}

void TfSetup::ShowState() {
  const bool wasFilling = session_.FillingControls;
  session_.FillingControls = true;
  for (QWidget* container : {static_cast<QWidget*>(pnDescription), pgGeneral, pgLook, pgBookmarks})
    EnableChildControls(container);
  ShowGeneral();
  ShowLook();
  ShowChapters();
  btApply->setEnabled(session_.ApplyEnabled);
  session_.FillingControls = wasFilling;
}

void TfSetup::ShowGeneral() {
  const TSetupSession& s = session_;
  const bool album = s.Mode == TSetupMode::Album;
  static_cast<QStackedLayout*>(pgGeneral->layout())
      ->setCurrentWidget(album ? static_cast<QWidget*>(pnDescription) : pnSettings);
  SetText(edProfile, QDir::toNativeSeparators(s.ProfileName));
  if (album) {
    const AlbumModel& model = s.Model();
    SetText(edTitle, s.Title);
    lbFilename->setText(QDir::toNativeSeparators(model.AlbumFileName));
    SetText(edDataFile, QDir::toNativeSeparators(s.DataFile));
    SetText(edAlbumDir, s.AlbumDir);
    lbPicCount1->setText(QString::number(s.Chapters.WorkChapters[0].Count()));
    return;
  }
  const TProgramSettings& w = s.WorkSettings;
  SetText(edLanguage, QDir::toNativeSeparators(w.Language));
  edMenuSpeed->setValue(w.MenuSpeed);
  btMemory->setChecked(w.FreeMemory);
  btLoadAll->setChecked(w.LoadAllChapters);
  btConfirmDeletes->setChecked(w.ConfirmDeletes);
  btRunGuide->setChecked(w.RunGuide);
}

void TfSetup::ShowLook() {
  const TSetupSession& s = session_;
  edColCount->setValue(s.LookValue(TLookField::Columns));
  edRowCount->setValue(s.LookValue(TLookField::Rows));
  edTextRows->setValue(s.LookValue(TLookField::TextRows));
  btExtended->setChecked(s.LookValue(TLookField::Extended) != 0);
  btDate->setChecked(s.LookValue(TLookField::Date) != 0);
  btPlace->setChecked(s.LookValue(TLookField::Place) != 0);
  btPeople->setChecked(s.LookValue(TLookField::People) != 0);
  for (QCheckBox* line : {btDate, btPlace, btPeople}) line->setEnabled(btExtended->isChecked());
  btFrames->setChecked(s.LookValue(TLookField::Frames) != 0);

  const TLookPreview preview = s.Preview();
  lbBMFont->setVisible(preview.ShowBMFont);
  btFont2->setVisible(preview.ShowFont2);
  btFont1->setVisible(preview.ShowFont1);
  btColor->setVisible(preview.ShowColor);
  btTexture->setVisible(preview.ShowTexture);
  btClearTexture->setVisible(preview.ShowTexture);
  lbFont2->setVisible(s.Target == TLookTarget::Pages);
  SetBackground(pnColor, preview.Color);
  imgTexture->setPixmap(TiledTexture(preview.Texture, pnColor->size()));
  QRadioButton* const radios[] = {btCover, btInside, btBookmarks, btPages};
  QRadioButton* radio = radios[static_cast<int>(s.Target)];
  radio->setChecked(true);
  lbFont1->setText(s.Target == TLookTarget::Pages ? QStringLiteral("Date,place") : radio->text());
  ShowFont(lbFont1, preview.Font1);
  ShowFont(lbFont2, preview.Font2);
  ShowFont(lbBMFont, preview.BMFont);
  SetBackground(lbBMFont, preview.Color);
}

void TfSetup::ShowChapters() {
  const TSetupSession& s = session_;
  const TChapterWork& work = s.Chapters;
  const bool album = s.Mode == TSetupMode::Album;
  pnChapters->setVisible(album);
  lbPictureCount2->setVisible(album);
  lbPicCount2->setVisible(album);
  QStringList shown;
  for (int i = 0; i < Bookmarks->count(); ++i) shown << Bookmarks->item(i)->text();
  if (shown != work.Entries) {
    Bookmarks->clear();
    Bookmarks->addItems(work.Entries);
  }
  Bookmarks->setCurrentRow(work.Selected);
  const bool any = !work.Entries.isEmpty();
  for (QWidget* chapter : std::initializer_list<QWidget*>{edDir, btDir, edBMTitle, edChapterTitle})
    chapter->setEnabled(any && s.EditAllowed);
  const int slot = work.SelectedSlot();
  SetBackground(pnBMColor,
                slot >= 1 ? ToQColor(work.SlotColor(slot)) : palette().color(QPalette::Window));
  if (!album) return;
  SetText(edBMTitle, slot >= 0 ? work.Entries[work.Selected] : QString());
  lbPicCount2->setText(slot >= 0 ? QString::number(work.WorkChapters[slot].Count()) : QString());
  SetText(edChapterTitle, work.WorkTitles.value(slot));
  SetText(edDir, work.WorkDirs.value(slot));
  lbFile->setText(QDir::toNativeSeparators(work.WorkDataFiles.value(slot)));
}
