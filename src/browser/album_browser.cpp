#include "browser/album_browser.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>

#include "book/decoration_bitmaps.h"
#include "book/program_cursors.h"
#include "book/thumbnail_loading.h"
#include "browser/focus_return.h"
#include "browser/tool_panel.h"
#include "dialogs/dialog_place.h"
#include "init/program_settings.h"
#include "platform/qt_prompts.h"

AlbumBrowser::AlbumBrowser(Prompts* ask, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
  if (ask == nullptr) {
    ownPrompts_ = std::make_unique<QtPrompts>(this);
    ask = ownPrompts_.get();
  }
  ask_ = ask;
  QCoreApplication::installTranslator(&messages_);
  book_ = std::make_unique<BookView>(album_, static_cast<BookWindow&>(*this), look_, settings_);
  context_ = std::make_unique<DocumentContext>(
      DocumentContext{DataFileContext{album_.Model, album_.View, album_.Thumbs, document_,
                                      progress_, *this, *ask_, settings_.LoadAllChapters},
                      look_, settings_});
  FormCreate();
  // Closed, the book shows only its cover: dialogs open over that.
  CentreDialogsOnVisiblePart(this);
  actions_ = std::make_unique<BrowserActions>(*this, *pnMenu_, album_.Model, album_.View);
  connect(Action(QStringLiteral("EditMode")), &QAction::triggered, this,
          &AlbumBrowser::EditModeExecute);
  commands_ = std::make_unique<FileCommands>(*this);
  UpdateActions();
}

AlbumBrowser::~AlbumBrowser() = default;

void AlbumBrowser::FormCreate() {
  setObjectName(QStringLiteral("fAlbumBrowser"));
  setWindowTitle(QStringLiteral("Quirevale"));
  QGuiApplication::setApplicationDisplayName(QStringLiteral("Quirevale"));
  setMinimumSize(350, 350);
  resize(342, 402);
  QFont design(QStringLiteral("Arial"));
  design.setPixelSize(13);
  setFont(design);
  // The paint step covers the whole client area: nothing is erased first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setAcceptDrops(true);
  new FocusReturn(*this);

  // Never shown: their fonts are the design fonts of the look.
  lbChapter_ = new QLabel(this);
  lbChapter_->setObjectName(QStringLiteral("lbChapter"));
  lbChapter_->hide();
  lbTitle_ = new QLabel(this);
  lbTitle_->setObjectName(QStringLiteral("lbTitle"));
  lbTitle_->hide();
  junk_ = new QWidget(this);
  junk_->setObjectName(QStringLiteral("Junk"));
  junk_->resize(31, 26);
  junk_->hide();

  imgResize_ = new QLabel(this);
  imgResize_->setObjectName(QStringLiteral("imgResize"));
  imgResize_->setPixmap(WindowGlyph(QStringLiteral("grip")));
  imgResize_->resize(16, 16);
  // Its mouse events are the window's own: the corner is the resize zone.
  imgResize_->setAttribute(Qt::WA_TransparentForMouseEvents);
  imgResize_->hide();

  btClose_ = new CaptionButton(QStringLiteral("btClose"), QStringLiteral("close"), this);
  btMaximize_ = new CaptionButton(QStringLiteral("btMaximize"), QStringLiteral("maximize"), this);
  btMinimize_ = new CaptionButton(QStringLiteral("btMinimize"), QStringLiteral("minimize"), this);
  btClose_->setToolTip(QStringLiteral("Close"));
  btMaximize_->setToolTip(QStringLiteral("Maximize"));
  btMinimize_->setToolTip(QStringLiteral("Minimize"));
  // Closing happens on the press, not on the click.
  btClose_->Pressed = [this] { close(); };
  btMaximize_->Clicked = [this] { drag_.ToggleMaximized(); };
  btMinimize_->Clicked = [this] { showMinimized(); };

  pnMenu_ = new ToolPanelFrame(this);
  pnMenu_->move(0, DecorationBitmap(QStringLiteral("MENU")).height() + 2);
  PlaceChrome();
}

void AlbumBrowser::PlaceChrome() {
  const int w = width();
  btClose_->move(w - 24, 4);
  btMaximize_->move(w - 40, 4);
  btMinimize_->move(w - 57, 4);
  imgResize_->move(w - 16, height() - 16);
  pnMenu_->SetSpine(book_->SpineX());
}

ChromeInputs AlbumBrowser::ChromeState() const {
  static const QSize menu = DecorationBitmap(QStringLiteral("MENU")).size();
  return ChromeInputs{size(), book_->SpineX(), album_.View.CurrentPage, album_.View.IsBookClosed(),
                      menu};
}

void AlbumBrowser::PositionWindow() {
  QRect place;
  if (look_.FormMaximized) {
    const QScreen* on = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    place = on != nullptr ? on->availableGeometry() : geometry();
  } else {
    QList<QRect> areas;
    for (const QScreen* s : QGuiApplication::screens()) areas << s->availableGeometry();
    // The look keeps its values: only the window is held to the screens.
    place = PlaceWindow(look_.FormLeft, look_.FormTop, look_.FormWidth, look_.FormHeight, areas);
  }
  setGeometry(place);
  book_->SetWindowSize(size());
  const bool closed = album_.View.IsBookClosed();
  setMask(BookOutline(size(), book_->SpineX(), closed));
  PlaceChrome();
  imgResize_->setVisible(!closed);
  if (!holding_) book_->RebuildPages();
}

