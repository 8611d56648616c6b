#pragma once
// What browsing needs from the book window and the dialogs it opens. The
// window implements it; tests record the calls.

#include <QPoint>
#include <QString>

class BrowseHost {
 public:
  virtual ~BrowseHost() = default;

  virtual bool IsEditMode() const = 0;
  // The checked state of ShowLetters.
  virtual bool IsLettersShown() const = 0;
  // The last pointer position seen without a button held, or the last release.
  virtual QPoint PressPoint() const = 0;
  // Runs an action of the action list by name: its enabling rule first, the
  // command only when the action comes out enabled.
  virtual void RunAction(const QString& name) = 0;
  // "Show image" of the picture menu, for the next pop-up.
  virtual void SetShowPictureEnabled(bool enabled) = 0;
  virtual void PopupPictureMenu(QPoint windowPoint) = 0;

  // The image view of image index of the current chapter.
  virtual void ShowImage(int index) = 0;
  // The modal go-to dialog.
  virtual void ShowGoto() = 0;

  // The image properties dialog.
  virtual bool IsDetailsShowing() const = 0;
  virtual void OpenDetails(int first, int last) = 0;
  virtual void OpenDetailsReadOnly(int index) = 0;
  virtual void SetDetailsRange(int first, int last) = 0;
};
