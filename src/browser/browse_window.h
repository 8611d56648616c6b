#pragma once
// Browsing installed into the book window: TBrowsing as one of its inputs,
// its host calls answered by the window, its actions (ShowPicture,
// ShowDetails, GotoPage, ShowLetters) connected, and the two windows it opens,
// the go-to dialog and the image view, made here and owned by the window.

#include <QObject>
#include <functional>

#include "browser/browse_host.h"
#include "browser/browsing.h"

class TfAlbumBrowser;
class TfGoto;
class TfPicView;

// The image properties dialog as browsing reaches it; unset parts do nothing
// (and the dialog counts as not showing).
struct TDetailsHooks {
  std::function<bool()> Showing;
  std::function<void(int, int)> Open;
  std::function<void(int)> OpenReadOnly;
  std::function<void(int, int)> SetRange;
};

class TBrowseWindow : public QObject, public BrowseHost {
 public:
  // Installs browsing into window; a child of window, it lives as long.
  explicit TBrowseWindow(TfAlbumBrowser& window);

  TBrowsing& Browsing() { return browsing_; }
  // Both windows are made when first opened: start-up does not wait for them.
  TfGoto& Goto();
  TfPicView& PicView();
  void SetDetails(TDetailsHooks hooks) { details_ = std::move(hooks); }

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
  TfAlbumBrowser& window_;
  TBrowsing browsing_;
  TfGoto* goto_ = nullptr;
  TfPicView* picView_ = nullptr;
  TDetailsHooks details_;
  // "Show image" for the picture menu about to pop up.
  bool showPictureEnabled_ = true;
};
