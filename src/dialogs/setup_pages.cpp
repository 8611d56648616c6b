// The controls of the setup dialog's three pages, laid out.

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedLayout>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "dialogs/path_label.h"
#include "dialogs/setup_dialog.h"
#include "dialogs/setup_widgets.h"

namespace {

QLabel* Label(QWidget* parent, const char* name, const char* text) {
  return Make<QLabel>(parent, name, QString::fromLatin1(text));
}

QPushButton* Button(QWidget* parent, const char* name, const char* text) {
  return Make<QPushButton>(parent, name, QString::fromLatin1(text));
}

QCheckBox* Check(QWidget* parent, const char* name, const char* text) {
  return Make<QCheckBox>(parent, name, QString::fromLatin1(text));
}

QSpinBox* Spin(QWidget* parent, const char* name, LookField field) {
  auto* spin = Make<QSpinBox>(parent, name);
  const GridBounds limits = GridLimits(field);
  spin->setRange(limits.Low, limits.High);
  return spin;
}

QToolButton* Arrow(QWidget* parent, const char* name, Qt::ArrowType arrow) {
  auto* button = Make<QToolButton>(parent, name);
  button->setArrowType(arrow);
  return button;
}

QLineEdit* ReadOnly(QWidget* parent, const char* name) {
  auto* edit = Make<QLineEdit>(parent, name);
  edit->setReadOnly(true);
  return edit;
}

QFrame* Swatch(QWidget* parent, const char* name, QSize size) {
  auto* frame = Make<QFrame>(parent, name);
  frame->setFrameShape(QFrame::Panel);
  frame->setFrameShadow(QFrame::Sunken);
  frame->setFixedSize(size);
  frame->setAutoFillBackground(true);
  return frame;
}

}  // namespace

