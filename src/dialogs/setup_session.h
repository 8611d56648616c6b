#pragma once
// Everything the setup dialog decides, without the dialog: the working look
// (SetupProfile), the working settings, the working album copy, the flags,
// each control's handler, and the commit of OK and Apply in both modes. The
// window SetupDialog only shows this state and turns control events into calls.
//
// Nothing reaches the program before CommitSetup; dropping the session (or
// filling it again) is Cancel.

#include <QColor>
#include <QString>
#include <functional>

#include "init/album_document.h"
#include "init/profile.h"
#include "init/program_settings.h"
#include "init/setup_chapters.h"

enum class SetupMode { Program, Album };
enum class LookTarget { Cover, Inside, Bookmarks, Pages };

// What the setup dialog needs from the main window beyond AlbumWindow.
class SetupHost {
 public:
  virtual ~SetupHost() = default;
  // The RecreateThumbnails command: thumbnails made again for a new grid.
  virtual void RecreateThumbnails() = 0;
  // The caption of one of the window's actions ("Setup", "AlbumProperties").
  virtual QString ActionCaption(const QString& action) const = 0;
};

struct SetupContext {
  DocumentContext Document;  // the model, the look the book draws, the window
  ProgramSettings& Settings;
  SetupHost& Host;
};

// What the look page shows for the selected target: the preview panel's
// colour and texture, the sample labels' fonts, and which buttons show.
struct LookPreview {
  QColor Color;
  QString Texture;  // a file that exists, else empty
  LookFont Font1;
  LookFont Font2;   // shown for Pages only
  LookFont BMFont;  // shown for Bookmarks only, on the colour of the first bookmark
  bool ShowColor = true;
  bool ShowTexture = true;
  bool ShowFont1 = true;
  bool ShowFont2 = false;
  bool ShowBMFont = false;
};

// The grid and description controls of the look page.
enum class LookField { Columns, Rows, TextRows, Extended, Date, Place, People, Frames };

// The limits the format file keeps, so a look shows the same after reopening.
struct GridBounds {
  int Low;
  int High;
};
GridBounds GridLimits(LookField field);

class SetupSession {
 public:
  explicit SetupSession(const SetupContext& context);

  // Opening. OpenProgramSettings reads the default format file (a missing
  // one gives the defaults); false, with the message shown, when it exists
  // but cannot be read.
  bool OpenProgramSettings();
  void OpenAlbum();
  // Everything refilled from the program's current state (after every commit).
  void Fill();

  // Look page.
  void SetTarget(LookTarget target);
  LookPreview Preview() const;
  int LookValue(LookField field) const;
  void SetLookValue(LookField field, int value);
  void ChooseColor();
  void ChooseTexture();
  void ClearTexture();
  // button 1 or 2: btFont1 or btFont2.
  void ChooseFont(int button);
  // The colour of the font that button sets (btFontColor1, btFontColor2).
  void ChooseFontColor(int button);
  void RestoreDefaultLook();

  // General page, program settings.
  void ChooseLanguage();
  void DefaultLanguage();
  void SetFreeMemory(bool on);
  void SetLoadAllChapters(bool on);
  // Any other program setting: change runs on a copy of WorkSettings.
  void ChangeSettings(const std::function<void(ProgramSettings&)>& change);

  // General page, album.
  void SetTitle(const QString& title);
  void SetAlbumDir(const QString& dir);
  // The folder dialog for the album's or the selected chapter's images.
  void ChooseAlbumDir();
  void ChooseChapterDir();
  void ChooseFormatFile();
  void ClearFormatFile();
  void ChooseDataFile();

  // Chapters page.
  void SelectEntry(int entry);
  void SetBookmarkTitle(const QString& text);
  void SetChapterTitle(const QString& text);
  void SetChapterDir(const QString& dir);
  void ChooseBookmarkColor();
  void MoveUp();
  void MoveDown();
  void AddChapter();
  void RemoveChapter();

  // OK and Apply. False, with the message shown, when the default format
  // file cannot be written: nothing is committed and the dialog stays open.
  bool CommitSetup();

  SetupMode Mode = SetupMode::Program;
  AlbumLook SetupProfile;
  ProgramSettings WorkSettings;  // the program-settings controls
  ChapterWork Chapters;
  // The album controls: edTitle, edAlbumDir, edDataFile, edProfile.
  QString Title;
  QString AlbumDir;
  QString DataFile;
  QString ProfileName;
  LookTarget Target = LookTarget::Cover;
  QString PendingCoverTexture;
  QString PendingPageTexture;

  bool FillingControls = false;
  bool EditAllowed = true;
  bool LookChanged = false;
  bool AlbumChanged = false;
  bool GridChanged = false;
  bool ChaptersChanged = false;
  bool ApplyEnabled = false;

  const AlbumModel& Model() const { return context_.Document.Data.Model; }
  const SetupContext& Context() const { return context_; }

 private:
  void ShowLook();
  void Changed() { ApplyEnabled = true; }
  void LookEdited();
  LookFont* FontOf(int button);
  QString& PendingTexture();
  bool CommitProgramSettings();
  void CommitAlbum();

  SetupContext context_;
};
