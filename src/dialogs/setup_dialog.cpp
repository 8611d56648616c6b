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
#include <QRegularExpression>
#include <QScreen>
#include <QSpinBox>
#include <QStackedLayout>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "book/paint_tools.h"
#include "core/message_table.h"
#include "dialogs/path_label.h"

namespace {

// The sample of the pages' description lines.
const QString kDescSample = QStringLiteral("Date,place");

void SetText(QLineEdit* edit, const QString& text) {
  if (edit->text() != text) edit->setText(text);  // keeps the cursor while typing
}

void SetBackground(QWidget* widget, const QColor& color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, color);
  widget->setPalette(palette);
}

void ShowFont(QLabel* label, const LookFont& font) {
  label->setFont(font.Font);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, ToQColor(font.Color));
  label->setPalette(palette);
}

// A command's caption as a window title: without the mnemonic marks and the
// "..." that says in a menu that a dialog follows.
QString TitleOf(QString caption) {
  static const QRegularExpression mnemonic(QStringLiteral("&(.)"));
  caption.replace(mnemonic, QStringLiteral("\\1"));
  caption = caption.trimmed();
  if (caption.endsWith(QStringLiteral("..."))) caption.chop(3);
  if (caption.endsWith(QChar(0x2026))) caption.chop(1);
  return caption.trimmed();
}

// A sample's font, made smaller when its text is wider than room.
LookFont FittedFont(const LookFont& font, const QString& text, int room) {
  LookFont fitted = font;
  qreal size = font.Font.pointSizeF();
  while (size > 1 && QFontMetrics(fitted.Font).horizontalAdvance(text) > room) {
    size = std::max<qreal>(1, size * 0.9);
    fitted.Font.setPointSizeF(size);
  }
  return fitted;
}