void SetupDialog::BuildGeneralPage() {
  // The settings controls and the album panel share the page; the mode
  // decides which one shows.
  auto* stack = new QStackedLayout(pgGeneral);
  pnSettings = Make<QWidget>(pgGeneral, "pnSettings");
  lbLanguage = Label(pnSettings, "lbLanguage", "Language");
  edLanguage = ReadOnly(pnSettings, "edLanguage");
  btLanguage = Button(pnSettings, "btLanguage", "...");
  btDefaultLang = Button(pnSettings, "btDefaultLang", "Default");
  btLoadAll = Check(pnSettings, "btLoadAll", "Load all chapters in advance");
  btConfirmDeletes = Check(pnSettings, "btConfirmDeletes", "Confirm deletes");
  btMemory = Check(pnSettings, "btMemory", "Only current chapter in memory");
  btRunGuide = Check(pnSettings, "btRunGuide", "Run guide on startup");
  btShareThumbnails =
      Check(pnSettings, "btShareThumbnails", "Share thumbnails with other programs");
  btReadDetails = Check(pnSettings, "btReadDetails", "Read details from added photos");
  lbMenuSpeed = Label(pnSettings, "lbMenuSpeed", "Menu speed");
  edMenuSpeed = Make<QSpinBox>(pnSettings, "edMenuSpeed");
  edMenuSpeed->setRange(0, 10);
  for (QWidget* hidden : {static_cast<QWidget*>(btMemory), static_cast<QWidget*>(btRunGuide),
                          static_cast<QWidget*>(lbMenuSpeed), static_cast<QWidget*>(edMenuSpeed)})
    hidden->setVisible(false);
  auto* settings = new QGridLayout(pnSettings);
  settings->addWidget(lbLanguage, 0, 0);
  settings->addWidget(edLanguage, 0, 1);
  settings->addWidget(btLanguage, 0, 2);
  settings->addWidget(btDefaultLang, 0, 3);
  settings->addWidget(btLoadAll, 1, 0, 1, 4);
  settings->addWidget(btConfirmDeletes, 2, 0, 1, 4);
  settings->addWidget(btMemory, 3, 0, 1, 4);
  settings->addWidget(btRunGuide, 4, 0, 1, 4);
  settings->addWidget(lbMenuSpeed, 5, 0);
  settings->addWidget(edMenuSpeed, 5, 1);
  settings->addWidget(btShareThumbnails, 6, 0, 1, 4);
  settings->addWidget(btReadDetails, 7, 0, 1, 4);
  lbSlideInterval = Label(pnSettings, "lbSlideInterval", "Slideshow interval (seconds)");
  edSlideInterval = Make<QSpinBox>(pnSettings, "edSlideInterval");
  edSlideInterval->setRange(1, 60);
  btSlideVideos = Check(pnSettings, "btSlideVideos", "Open videos in the slideshow");
  settings->addWidget(lbSlideInterval, 8, 0);
  settings->addWidget(edSlideInterval, 8, 1);
  settings->addWidget(btSlideVideos, 9, 0, 1, 4);
  settings->setRowStretch(10, 1);

  pnDescription = Make<QFrame>(pgGeneral, "pnDescription");
  lbFilename = Make<PathLabel>(pnDescription, "lbFilename");
  lbTitle = Label(pnDescription, "lbTitle", "Title");
  edTitle = Make<QLineEdit>(pnDescription, "edTitle");
  lbAlbumDir = Label(pnDescription, "lbAlbumDir", "Image directory");
  edAlbumDir = Make<QLineEdit>(pnDescription, "edAlbumDir");
  btAlbumDir = Button(pnDescription, "btAlbumDir", "...");
  lbPictureCount1 = Label(pnDescription, "lbPictureCount1", "Picture count:");
  lbPicCount1 = Make<QLabel>(pnDescription, "lbPicCount1");
  lbFormatFile = Label(pnDescription, "lbFormatFile", "Format file");
  edProfile = ReadOnly(pnDescription, "edProfile");
  btProfile = Button(pnDescription, "btProfile", "...");
  btDefaultFormat = Button(pnDescription, "btDefaultFormat", "X");
  lbDataFile = Label(pnDescription, "lbDataFile", "Data file");
  edDataFile = ReadOnly(pnDescription, "edDataFile");
  btDataFile = Button(pnDescription, "btDataFile", "...");
  auto* album = new QGridLayout(pnDescription);
  album->addWidget(lbFilename, 0, 0, 1, 4);
  album->addWidget(lbTitle, 1, 0);
  album->addWidget(edTitle, 1, 1, 1, 3);
  album->addWidget(lbAlbumDir, 2, 0);
  album->addWidget(edAlbumDir, 2, 1);
  album->addWidget(btAlbumDir, 2, 2);
  album->addWidget(lbPictureCount1, 3, 0);
  album->addWidget(lbPicCount1, 3, 1);
  album->addWidget(lbFormatFile, 4, 0);
  album->addWidget(edProfile, 4, 1);
  album->addWidget(btProfile, 4, 2);
  album->addWidget(btDefaultFormat, 4, 3);
  album->addWidget(lbDataFile, 5, 0);
  album->addWidget(edDataFile, 5, 1);
  album->addWidget(btDataFile, 5, 2);
  album->setRowStretch(6, 1);
  stack->addWidget(pnSettings);
  stack->addWidget(pnDescription);
}

