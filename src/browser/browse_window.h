#pragma once
// Browsing installed into the book window: BookBrowsing as one of its inputs,
// its host calls answered by the window, its actions (ShowPicture,
// ShowDetails, GotoPage, ShowLetters, Play) connected, and the windows it
// opens, the go-to dialog, the image view and the slideshow, made here and
// owned by the window.

#include <QObject>
#include <functional>

#include "browser/browse_host.h"
#include "browser/browsing.h"

class AlbumBrowser;
class GotoDialog;
class PicViewDialog;
class SlideshowView;

// The image properties dialog as browsing reaches it; unset parts do nothing
// (and the dialog counts as not showing).
struct DetailsHooks {
  std::function<bool()> Showing;
  std::function<void(int, int)> Open;
  std::function<void(int)> OpenReadOnly;
  std::function<void(int, int)> SetRange;
};

class BrowseWindow : public QObject, public BrowseHost {
 public:
  // Installs browsing into window; a child of window, it lives as long.
  explicit BrowseWindow(AlbumBrowser& window);

  BookBrowsing& Browsing() { return browsing_; }
  // Both windows are made when first opened: start-up does not wait for them.
  GotoDialog& Goto();
  PicViewDialog& PicView();
  SlideshowView& Slideshow();
  void SetDetails(DetailsHooks hooks) { details_ = std::move(hooks); }

  bool IsEditMode() const override;
  bool IsLettersShown() const override;
  QPoint PressPoint() const override;
  void RunAction(const QString& name) override;
  void SetShowPictureEnabled(bool enabled) override;
  void PopupPictureMenu(QPoint windowPoint) override;
  void ShowImage(int index) override;
  void ShowGoto() override;
  bool IsDetailsShowing() const override;
  void OpenDetails(int first, int last) override;
  void OpenDetailsReadOnly(int index) override;
  void SetDetailsRange(int first, int last) override;

 private:
  // The slideshow from the image the book shows (the selection in edit mode).
  void Play();

  AlbumBrowser& window_;
  BookBrowsing browsing_;
  GotoDialog* goto_ = nullptr;
  PicViewDialog* picView_ = nullptr;
  SlideshowView* slideshow_ = nullptr;
  DetailsHooks details_;
  // "Show image" for the picture menu about to pop up.
  bool showPictureEnabled_ = true;
};