// The room a label needs for a one-line text in a font.
QSize SampleSize(const LookFont& font, const QString& text) {
  return QFontMetrics(font.Font).boundingRect(QRect(0, 0, 1 << 20, 1 << 20), 0, text).size();
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

SetupDialog::SetupDialog(const SetupContext& context, QWidget* parent)
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
void SetupDialog::Handle(Call call) {
  if (session_.FillingControls) return;
  call();
  ShowState();
}

void SetupDialog::Connect() {
  SetupSession& s = session_;
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
  const auto spin = [this, &s](QSpinBox* box, LookField field) {
    connect(box, &QSpinBox::valueChanged, this,
            [this, &s, field](int value) { Handle([&] { s.SetLookValue(field, value); }); });
  };
  const auto check = [&](QCheckBox* box, LookField field) {
    toggle(box, [&s, field](bool on) { s.SetLookValue(field, on ? 1 : 0); });
  };

  click(btOK, [this] { Commit(true); });
  click(btApply, [this] { Commit(false); });
  connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);

  click(btLanguage, [&s] { s.ChooseLanguage(); });
  click(btDefaultLang, [&s] { s.DefaultLanguage(); });
  toggle(btMemory, [&s](bool on) { s.SetFreeMemory(on); });
  toggle(btLoadAll, [&s](bool on) { s.SetLoadAllChapters(on); });
  toggle(btConfirmDeletes,
         [&s](bool on) { s.ChangeSettings([on](auto& w) { w.ConfirmDeletes = on; }); });
  toggle(btRunGuide, [&s](bool on) { s.ChangeSettings([on](auto& w) { w.RunGuide = on; }); });
  toggle(btShareThumbnails,
         [&s](bool on) { s.ChangeSettings([on](auto& w) { w.ShareThumbnails = on; }); });
  toggle(btReadDetails,
         [&s](bool on) { s.ChangeSettings([on](auto& w) { w.ReadPhotoDetails = on; }); });
  connect(edMenuSpeed, &QSpinBox::valueChanged, this, [this, &s](int value) {
    Handle([&] { s.ChangeSettings([value](auto& w) { w.MenuSpeed = value; }); });
  });
  connect(edSlideInterval, &QSpinBox::valueChanged, this, [this, &s](int value) {
    Handle([&] { s.ChangeSettings([value](auto& w) { w.SlideshowInterval = value; }); });
  });
  toggle(btSlideVideos,
         [&s](bool on) { s.ChangeSettings([on](auto& w) { w.SlideshowOpensVideos = on; }); });
  edit(edTitle, [&s](const QString& text) { s.SetTitle(text); });
  edit(edAlbumDir, [&s](const QString& text) { s.SetAlbumDir(text); });
  click(btAlbumDir, [&s] { s.ChooseAlbumDir(); });
  click(btDir, [&s] { s.ChooseChapterDir(); });
  click(btProfile, [&s] { s.ChooseFormatFile(); });
  click(btDefaultFormat, [&s] { s.ClearFormatFile(); });
  click(btDataFile, [&s] { s.ChooseDataFile(); });

  const std::pair<QRadioButton*, LookTarget> targets[] = {{btCover, LookTarget::Cover},
                                                          {btInside, LookTarget::Inside},
                                                          {btBookmarks, LookTarget::Bookmarks},
                                                          {btPages, LookTarget::Pages}};
  for (const auto& [radio, target] : targets) {
    const LookTarget t = target;
    toggle(radio, [&s, t](bool on) {
      if (on) s.SetTarget(t);
    });
  }
  click(btColor, [&s] { s.ChooseColor(); });
  click(btTexture, [&s] { s.ChooseTexture(); });
  click(btClearTexture, [&s] { s.ClearTexture(); });
  click(btFont1, [&s] { s.ChooseFont(1); });
  click(btFont2, [&s] { s.ChooseFont(2); });
  click(btFontColor1, [&s] { s.ChooseFontColor(1); });
  click(btFontColor2, [&s] { s.ChooseFontColor(2); });
  click(btDefault, [&s] { s.RestoreDefaultLook(); });
  spin(edColCount, LookField::Columns);
  spin(edRowCount, LookField::Rows);
  spin(edTextRows, LookField::TextRows);
  check(btExtended, LookField::Extended);
  check(btDate, LookField::Date);
  check(btPlace, LookField::Place);
  check(btPeople, LookField::People);
  check(btFrames, LookField::Frames);

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

bool SetupDialog::PrepareProgramSettings() {
  if (!session_.OpenProgramSettings()) return false;
  Pages->setTabText(Pages->indexOf(pgLook), Msg(QStringLiteral("DefaultAlbumLook")));
  Pages->setTabText(Pages->indexOf(pgBookmarks), Msg(QStringLiteral("DefaultBMColors")));
  const QString caption = session_.Context().Host.ActionCaption(QStringLiteral("Setup"));
  if (!caption.isEmpty()) setWindowTitle(TitleOf(caption));
  Pages->setCurrentWidget(pgGeneral);
  ShowState();
  return true;
}

void SetupDialog::PrepareAlbum(QWidget* firstPage) {
  session_.OpenAlbum();
  Pages->setTabText(Pages->indexOf(pgLook), Msg(QStringLiteral("AlbumLook")));
  Pages->setTabText(Pages->indexOf(pgBookmarks), Msg(QStringLiteral("Chapters")));
  const QString caption = session_.Context().Host.ActionCaption(QStringLiteral("AlbumProperties"));
  if (!caption.isEmpty()) setWindowTitle(TitleOf(caption));
  Pages->setCurrentWidget(firstPage);
  ShowState();
}

void SetupDialog::PrepareAlbumProperties() { PrepareAlbum(pgGeneral); }
void SetupDialog::PrepareAlbumChapters() { PrepareAlbum(pgBookmarks); }
void SetupDialog::PrepareAlbumLook() { PrepareAlbum(pgLook); }

void SetupDialog::OpenProgramSettings() {
  if (PrepareProgramSettings()) exec();
}
void SetupDialog::OpenAlbumProperties() {
  PrepareAlbumProperties();
  exec();
}
void SetupDialog::OpenAlbumChapters() {
  PrepareAlbumChapters();
  exec();
}
void SetupDialog::OpenAlbumLook() {
  PrepareAlbumLook();
  exec();
}

void SetupDialog::Commit(bool close) {
  if (!session_.CommitSetup()) return;  // the message is shown; nothing typed is lost
  if (close) accept();
}

void SetupDialog::EnableChildControls(QWidget* container) {
  for (QWidget* child : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    child->setEnabled(session_.EditAllowed);
}

void SetupDialog::ShowState() {
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

void SetupDialog::ShowGeneral() {
  const SetupSession& s = session_;
  const bool album = s.Mode == SetupMode::Album;
  static_cast<QStackedLayout*>(pgGeneral->layout())
      ->setCurrentWidget(album ? static_cast<QWidget*>(pnDescription) : pnSettings);
  SetText(edProfile, QDir::toNativeSeparators(s.ProfileName));
  if (album) {
    const AlbumModel& model = s.Model();
    SetText(edTitle, s.Title);
    lbFilename->SetPath(QDir::toNativeSeparators(model.AlbumFileName));
    SetText(edDataFile, QDir::toNativeSeparators(s.DataFile));
    SetText(edAlbumDir, s.AlbumDir);
    lbPicCount1->setText(QString::number(s.Chapters.WorkChapters[0].size()));
    return;
  }
  const ProgramSettings& w = s.WorkSettings;
  SetText(edLanguage, QDir::toNativeSeparators(w.Language));
  edMenuSpeed->setValue(w.MenuSpeed);
  btMemory->setChecked(w.FreeMemory);
  btLoadAll->setChecked(w.LoadAllChapters);
  btConfirmDeletes->setChecked(w.ConfirmDeletes);
  btRunGuide->setChecked(w.RunGuide);
  btShareThumbnails->setChecked(w.ShareThumbnails);
  btReadDetails->setChecked(w.ReadPhotoDetails);
  edSlideInterval->setValue(w.SlideshowInterval);
  btSlideVideos->setChecked(w.SlideshowOpensVideos);
}

void SetupDialog::ShowLook() {
  const SetupSession& s = session_;
  edColCount->setValue(s.LookValue(LookField::Columns));
  edRowCount->setValue(s.LookValue(LookField::Rows));
  edTextRows->setValue(s.LookValue(LookField::TextRows));
  btExtended->setChecked(s.LookValue(LookField::Extended) != 0);
  btDate->setChecked(s.LookValue(LookField::Date) != 0);
  btPlace->setChecked(s.LookValue(LookField::Place) != 0);
  btPeople->setChecked(s.LookValue(LookField::People) != 0);
  for (QCheckBox* line : {btDate, btPlace, btPeople}) line->setEnabled(btExtended->isChecked());
  btFrames->setChecked(s.LookValue(LookField::Frames) != 0);

  const LookPreview preview = s.Preview();
  lbBMFont->setVisible(preview.ShowBMFont);
  btFont2->setVisible(preview.ShowFont2);
  btFont1->setVisible(preview.ShowFont1);
  btFontColor1->setVisible(preview.ShowFont1);
  btFontColor2->setVisible(preview.ShowFont2);
  btColor->setVisible(preview.ShowColor);
  btTexture->setVisible(preview.ShowTexture);
  btClearTexture->setVisible(preview.ShowTexture);
  lbFont2->setVisible(s.Target == LookTarget::Pages);
  QRadioButton* const radios[] = {btCover, btInside, btBookmarks, btPages};
  QRadioButton* radio = radios[static_cast<int>(s.Target)];
  radio->setChecked(true);
  lbFont1->setText(s.Target == LookTarget::Pages ? kDescSample : radio->text());
  FitPreview();
  SetBackground(pnColor, preview.Color);
  imgTexture->setPixmap(TiledTexture(preview.Texture, pnColor->size()));
  const int room = SampleRoom();
  ShowFont(lbFont1, FittedFont(preview.Font1, lbFont1->text(), room));
  ShowFont(lbFont2, FittedFont(preview.Font2, lbFont2->text(), room));
  ShowFont(lbBMFont, FittedFont(preview.BMFont, lbBMFont->text(), room));
  SetBackground(lbBMFont, preview.Color);
}

int SetupDialog::SampleRoom() const { return screen()->availableGeometry().width() * 2 / 5; }

void SetupDialog::FitPreview() {
  // One size for every target, so the page keeps its place when the target
  // changes; a sample wider than the room a screen allows is shown smaller.
  const AlbumLook& look = session_.SetupProfile;
  const int room = SampleRoom();
  const QList<QList<std::pair<QString, const LookFont*>>> targets{
      {{btCover->text(), &look.TitleFont}},
      {{btInside->text(), &look.ChapterFont}},
      {{btBookmarks->text(), &look.ChapterFont}},
      {{kDescSample, &look.DescFont}, {lbFont2->text(), &look.BaseFont}}};
  QSize needed(0, 0);
  const int spacing = pnColor->layout()->spacing();
  for (const auto& samples : targets) {
    QSize target(0, -spacing);
    for (const auto& [text, font] : samples) {
      const QSize sample = SampleSize(FittedFont(*font, text, room), text);
      target = {std::max(target.width(), sample.width()),
                target.height() + spacing + sample.height()};
    }
    needed = needed.expandedTo(target);
  }
  // Around the samples: the layout's margins inside the panel's frame.
  const QMargins inner = pnColor->layout()->contentsMargins() + pnColor->contentsMargins();
  needed += QSize(inner.left() + inner.right(), inner.top() + inner.bottom());
  needed = needed.expandedTo({160, 90});  // room for a texture to show
  if (pnColor->size() == needed) return;
  pnColor->setFixedSize(needed);
  imgTexture->setGeometry(pnColor->rect());
}

void SetupDialog::ShowChapters() {
  const SetupSession& s = session_;
  const ChapterWork& work = s.Chapters;
  const bool album = s.Mode == SetupMode::Album;
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
  lbPicCount2->setText(slot >= 0 ? QString::number(work.WorkChapters[slot].size()) : QString());
  SetText(edChapterTitle, work.WorkTitles.value(slot));
  SetText(edDir, work.WorkDirs.value(slot));
  lbFile->SetPath(QDir::toNativeSeparators(work.WorkDataFiles.value(slot)));
}