void SetupDialog::BuildLookPage() {
  btCover = Make<QRadioButton>(pgLook, "btCover", QStringLiteral("Album cover"));
  btInside = Make<QRadioButton>(pgLook, "btInside", QStringLiteral("Inner cover"));
  btBookmarks = Make<QRadioButton>(pgLook, "btBookmarks", QStringLiteral("Bookmarks"));
  btPages = Make<QRadioButton>(pgLook, "btPages", QStringLiteral("Pages"));
  btCover->setChecked(true);
  lbBMFont = Label(pgLook, "lbBMFont", "Bookmark font");
  lbBMFont->setAutoFillBackground(true);
  pnColor = Swatch(pgLook, "pnColor", QSize(160, 90));  // sized to its samples by FitPreview
  imgTexture = Make<QLabel>(pnColor, "imgTexture");
  imgTexture->setGeometry(pnColor->rect());
  lbFont1 = Make<QLabel>(pnColor, "lbFont1");
  lbFont2 = Make<QLabel>(pnColor, "lbFont2", QStringLiteral("Title"));
  auto* samples = new QVBoxLayout(pnColor);
  samples->addWidget(lbFont1, 0, Qt::AlignCenter);
  samples->addWidget(lbFont2, 0, Qt::AlignCenter);
  btColor = Button(pgLook, "btColor", "Color...");
  btTexture = Button(pgLook, "btTexture", "Texture...");
  btClearTexture = Button(pgLook, "btClearTexture", "X");
  btClearTexture->setToolTip(QStringLiteral("Clear texture"));
  btFont1 = Button(pgLook, "btFont1", "Font...");
  btFont2 = Button(pgLook, "btFont2", "Font...");
  btFontColor1 = Button(pgLook, "btFontColor1", "Font color...");
  btFontColor2 = Button(pgLook, "btFontColor2", "Font color...");
  // Each target shows only its own buttons and samples; the others keep
  // their room, so the page does not move when the target changes.
  // (The preview panel has one size for all; see FitPreview.)
  for (QWidget* shown :
       std::initializer_list<QWidget*>{lbBMFont, btColor, btTexture, btClearTexture, btFont1,
                                       btFont2, btFontColor1, btFontColor2}) {
    QSizePolicy policy = shown->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    shown->setSizePolicy(policy);
  }
  lbColCount = Label(pgLook, "lbColCount", "Columns");
  edColCount = Spin(pgLook, "edColCount", LookField::Columns);
  lbRowCount = Label(pgLook, "lbRowCount", "Rows");
  edRowCount = Spin(pgLook, "edRowCount", LookField::Rows);
  btFrames = Check(pgLook, "btFrames", "Thumbnail frames");
  BoxPicDescription =
      Make<QGroupBox>(pgLook, "BoxPicDescription", QStringLiteral("Image description"));
  lbTitleRows = Label(BoxPicDescription, "lbTitleRows", "Title rows");
  edTextRows = Spin(BoxPicDescription, "edTextRows", LookField::TextRows);
  btExtended = Check(BoxPicDescription, "btExtended", "Extended");
  btDate = Check(BoxPicDescription, "btDate", "Date");
  btPlace = Check(BoxPicDescription, "btPlace", "Place");
  btPeople = Check(BoxPicDescription, "btPeople", "People");
  btDefault = Button(pgLook, "btDefault", "Default");

  auto* box = new QGridLayout(BoxPicDescription);
  box->addWidget(lbTitleRows, 0, 0);
  box->addWidget(edTextRows, 0, 1);
  box->addWidget(btExtended, 1, 0);
  box->addWidget(btDate, 1, 1);
  box->addWidget(btPlace, 2, 0);
  box->addWidget(btPeople, 2, 1);

  auto* targets = new QVBoxLayout;
  for (QRadioButton* radio : {btCover, btInside, btBookmarks, btPages}) targets->addWidget(radio);
  targets->addStretch();
  auto* preview = new QGridLayout;
  preview->addWidget(lbBMFont, 0, 0, 1, 2);
  preview->addWidget(pnColor, 1, 0, 5, 1, Qt::AlignTop);
  preview->addWidget(btColor, 1, 1);
  preview->addWidget(btTexture, 2, 1);
  preview->addWidget(btClearTexture, 2, 2);
  preview->addWidget(btFont1, 3, 1);
  preview->addWidget(btFontColor1, 3, 2);
  preview->addWidget(btFont2, 4, 1);
  preview->addWidget(btFontColor2, 4, 2);
  preview->setRowStretch(5, 1);
  auto* grid = new QGridLayout;
  grid->addWidget(lbColCount, 0, 0);
  grid->addWidget(edColCount, 0, 1);
  grid->addWidget(lbRowCount, 1, 0);
  grid->addWidget(edRowCount, 1, 1);
  grid->addWidget(btFrames, 2, 0, 1, 2);
  grid->addWidget(btDefault, 3, 0, 1, 2);
  auto* page = new QGridLayout(pgLook);
  page->addLayout(targets, 0, 0);
  page->addLayout(preview, 0, 1);
  page->addLayout(grid, 1, 0);
  page->addWidget(BoxPicDescription, 1, 1);
}

