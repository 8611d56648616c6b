#pragma once
// The main window fAlbumBrowser: the book itself, in a frameless window of
// its own shape, with its chrome (caption buttons, resize grip, move and
// resize drags, rounded outline), the sliding tool panel, the action list
// and the file commands. Browsing and editing plug in through BrowserInput
// and by connecting to the actions; dialogs reach the album through Model(),
// Book() and Document().
//
// The class is split by concern: chrome and paint (album_browser.cpp), the
// actions (browser_actions.cpp), the file commands (file_commands.cpp) and
// the input routing (input_routing.cpp); the panel is tool_panel.h.

#include <QHash>
#include <QPoint>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "book/book.h"
#include "book/book_window.h"
#include "browser/action_table.h"
#include "browser/browser_input.h"
#include "browser/window_chrome.h"
#include "core/album_model.h"
#include "core/album_window.h"
#include "core/message_table.h"
#include "core/progress.h"
#include "dialogs/help_page.h"
#include "init/album_document.h"
#include "xml/xml_data.h"

class QAction;
class QLabel;
class QMenu;
class CaptionButton;
class ToolPanelFrame;

class AlbumBrowser : public QWidget, public BookWindow, public AlbumWindow {
  Q_OBJECT

 public:
  // ask: where questions and file dialogs go; null gives Qt's own boxes,
  // owned by the window. Tests pass scripted prompts.
  explicit AlbumBrowser(Prompts* ask = nullptr, QWidget* parent = nullptr);
  ~AlbumBrowser() override;

  // ---- The album -------------------------------------------------------
  BookView& Book() { return *book_; }
  AlbumModel& Model() { return model_; }
  Prompts& prompts() { return *ask_; }
  // What opening and saving work with: the model, the XML document object,
  // the progress box, this window, the prompts, the look and the settings.
  const DocumentContext& Document() const { return *context_; }
  // Where the progress box goes (the splash window); nothing is shown
  // until one is set.
  void SetProgress(ProgressSink* sink) { progress_.Target = sink; }

  // ---- Actions ---------------------------------------------------------
  // The action of that object name (ActionTable), or nullptr. Other parts
  // attach their commands by connecting to its triggered signal.
  QAction* Action(const QString& name) const;
  // Runs the enabling rule, then triggers the action only when it came out
  // enabled; true when it ran.
  bool RunAction(const QString& name);
  // Re-runs the enabling rule over every action. Called after every command
  // and before every shortcut; call it too after changing what the rule
  // reads (flags, selection, clipboard, the properties dialog).
  void UpdateActions();
  // What the rule reads, as it stands now.
  ActionInputs ActionState() const;
  // The number of images on the internal clipboard (default: none) and
  // whether the image properties dialog is showing (default: no).
  void SetClipboardCount(std::function<int()> count);
  void SetDetailsShowing(std::function<bool()> showing);
  // Every action's hint becomes its caption, btSave's the Save action's
  // (after the language file may have translated the captions).
  void ApplyActionHints();
  // The lines of the language file the session started with (none for
  // English). Windows made later take their captions from them: a language
  // chosen in the setup dialog waits for the next start, for every window.
  void SetLanguage(QStringList lines) { language_ = std::move(lines); }
  const QStringList& Language() const { return language_; }
  // The session's messages (Msg), installed on the application while the
  // window lives; start-up loads them with the language file.
  LanguageMessages& Messages() { return messages_; }
  QMenu* PictureMenu() const { return pictureMenu_; }
  QMenu* SaveMenu() const { return saveMenu_; }

  // ---- Input -----------------------------------------------------------
  // Browsing and editing: offered every event the chrome does not take, in
  // the order added. The window does not own them.
  void AddInput(BrowserInput* input) { inputs_.push_back(input); }
  // The last mouse position seen with no button held, or the last release.
  QPoint PressPoint() const { return pressPoint_; }
  // The cursor showing; a release acts by it.
  BookCursor CursorShowing() const { return cursor_; }
  // Where the chrome's zones are now.
  ChromeInputs ChromeState() const;

  // ---- Tool panel --------------------------------------------------------
  // Slides the panel out of the spine or back (nothing while the book is
  // closed), flipping the menu-shown flag.
  void SlideMenu();
  // Grows the panel to its edit-mode height or shrinks it back.
  void StretchMenu();
  bool IsMenuShown() const override { return menuShown_; }
  // Sets the flag without sliding (start-up).
  void SetMenuShown(bool shown) { menuShown_ = shown; }
  ToolPanelFrame* ToolPanel() const { return pnMenu_; }

