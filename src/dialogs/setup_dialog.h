#pragma once
// The setup dialog: one modal dialog with three pages (General, the look,
// the chapters) in two modes, program settings and album properties. A thin
// shell over SetupSession: every control event becomes one session call,
// after which the controls show the session again. Controls carry the names
// language files address them by.

#include <QDialog>

#include "dialogs/setup_session.h"

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class PathLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QToolButton;

class SetupDialog : public QDialog {
 public:
  explicit SetupDialog(const SetupContext& context, QWidget* parent = nullptr);

  // Fill the dialog for a mode and a first page without showing it; false
  // when the default format file cannot be read (the message is shown).
  bool PrepareProgramSettings();
  void PrepareAlbumProperties();
  void PrepareAlbumChapters();
  void PrepareAlbumLook();

  // The commands' entry points: prepare, then show modally.
  void OpenProgramSettings();
  void OpenAlbumProperties();
  void OpenAlbumChapters();
  void OpenAlbumLook();

  SetupSession& Session() { return session_; }

 private:
  QTabWidget* Pages;
  QWidget* pgGeneral;
  QWidget* pgLook;
  QWidget* pgBookmarks;
  QPushButton* btOK;
  QPushButton* btCancel;
  QPushButton* btApply;

  // General page, program settings.
  QWidget* pnSettings;
  QLabel* lbLanguage;
  QLineEdit* edLanguage;
  QPushButton* btLanguage;
  QPushButton* btDefaultLang;
  QCheckBox* btLoadAll;
  QCheckBox* btConfirmDeletes;
  QCheckBox* btMemory;
  QCheckBox* btRunGuide;
  QCheckBox* btReadDetails;
  QLabel* lbMenuSpeed;
  QSpinBox* edMenuSpeed;
  QCheckBox* btShareThumbnails;
  QLabel* lbSlideInterval;
  QSpinBox* edSlideInterval;
  QCheckBox* btSlideVideos;
  // General page, album.
  QFrame* pnDescription;
  PathLabel* lbFilename;
  QLabel* lbTitle;
  QLineEdit* edTitle;
  QLabel* lbAlbumDir;
  QLineEdit* edAlbumDir;
  QPushButton* btAlbumDir;  // browses for the folder
  QLabel* lbPictureCount1;
  QLabel* lbPicCount1;
  QLabel* lbFormatFile;
  QLineEdit* edProfile;
  QPushButton* btProfile;
  QPushButton* btDefaultFormat;
  QLabel* lbDataFile;
  QLineEdit* edDataFile;
  QPushButton* btDataFile;

  // Look page.
  QRadioButton* btCover;
  QRadioButton* btInside;
  QRadioButton* btBookmarks;
  QRadioButton* btPages;
  QFrame* pnColor;
  QLabel* imgTexture;
  QLabel* lbFont1;
  QLabel* lbFont2;
  QLabel* lbBMFont;
  QPushButton* btColor;
  QPushButton* btTexture;
  QPushButton* btClearTexture;
  QPushButton* btFont1;
  QPushButton* btFont2;
  // The colour of the font btFont1 or btFont2 sets (the font dialog has none).
  QPushButton* btFontColor1;
  QPushButton* btFontColor2;
  QLabel* lbColCount;
  QSpinBox* edColCount;
  QLabel* lbRowCount;
  QSpinBox* edRowCount;
  QCheckBox* btFrames;
  QGroupBox* BoxPicDescription;
  QLabel* lbTitleRows;
  QSpinBox* edTextRows;
  QCheckBox* btExtended;
  QCheckBox* btDate;
  QCheckBox* btPlace;
  QCheckBox* btPeople;
  QPushButton* btDefault;

  // Chapters page.
  QLabel* lbBookmarks;
  QListWidget* Bookmarks;
  QToolButton* btUp;
  QToolButton* btDown;
  QLabel* lbBookmarkColor;
  QFrame* pnBMColor;
  QPushButton* btBMColor;
  QFrame* pnChapters;
  QLabel* lbChapterFile;
  PathLabel* lbFile;
  QLabel* lbChapterDir;
  QLineEdit* edDir;
  QPushButton* btDir;  // browses for the folder
  QLabel* lbBookmarkTitle;
  QLineEdit* edBMTitle;
  QLabel* lbChapterTitle;
  QLineEdit* edChapterTitle;
  QToolButton* btAdd;
  QToolButton* btDelete;
  QLabel* lbPictureCount2;
  QLabel* lbPicCount2;

  void BuildGeneralPage();
  void BuildLookPage();
  void BuildChaptersPage();
  void Connect();
  void PrepareAlbum(QWidget* firstPage);
  // Runs a session call from a control, then shows the session; nothing
  // while the controls are being filled.
  template <typename Call>
  void Handle(Call call);
  void ShowState();
  void ShowGeneral();
  void ShowLook();
  // The preview panel sized for the samples of every target.
  void FitPreview();
  // The widest a sample is shown; a wider one is shown in a smaller size.
  int SampleRoom() const;
  void ShowChapters();
  void EnableChildControls(QWidget* container);
  void Commit(bool close);

  SetupSession session_;
};
