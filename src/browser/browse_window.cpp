#include "browse_window.h"

#include <QAction>
#include <QMenu>
#include <QScreen>

#include "browser/album_browser.h"
#include "dialogs/goto.h"
#include "dialogs/pic_view.h"
#include "init/language.h"
#include "init/profile.h"

TBrowseWindow::TBrowseWindow(TfAlbumBrowser& window)
    : QObject(&window), window_(window), browsing_(window.Book(), *this) {
  window.AddInput(&browsing_);
  auto command = [this](const char* name, void (TBrowsing::*run)()) {
    connect(window_.Action(QLatin1String(name)), &QAction::triggered, this,
            [this, run] { (browsing_.*run)(); });
  };
  command("ShowPicture", &TBrowsing::ShowPictureCommand);
  command("ShowDetails", &TBrowsing::ShowDetailsCommand);
  command("GotoPage", &TBrowsing::GotoPageCommand);
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

bool TBrowseWindow::IsEditMode() const { return window_.IsEditMode(); }

bool TBrowseWindow::IsLettersShown() const {
  return window_.Action(QStringLiteral("ShowLetters"))->isChecked();
}

QPoint TBrowseWindow::PressPoint() const { return window_.PressPoint(); }

void TBrowseWindow::RunAction(const QString& name) { window_.RunAction(name); }

void TBrowseWindow::SetShowPictureEnabled(bool enabled) { showPictureEnabled_ = enabled; }

void TBrowseWindow::PopupPictureMenu(QPoint windowPoint) {
  window_.PictureMenu()->popup(window_.mapToGlobal(windowPoint));
}

TfGoto& TBrowseWindow::Goto() {
  if (goto_ == nullptr) {
    goto_ = new TfGoto(&window_);
    TranslateForm(window_.Language(), goto_);
  }
  return *goto_;
}

TfPicView& TBrowseWindow::PicView() {
  if (picView_ == nullptr) picView_ = new TfPicView(AlbumProfile, &window_);
  return *picView_;
}

void TBrowseWindow::ShowImage(int index) {
  const QScreen* screen = window_.screen();
  PicView().ShowImage(window_.Model(), index, screen ? screen->geometry() : QRect());
}

void TBrowseWindow::ShowGoto() {
  Goto().ShowGoto(window_.Model(), [this](int c, int p) { window_.ShowSpread(c, p); });
}

bool TBrowseWindow::IsDetailsShowing() const { return details_.Showing && details_.Showing(); }

void TBrowseWindow::OpenDetails(int first, int last) {
  if (details_.Open) details_.Open(first, last);
}

void TBrowseWindow::OpenDetailsReadOnly(int index) {
  if (details_.OpenReadOnly) details_.OpenReadOnly(index);
}

void TBrowseWindow::SetDetailsRange(int first, int last) {
  if (details_.SetRange) details_.SetRange(first, last);
}