void AlbumBrowser::ReleaseLayout() {
  // Placed still holding, then laid out and drawn once, at the held spread.
  holding_ = true;
  PositionWindow();
  holding_ = false;
  const QPoint spread =
      heldSpread_.value_or(QPoint(album_.View.CurrentChapter, album_.View.CurrentPage));
  heldSpread_.reset();
  book_->RebuildPages(spread.x(), spread.y());
}

void AlbumBrowser::RepaintWindow() {
  update();
  emit SpreadShown();
}

void AlbumBrowser::paintEvent(QPaintEvent*) {
  QPainter p(this);
  book_->PaintWindow(p);
  for (BrowserInput* input : inputs_) input->PaintOver(p);
  if (announceOpened_) {
    announceOpened_ = false;
    QMetaObject::invokeMethod(this, &AlbumBrowser::AnnounceOpened, Qt::QueuedConnection);
  }
}

void AlbumBrowser::SetToolPanelVisible(bool visible) {
  if (visible == pnMenu_->isVisible()) return;
  pnMenu_->setVisible(visible);
  if (visible) pnMenu_->raise();
}

void AlbumBrowser::SlideMenu() {
  if (album_.View.IsBookClosed()) return;
  menuShown_ = !menuShown_;
  pnMenu_->Slide(menuShown_);
}

void AlbumBrowser::StretchMenu() { pnMenu_->Stretch(); }

void AlbumBrowser::SetCursor(CursorKind cursor) {
  // Only the cursor set here is taken back: others' stay as they are.
  if (overrideCursor_) QGuiApplication::restoreOverrideCursor();
  overrideCursor_ = cursor != CursorKind::Default;
  if (overrideCursor_)
    QGuiApplication::setOverrideCursor(cursor == CursorKind::HourGlass ? Qt::WaitCursor
                                                                       : Qt::BusyCursor);
}

void AlbumBrowser::ShowBookCursor(BookCursor kind) {
  cursor_ = kind;
  switch (kind) {
    case BookCursor::Default:
    case BookCursor::Arrow:
      setCursor(Qt::ArrowCursor);
      break;
    case BookCursor::Hand:
      setCursor(Qt::PointingHandCursor);
      break;
    case BookCursor::Move:
      setCursor(Qt::SizeAllCursor);
      break;
    case BookCursor::Resize:
      setCursor(Qt::SizeFDiagCursor);
      break;
    case BookCursor::Left:
      setCursor(ProgramCursor(QStringLiteral("LEFT")));
      break;
    case BookCursor::Right:
      setCursor(ProgramCursor(QStringLiteral("RIGHT")));
      break;
    case BookCursor::Previous:
      setCursor(ProgramCursor(QStringLiteral("PREVIOUS")));
      break;
    case BookCursor::Next:
      setCursor(ProgramCursor(QStringLiteral("NEXT")));
      break;
    case BookCursor::Zoom:
      setCursor(ProgramCursor(QStringLiteral("ZOOM")));
      break;
  }
}

bool AlbumBrowser::IsEditMode() const { return actions_ != nullptr && actions_->IsEditMode(); }

void AlbumBrowser::EditModeExecute(bool checked) {
  QAction* editMode = Action(QStringLiteral("EditMode"));
  if (checked && album_.View.IsBookClosed()) {
    // Nothing to edit on the cover: the press changes nothing. Leaving edit
    // mode always works, so Open never keeps it on for the next album.
    editMode->setChecked(false);
    return;
  }
  StretchMenu();
  UpdateActions();
  update();
  emit EditModeChanged(checked);
}

void AlbumBrowser::RunEditMode() { RunAction(QStringLiteral("EditMode")); }

void AlbumBrowser::LoadThumbnails(int chapter) {
  LoadChapterThumbnails(album_.Model, album_.Thumbs, chapter, book_->ThumbnailBox(), progress_, 0,
                        settings_.ShareThumbnails);
}

void AlbumBrowser::ShowSpread(int chapter, int page) {
  if (holding_)
    heldSpread_ = QPoint(chapter, page);
  else
    book_->ShowSpread(chapter, page);
}

void AlbumBrowser::RebuildPages() {
  if (!holding_) book_->RebuildPages();
}

QRect AlbumBrowser::WindowGeometry() const { return geometry(); }

void AlbumBrowser::RunSaveAlbum() { commands_->RunSave(DocumentKinds()[kAlbumFile]); }

void AlbumBrowser::RunSaveFormat() { commands_->RunSave(DocumentKinds()[kFormatFile]); }

void AlbumBrowser::closeEvent(QCloseEvent* event) {
  if (commands_->MayClose())
    event->accept();
  else
    event->ignore();
  UpdateActions();
}

void AlbumBrowser::DocumentOpened() {
  announceOpened_ = true;
  update();
}

void AlbumBrowser::AnnounceOpened() {
  // A long operation's progress box lets paints and queued calls through
  // while its busy cursor shows: the question waits for the next paint.
  if (QGuiApplication::overrideCursor() != nullptr) {
    announceOpened_ = true;
    return;
  }
  emit AlbumOpened();
}
