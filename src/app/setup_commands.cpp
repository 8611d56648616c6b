#include "app/setup_commands.h"

#include <QAction>

#include "browser/album_browser.h"
#include "dialogs/guide_dialog.h"
#include "dialogs/setup_dialog.h"
#include "init/language.h"

namespace {

// The window's side of both dialogs.
class SetupCommands : public QObject, public SetupHost, public GuideHost {
 public:
  explicit SetupCommands(AlbumBrowser& browser) : QObject(&browser), browser_(browser) {}

  // Made when first opened: start-up does not wait for windows not shown.
  SetupDialog* Setup() {
    if (setup_ == nullptr) {
      setup_ =
          new SetupDialog({browser_.Document(), browser_.Document().Settings, *this}, &browser_);
      TranslateForm(browser_.Language(), setup_);
    }
    return setup_;
  }
  GuideDialog* Guide() {
    if (guide_ == nullptr)
      guide_ = new GuideDialog(
          {browser_.Model(), browser_, browser_.prompts(), browser_.Document().Settings, *this},
          &browser_);
    return guide_;
  }

  void RecreateThumbnails() override {
    // Made again by the command when it has one, else by the redraw that
    // follows, which loads what is not loaded.
    const int k = browser_.View().CurrentChapter;
    if (k >= 0 && k < MaxDataFiles) browser_.Thumbs().Loaded[k] = false;
    browser_.RunAction(QStringLiteral("RecreateThumbnails"));
  }
  QString ActionCaption(const QString& action) const override {
    const QAction* a = browser_.Action(action);
    return a != nullptr ? a->text() : QString();
  }

  bool NewAlbum() override {
    // New says nothing when the save question was cancelled; a fresh
    // album's selection is never below -1, so this marks the old one.
    ViewState& view = browser_.View();
    const int selEnd = view.SelEnd;
    view.SelEnd = -2;
    browser_.NewAlbum();
    if (view.SelEnd != -2) return true;
    view.SelEnd = selEnd;
    return false;
  }
  void OpenAlbum() override { browser_.RunAction(QStringLiteral("FileOpen")); }
  void ShowAlbumLook() override {
    Setup()->OpenAlbumLook();
    browser_.UpdateActions();
  }

 private:
  AlbumBrowser& browser_;
  SetupDialog* setup_ = nullptr;
  GuideDialog* guide_ = nullptr;
};

const char* const kProperty = "setupCommands";

// The commands attached to the window (a child of it, so they live as long).
SetupCommands* CommandsOf(const AlbumBrowser& browser) {
  return static_cast<SetupCommands*>(browser.property(kProperty).value<void*>());
}

}  // namespace

void AttachSetupCommands(AlbumBrowser& browser) {
  auto* commands = new SetupCommands(browser);
  browser.setProperty(kProperty, QVariant::fromValue(static_cast<void*>(commands)));
  const auto on = [&browser](const char* action, auto open) {
    QObject::connect(browser.Action(QLatin1String(action)), &QAction::triggered, &browser,
                     [&browser, open] {
                       open();
                       browser.UpdateActions();
                     });
  };
  on("Setup", [commands] { commands->Setup()->OpenProgramSettings(); });
  on("AlbumProperties", [commands] { commands->Setup()->OpenAlbumProperties(); });
  on("EditChapters", [commands] { commands->Setup()->OpenAlbumChapters(); });
  on("DoRunGuide", [commands] { commands->Guide()->ShowGuide(); });
}

SetupDialog* SetupDialogOf(const AlbumBrowser& browser) {
  SetupCommands* commands = CommandsOf(browser);
  return commands != nullptr ? commands->Setup() : nullptr;
}

GuideDialog* GuideOf(const AlbumBrowser& browser) {
  SetupCommands* commands = CommandsOf(browser);
  return commands != nullptr ? commands->Guide() : nullptr;
}

void ShowStartupGuide(AlbumBrowser& browser) {
  if (!browser.Document().Settings.RunGuide) return;
  GuideDialog* guide = GuideOf(browser);
  if (guide == nullptr) return;
  guide->ShowGuide();
  browser.UpdateActions();
}
