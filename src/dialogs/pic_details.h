#pragma once
// The image properties dialog fPicDetails: shows and edits the details of
// one image, or of a range of images at once, of the current chapter. It
// floats above the book (non-modal, on top) and follows the selection.
// Edits collect in a working copy (DetailsCopy) and reach the album as one
// undo step when Apply is pressed; until then they count as a change of the
// chapter. Read-only mode shows the details with every field disabled.

#include <QDialog>

#include "core/chapter_block.h"
#include "dialogs/pic_details_copy.h"

class AlbumUndo;
class Prompts;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class DateEdit;
struct AlbumLook;

// The filter of the dialogs that choose pictures: images, videos, each kind,
// and everything.
QString PictureFileFilter();

// What the dialog needs from the main window.
class DetailsHost {
 public:
  virtual ~DetailsHost() = default;
  // The main window's selection change (it calls SetDetailsRange back).
  virtual void SelectRange(int a, int b) = 0;
  // Thumbnails of files whose names changed, in order.
  virtual ThumbnailList MakeThumbnails(const QStringList& files) = 0;
};

class PicDetailsDialog : public QDialog {
  Q_OBJECT

 public:
  PicDetailsDialog(AlbumUndo& undo, const AlbumLook& look, Prompts& prompts, DetailsHost& host,
                   QWidget* parent = nullptr);

  // For editing images a..b (b = -1: image a alone) of the current chapter,
  // with a fresh working copy.
  void OpenDetails(int a, int b);
  // Image i, every field disabled.
  void OpenDetailsReadOnly(int i);
  // Shows range a..b (b = -1: a alone); Apply is enabled only while edits
  // wait to be applied.
  void SetDetailsRange(int a, int b);
  // The book shows a spread anew: when that is another chapter than the
  // copy's, the dialog shows the selection there, from a fresh copy, so
  // that Apply never writes into a chapter that is not on screen.
  void FollowSpread();
  bool IsShowing() const { return isVisible(); }
  bool IsEditing() const { return editing_; }
  const DetailsCopy& WorkingCopy() const { return copy_; }

  void reject() override { hide(); }

 signals:
  // Shown or hidden: the main window's actions are disabled while it shows.
  void ShowingChanged(bool showing);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void btPrevClick();
  void btNextClick();
  void btApplyClick();
  void btFilenameClick();
  // Fills the empty details of the images shown from their files, one step.
  void btReadPhotoClick();
  // The change of one of the five fields, in the order of DetailFields.
  void edDateChange(int field);

  QLabel* lbFilename;
  QLineEdit* edFilename;
  QToolButton* btFilename;
  QLabel* lbPicNr;
  QLabel* lbNr;
  QLabel* lbDate;
  DateEdit* edDate;
  QLabel* lbPlace;
  QLineEdit* edPlace;
  QLabel* lbPeople;
  QLineEdit* edPeople;
  QLabel* lbTitle;
  QLineEdit* edTitle;
  QToolButton* btPrev;
  QToolButton* btNext;
  QPushButton* btClose;
  QPushButton* btApply;
  QPushButton* btReadPhoto;

  void FormCreate();
  void Open(int a, int b, bool editing);
  void FillFields();
  void StoreFields();
  void FollowChapter(int k, const IndexMap& map);
  // The current chapter's copy; taken again when another chapter is shown.
  void TakeCopy();
  QString DisplayName(const QString& fullName) const;
  QString FullName(const QString& typed) const;

  AlbumUndo& undo_;
  const AlbumLook& look_;
  Prompts& prompts_;
  DetailsHost& host_;
  DetailsCopy copy_;
  bool editing_ = false;
  bool fieldModified_ = false;
  DetailsCopy::EditedFields edited_ = 0;  // since the range was last shown
  bool filling_ = false;
  bool placed_ = false;
};
