#pragma once
// The modal "Go to" dialog fGoto: a chapter from a list and a spread number.
// It fills itself from the album, and on OK hands the chosen chapter and
// spread to the caller, which shows them.

#include <QDialog>
#include <functional>

class AlbumModel;
struct ViewState;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

// The list's items: the album's title, then every chapter's name; item k is
// data file k.
QStringList GotoChapterItems(const AlbumModel& model);
// The spread that holds page number value (an odd page lies on the spread
// before it).
int GotoSpread(int value);

class GotoDialog : public QDialog {
 public:
  explicit GotoDialog(QWidget* parent = nullptr);

  // Fills the list and presets both controls from the current view, shows the
  // dialog modally and on OK calls showSpread(chapter, spread). perPage: the
  // images a page of the book holds.
  void ShowGoto(const AlbumModel& model, const ViewState& view, int perPage,
                const std::function<void(int, int)>& showSpread);

  // The widest the chapter box grows to show whole names; longer names are
  // cut short there and shown whole as the tool tip.
  static constexpr int WidestChapterBox = 360;

 private:
  QLabel* lbChapter;
  QLabel* lbPage;
  QComboBox* edChapter;
  QSpinBox* edPage;
  QPushButton* btOK;
  QPushButton* btCancel;

  // The spin box keeps to the chosen chapter's spreads.
  void edChapterChange(int index);
  // Fills the chapter box, widens it (and the dialog) to its longest item,
  // up to WidestChapterBox.
  void FillChapters(const QStringList& items);
  // The box's tool tip: the whole name of the item chosen when it is cut.
  void ShowWholeName(int index);

  const AlbumModel* model_ = nullptr;
  int perPage_ = 1;
};
