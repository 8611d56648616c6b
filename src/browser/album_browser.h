#pragma once
// The main window fAlbumBrowser: shows the book in a frameless window of its
// own shape with its chrome (caption buttons, resize grip, rounded outline,
// the sliding tool panel) and hands its input to the chrome, the window drag
// and then browsing and editing (BrowserInput). It holds the album and the
// parts that act on it: the actions (BrowserActions), the file commands
// (FileCommands) and the move and resize drags (WindowDrag). Dialogs reach
// the album through Model(), Book() and Document().

#include <QPoint>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "book/book.h"
#include "book/book_window.h"
#include "browser/browser_actions.h"
#include "browser/browser_input.h"
#include "browser/file_commands.h"
#include "browser/window_chrome.h"
#include "browser/window_drag.h"
#include "core/album_window.h"
#include "core/message_table.h"
#include "core/open_album.h"
#include "core/progress.h"
#include "dialogs/help_page.h"
#include "init/album_document.h"
#include "xml/xml_data.h"

class QLabel;
class CaptionButton;
class ToolPanelFrame;

class AlbumBrowser : public QWidget, public BookWindow {
  Q_OBJECT

 public:
  // ask: where questions and file dialogs go; null gives Qt's own boxes,
  // owned by the window. Tests pass scripted prompts.
  explicit AlbumBrowser(Prompts* ask = nullptr, QWidget* parent = nullptr);
  ~AlbumBrowser() override;

  // ---- The album -------------------------------------------------------
  BookView& Book() { return *book_; }
  AlbumModel& Model() { return album_.Model; }
  ViewState& View() { return album_.View; }
  AlbumThumbnails& Thumbs() { return album_.Thumbs; }
  OpenAlbum& Album() { return album_; }
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
  QAction* Action(const QString& name) const { return actions_->Action(name); }
  // Runs the enabling rule, then triggers the action only when it came out
  // enabled; true when it ran.
  bool RunAction(const QString& name) { return actions_->Run(name); }
  // Re-runs the enabling rule over every action. Called after every command
  // and before every shortcut; call it too after changing what the rule
  // reads (flags, selection, clipboard, the properties dialog).
  void UpdateActions() { actions_->Update(); }
  // The number of images on the internal clipboard (default: none) and
  // whether the image properties dialog is showing (default: no).
  void SetClipboardCount(std::function<int()> count) {
    actions_->SetClipboardCount(std::move(count));
  }
  void SetDetailsShowing(std::function<bool()> showing) {
    actions_->SetDetailsShowing(std::move(showing));
  }
  // Every action's hint becomes its caption, btSave's the Save action's
  // (after the language file may have translated the captions).
  void ApplyActionHints() { actions_->ApplyHints(); }
  // The lines of the language file the session started with (none for
  // English). Windows made later take their captions from them: a language
  // chosen in the setup dialog waits for the next start, for every window.
  void SetLanguage(QStringList lines) { language_ = std::move(lines); }
  const QStringList& Language() const { return language_; }
  // The session's messages (Msg), installed on the application while the
  // window lives; start-up loads them with the language file.
  LanguageMessages& Messages() { return messages_; }
  QMenu* PictureMenu() const { return actions_->PictureMenu(); }
  QMenu* SaveMenu() const { return actions_->SaveMenu(); }

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
  void NewAlbum() { commands_->NewAlbum(); }
  // The save question, then OpenDocument (files dropped outside edit mode,
  // the guide). Errors are shown through the prompts.
  void OpenFile(const QString& name) { commands_->OpenFile(name); }
  // Where the help page's URL goes (default: the desktop).
  void SetHelpOpener(UrlOpener opener) { commands_->SetHelpOpener(std::move(opener)); }
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
  bool IsResizing() const override { return drag_.IsResizing(); }
  ProgressSink& Progress() override { return progress_; }
  void SetCursor(CursorKind cursor) override;
  void RunEditMode() override;
  void LoadThumbnails(int chapter) override;
  void ShowSpread(int chapter, int page) override;
  void RebuildPages() override;
  QRect WindowGeometry() const override;
  void RunSaveAlbum() override;
  void RunSaveFormat() override;
  // Emits AlbumOpened once the window has painted the opened book and the
  // event loop runs again, outside any long operation: a question asked then
  // comes over the book, not over a window still being built or shown.
  void DocumentOpened() override;

 signals:
  // Edit mode went on or off (the EditMode command ran with the book open).
  void EditModeChanged(bool on);
  // The book showed a spread (every ShowSpread ends by repainting the
  // window); it may be another chapter's.
  void SpreadShown();
  // An album or data file was opened, and the book shows it.
  void AlbumOpened();

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

  void FormCreate();
  void PlaceChrome();
  void ShowBookCursor(BookCursor cursor);
  void EditModeExecute(bool checked);
  void AnnounceOpened();

  OpenAlbum album_;
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

  std::unique_ptr<BrowserActions> actions_;
  std::unique_ptr<FileCommands> commands_;
  WindowDrag drag_{*this};

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
  QPoint pressPoint_;
  bool holding_ = false;
  bool overrideCursor_ = false;       // SetCursor's, until the normal one is back
  std::optional<QPoint> heldSpread_;  // chapter, spread asked for while held
  BookCursor cursor_ = BookCursor::Default;
  bool announceOpened_ = false;  // AlbumOpened waits for the next paint
};