  // ---- Commands ----------------------------------------------------------
  // FileNew's command: the save question, then a new album in edit mode.
  void NewAlbum();
  // The save question, then OpenDocument (files dropped outside edit mode,
  // the guide). Errors are shown through the prompts.
  void OpenFile(const QString& name);
  // The help page at the topic of the window that has the focus.
  void ShowHelp();
  // The handbook at the section of window (the book's when null).
  void ShowHelpFor(const QWidget* window);
  // Where the help page's URL goes (default: the desktop).
  void SetHelpOpener(UrlOpener opener) { openHelp_ = std::move(opener); }
  // Maximised on the available area of the window's screen, or back.
  void ToggleMaximized();
  // Start-up places the window and shows a spread more than once before the
  // window is seen (the default look, then the file's). While held, the
  // window is placed but its pages are neither laid out nor drawn; the
  // release does that once, for the last place and spread asked for.
  void HoldLayout() { holding_ = true; }
  void ReleaseLayout();

  // ---- BookWindow and AlbumWindow ----------------------------------------
  void PositionWindow() override;
  void RepaintWindow() override;
  void SetToolPanelVisible(bool visible) override;
  bool IsEditMode() const override;
  bool IsResizing() const override { return resizing_; }
  ProgressSink& Progress() override { return progress_; }
  void SetCursor(CursorKind cursor) override;
  void RunEditMode() override;
  void LoadThumbnails(int chapter) override;
  void ShowSpread(int chapter, int page) override;
  void RebuildPages() override;
  QRect WindowGeometry() const override;
  void RunSaveAlbum() override;
  void RunSaveFormat() override;

 signals:
  // Edit mode went on or off (the EditMode command ran with the book open).
  void EditModeChanged(bool on);
  // The book showed a spread (every ShowSpread ends by repainting the
  // window); it may be another chapter's.
  void SpreadShown();

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dragLeaveEvent(QDragLeaveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // Forwards to the progress box set later, so the context can hold it.
  struct ForwardProgress : ProgressSink {
    ProgressSink* Target = nullptr;
    void ShowProgress(const QString& text, int percent, bool showGauge) override {
      if (Target != nullptr) Target->ShowProgress(text, percent, showGauge);
    }
  };

  // album_browser.cpp
  void FormCreate();
  void PlaceChrome();
  void ShowBookCursor(BookCursor cursor);
  // browser_actions.cpp
  void BuildActions();
  void EditModeExecute(bool checked);
  // file_commands.cpp
  void ConnectCommands();
  // Runs a command as the program's top-level handler does: a file error
  // is shown and the command abandoned.
  void Guarded(const std::function<void()>& command);
  void FileOpenExecute();
  void SaveAlbumExecute();
  void SaveAlbumAsExecute();
  void SaveDataExecute();
  void SaveDataAsExecute();
  void SaveFormatExecute();
  void SaveFormatAsExecute();
  void SaveAllExecute();
  void ExportPdfExecute();
  // Runs an action's command from code, within a command that may fail:
  // the rule first, then the command itself (unlike RunAction, errors pass).
  bool RunSaveCommand(const char* name, void (AlbumBrowser::*command)());
  QString SaveDialog(const char* action, const QString& name, const QString& folder,
                     const QString& filter, const QString& suffix);
  // input_routing.cpp
  void MoveOrResize(QPoint p, QPoint global);

  AlbumModel model_;
  AlbumLook look_;            // the look the book is drawn with
  ProgramSettings settings_;  // read at start-up (LoadSettings)
  xml::XmlData document_;
  ForwardProgress progress_;
  QStringList language_;
  LanguageMessages messages_;
  std::unique_ptr<Prompts> ownPrompts_;
  Prompts* ask_;
  std::unique_ptr<BookView> book_;
  std::unique_ptr<DocumentContext> context_;

  QHash<QString, QAction*> actions_;
  QMenu* pictureMenu_ = nullptr;
  QMenu* saveMenu_ = nullptr;
  std::function<int()> clipboardCount_;
  std::function<bool()> detailsShowing_;
  UrlOpener openHelp_ = OpenWithDesktop;

  // Components, by the names the language files use.
  QLabel* lbChapter_ = nullptr;
  QLabel* lbTitle_ = nullptr;
  QLabel* imgResize_ = nullptr;
  CaptionButton* btClose_ = nullptr;
  CaptionButton* btMaximize_ = nullptr;
  CaptionButton* btMinimize_ = nullptr;
  QWidget* junk_ = nullptr;
  ToolPanelFrame* pnMenu_ = nullptr;

  std::vector<BrowserInput*> inputs_;
  bool menuShown_ = false;
  bool resizing_ = false;
  QPoint pressPoint_;
  bool holding_ = false;
  bool overrideCursor_ = false;       // SetCursor's, until the normal one is back
  std::optional<QPoint> heldSpread_;  // chapter, spread asked for while held
  BookCursor cursor_ = BookCursor::Default;
  // A window move follows the pointer on the screen: where it and the
  // window were when the button went down.
  QPoint moveStartGlobal_;
  QPoint moveStartWindow_;
};
