#pragma once
// The new album guide: a small wizard that opens an existing album or makes
// a new one from a title, a file name and a choice of look. Only its step
// texts are translated (through the message table).

#include <QDialog>

class AlbumModel;
class AlbumWindow;
class Prompts;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
struct ProgramSettings;

// The main-window commands the guide runs.
class GuideHost {
 public:
  virtual ~GuideHost() = default;
  // The New command; false when the user kept the open album (Cancel at the
  // save question).
  virtual bool NewAlbum() = 0;
  // The Open command with its file dialog.
  virtual void OpenAlbum() = 0;
  // The setup dialog for the album, on its look page.
  virtual void ShowAlbumLook() = 0;
};

struct GuideContext {
  AlbumModel& Model;
  AlbumWindow& Window;
  Prompts& Ask;
  ProgramSettings& Settings;  // RunGuide is kept here and stored at once
  GuideHost& Host;
};

class GuideDialog : public QDialog {
 public:
  explicit GuideDialog(const GuideContext& context, QWidget* parent = nullptr);

  // Resets the guide (first page, the start-up box from RunGuide) and shows
  // it modally; a new album with "Custom format" then opens its look.
  int ShowGuide();
  // ShowGuide without showing: what a test drives.
  void ResetGuide();

  // The folder a file name without one is taken in.
  void SetDefaultFolder(const QString& folder) { folder_ = folder; }

 private:
  QLabel* Image1;
  QLabel* lbStep;
  QFrame* Bevel1;
  QFrame* Bevel2;
  QStackedWidget* Pages;
  QLabel* lbWhatToDo;
  QLabel* Image2;
  QLabel* Image3;
  QRadioButton* btCreate;
  QRadioButton* btOpen;
  QLabel* lbTitle;
  QLabel* lbFileName;
  QLineEdit* edTitle;
  QLineEdit* edFileName;
  QRadioButton* btDefaultFormat;
  QRadioButton* btCustomFormat;
  QLabel* lbSummary;  // the last page: the files that will be made
  QCheckBox* btRunOnStartup;
  QPushButton* btCancel;
  QPushButton* btPrevious;
  QPushButton* btNext;

  void BuildPages();
  void btNextClick();
  void btPreviousClick();
  void PagesPageChanged(int page);
  void UpdateButtons();
  void Finish();

  GuideContext context_;
  QString folder_;
  bool showLook_ = false;
};