void SetupDialog::BuildChaptersPage() {
  lbBookmarks = Label(pgBookmarks, "lbBookmarks", "Bookmarks");
  Bookmarks = Make<QListWidget>(pgBookmarks, "Bookmarks");
  btUp = Arrow(pgBookmarks, "btUp", Qt::UpArrow);
  btDown = Arrow(pgBookmarks, "btDown", Qt::DownArrow);
  lbBookmarkColor = Label(pgBookmarks, "lbBookmarkColor", "Bookmark color");
  pnBMColor = Swatch(pgBookmarks, "pnBMColor", QSize(40, 20));
  btBMColor = Button(pgBookmarks, "btBMColor", "...");
  pnChapters = Make<QFrame>(pgBookmarks, "pnChapters");
  lbChapterFile = Label(pnChapters, "lbChapterFile", "Chapter file");
  lbFile = Make<PathLabel>(pnChapters, "lbFile");
  lbChapterDir = Label(pnChapters, "lbChapterDir", "Chapter directory");
  edDir = Make<QLineEdit>(pnChapters, "edDir");
  btDir = Button(pnChapters, "btDir", "...");
  lbBookmarkTitle = Label(pnChapters, "lbBookmarkTitle", "Bookmark title");
  edBMTitle = Make<QLineEdit>(pnChapters, "edBMTitle");
  lbChapterTitle = Label(pnChapters, "lbChapterTitle", "Chapter title");
  edChapterTitle = Make<QLineEdit>(pnChapters, "edChapterTitle");
  btAdd = Make<QToolButton>(pnChapters, "btAdd");
  btAdd->setText(QStringLiteral("+"));
  btAdd->setToolTip(QStringLiteral("Add a chapter"));
  btDelete = Make<QToolButton>(pnChapters, "btDelete");
  btDelete->setText(QStringLiteral("-"));
  btDelete->setToolTip(QStringLiteral("Remove the chapter"));
  lbPictureCount2 = Label(pgBookmarks, "lbPictureCount2", "Picture count:");
  lbPicCount2 = Make<QLabel>(pgBookmarks, "lbPicCount2");

  auto* chapter = new QGridLayout(pnChapters);
  chapter->setContentsMargins(0, 0, 0, 0);
  chapter->addWidget(lbChapterFile, 0, 0);
  chapter->addWidget(lbFile, 0, 1, 1, 2);
  chapter->addWidget(lbChapterDir, 1, 0);
  chapter->addWidget(edDir, 1, 1);
  chapter->addWidget(btDir, 1, 2);
  chapter->addWidget(lbBookmarkTitle, 2, 0);
  chapter->addWidget(edBMTitle, 2, 1, 1, 2);
  chapter->addWidget(lbChapterTitle, 3, 0);
  chapter->addWidget(edChapterTitle, 3, 1, 1, 2);
  auto* addRemove = new QHBoxLayout;
  addRemove->addWidget(btAdd);
  addRemove->addWidget(btDelete);
  addRemove->addStretch();
  chapter->addLayout(addRemove, 4, 0, 1, 3);

  auto* arrows = new QVBoxLayout;
  arrows->addStretch();
  arrows->addWidget(btUp);
  arrows->addWidget(btDown);
  arrows->addStretch();
  auto* color = new QHBoxLayout;
  color->addWidget(lbBookmarkColor);
  color->addWidget(pnBMColor);
  color->addWidget(btBMColor);
  color->addStretch();
  auto* count = new QHBoxLayout;
  count->addWidget(lbPictureCount2);
  count->addWidget(lbPicCount2);
  count->addStretch();
  auto* details = new QVBoxLayout;
  details->addLayout(color);
  details->addWidget(pnChapters);
  details->addLayout(count);
  details->addStretch();
  auto* page = new QGridLayout(pgBookmarks);
  page->addWidget(lbBookmarks, 0, 0);
  page->addWidget(Bookmarks, 1, 0);
  page->addLayout(arrows, 1, 1);
  page->addLayout(details, 1, 2);
  page->setColumnStretch(0, 2);
  page->setColumnStretch(2, 3);
  for (QLineEdit* line : {edDir, edBMTitle, edChapterTitle}) line->setMinimumWidth(180);
}
