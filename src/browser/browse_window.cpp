#include "browse_window.h"

#include <QAction>
#include <QMenu>
#include <QScreen>

#include "browser/album_browser.h"
#include "dialogs/goto.h"
#include "dialogs/pic_view.h"
#include "dialogs/slideshow.h"
#include "init/language.h"
#include "init/profile.h"

BrowseWindow::BrowseWindow(AlbumBrowser& window)
    : QObject(&window), window_(window), browsing_(window.Book(), *this) {
  window.AddInput(&browsing_);
  auto command = [this](const char* name, void (BookBrowsing::*run)()) {
    connect(window_.Action(QLatin1String(name)), &QAction::triggered, this,
            [this, run] { (browsing_.*run)(); });
  };
  command("ShowPicture", &BookBrowsing::ShowPictureCommand);
  command("ShowDetails", &BookBrowsing::ShowDetailsCommand);
  command("GotoPage", &BookBrowsing::GotoPageCommand);
  connect(window_.Action(QStringLiteral("Play")), &QAction::triggered, this, [this] { Play(); });
  // The action flips its own checked state; the letters follow it.
  connect(window_.Action(QStringLiteral("ShowLetters")), &QAction::triggered, this,
          [this] { window_.RepaintWindow(); });
  // The window's rule enables the menu's actions as it shows; a missing file
  // then takes "Show image" away again.
  QAction* show = window_.Action(QStringLiteral("ShowPicture"));
  connect(window_.PictureMenu(), &QMenu::aboutToShow, this,
          [this, show] { show->setEnabled(show->isEnabled() && showPictureEnabled_); });
  // And keeps it away while the menu shows, whenever the rule runs again.
  connect(show, &QAction::enabledChanged, this, [this, show](bool enabled) {
    if (enabled && !showPictureEnabled_ && window_.PictureMenu()->isVisible())
      show->setEnabled(false);
  });
}

bool BrowseWindow::IsEditMode() const { return window_.IsEditMode(); }

bool BrowseWindow::IsLettersShown() const {
  return window_.Action(QStringLiteral("ShowLetters"))->isChecked();
}

QPoint BrowseWindow::PressPoint() const { return window_.PressPoint(); }

void BrowseWindow::RunAction(const QString& name) { window_.RunAction(name); }

void BrowseWindow::SetShowPictureEnabled(bool enabled) { showPictureEnabled_ = enabled; }

void BrowseWindow::PopupPictureMenu(QPoint windowPoint) {
  window_.PictureMenu()->popup(window_.mapToGlobal(windowPoint));
}

GotoDialog& BrowseWindow::Goto() {
  if (goto_ == nullptr) {
    goto_ = new GotoDialog(&window_);
    TranslateForm(window_.Language(), goto_);
  }
  return *goto_;
}

PicViewDialog& BrowseWindow::PicView() {
  if (picView_ == nullptr) picView_ = new PicViewDialog(window_.Document().Look, &window_);
  return *picView_;
}

SlideshowView& BrowseWindow::Slideshow() {
  if (slideshow_ == nullptr) slideshow_ = new SlideshowView(&window_);
  return *slideshow_;
}

void BrowseWindow::Play() {
  const int perPage = window_.Book().Look().ImagesPerPage();
  const auto [chapter, first] = SlideStart(window_.View(), IsEditMode(), perPage);
  QList<SlideItem> items = SlideSequence(window_.Model(), chapter, first);
  const QScreen* screen = window_.screen();
  if (items.isEmpty() || screen == nullptr) return;
  Slideshow().Ended = [this, perPage](int c, int i) {
    window_.ShowSpread(c, SpreadOfImage(i, perPage));
  };
  Slideshow().Play(window_.Model(), window_.Book().Look(), window_.Document().Settings,
                   std::move(items), screen->geometry());
}

void BrowseWindow::ShowImage(int index) {
  const QScreen* screen = window_.screen();
  PicView().ShowImage(window_.Model(), window_.View().CurrentChapter, index,
                      screen ? screen->geometry() : QRect());
}

void BrowseWindow::ShowGoto() {
  Goto().ShowGoto(window_.Model(), window_.View(), window_.Book().Look().ImagesPerPage(),
                  [this](int c, int p) { window_.ShowSpread(c, p); });
}

bool BrowseWindow::IsDetailsShowing() const { return details_.Showing && details_.Showing(); }

void BrowseWindow::OpenDetails(int first, int last) {
  if (details_.Open) details_.Open(first, last);
}

void BrowseWindow::OpenDetailsReadOnly(int index) {
  if (details_.OpenReadOnly) details_.OpenReadOnly(index);
}

void BrowseWindow::SetDetailsRange(int first, int last) {
  if (details_.SetRange) details_.SetRange(first, last);
}
