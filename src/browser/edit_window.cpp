// Editing in the book window: the commands, undo and redo, the properties
// dialog, and the view after every change.
#include "browser/edit_window.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <algorithm>

#include "book/thumbnail_batch.h"
#include "book/thumbnail_loading.h"
#include "browser/album_browser.h"
#include "browser/copied_files.h"
#include "init/language.h"
#include "init/profile.h"
#include "init/program_settings.h"

namespace {

QStringList SystemClipboardPictures() {
  return PictureFiles(CopiedFiles(QGuiApplication::clipboard()->mimeData()));
}

}  // namespace

EditWindow::EditWindow(AlbumBrowser& window)
    : QObject(&window),
      window_(window),
      undo_(window.Album()),
      editor_(undo_, window.prompts(), [this](const QStringList& files) {
        return MakeNewImages(files, window_.Book().ThumbnailBox(),
                             Model().DataTitles.value(View().CurrentChapter), window_.Progress(),
                             window_.Document().Settings.ReadPhotoDetails);
      }) {
  window_.AddInput(this);
  window_.SetClipboardCount(
      [this] { return systemPictures_ > 0 ? systemPictures_ : editor_.Clipboard().Count(); });
  // Files copied before the program started are newer than its empty clipboard.
  systemPictures_ = static_cast<int>(SystemClipboardPictures().size());
  connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
          &EditWindow::SystemClipboardChanged);
  window_.SetDetailsShowing([this] { return DetailsShowing(); });
  connect(&undo_, &AlbumUndo::ChapterChanged, this, [this](int k) { ShowChange(k); });
  connect(&window_, &AlbumBrowser::EditModeChanged, this, &EditWindow::OnEditMode);
  connect(&window_, &AlbumBrowser::AlbumOpened, this, &EditWindow::OfferFindMissing);
  ConnectActions();
}

AlbumModel& EditWindow::Model() const { return window_.Model(); }
ViewState& EditWindow::View() const { return window_.View(); }

PicDetailsDialog& EditWindow::Details() {
  if (details_ == nullptr) {
    details_ =
        new PicDetailsDialog(undo_, window_.Book().Look(), window_.prompts(), *this, &window_);
    TranslateForm(window_.Language(), details_);
    connect(details_, &PicDetailsDialog::ShowingChanged, this, [this] {
      window_.UpdateActions();
      UpdateUndoActions();
    });
    // Pages turn while the dialog shows, also into another chapter.
    connect(&window_, &AlbumBrowser::SpreadShown, details_, &PicDetailsDialog::FollowSpread);
  }
  return *details_;
}

void EditWindow::ConnectActions() {
  const auto on = [this](const char* name, std::function<void()> command) {
    connect(window_.Action(QLatin1String(name)), &QAction::triggered, this,
            [command = std::move(command)] { command(); });
  };
  const auto caption = [this] { return window_.Action(QStringLiteral("InsertPictures"))->text(); };
  on("AddPictures", [this, caption] { editor_.AddPicturesExecute(false, caption()); });
  on("InsertPictures", [this, caption] { editor_.AddPicturesExecute(true, caption()); });
  // What is removed must be in sight, framed: a selection left on another
  // spread (the page turned, another chapter shown) is not removed unseen.
  on("DeletePictures", [this] {
    if (SelectionShown()) editor_.DeletePicturesExecute(window_.Document().Settings.ConfirmDeletes);
  });
  on("Copy", [this] {
    if (SelectedRun(Model(), View()).Count > 0) systemPictures_ = 0;
    editor_.CopyExecute();
  });
  on("Cut", [this] {
    if (!SelectionShown()) return;
    systemPictures_ = 0;
    editor_.CutExecute(window_.Document().Settings.ConfirmDeletes);
  });
  on("Paste", [this] { PasteExecute(); });
  on("SelectAll", [this] {
    const int count = Model().ImageCount(View().CurrentChapter);
    if (count > 0) SelectRange(0, count - 1);
  });
  on("RecreateThumbnails", [this] {
    AlbumModel& model = Model();
    ViewState& view = View();
    const int page = view.CurrentPage;
    LoadChapterThumbnails(model, window_.Thumbs(), view.CurrentChapter,
                          window_.Book().ThumbnailBox(), window_.Progress(), 0,
                          window_.Document().Settings.ShareThumbnails);
    // As if the book were opening: the window is placed and the pages rebuilt.
    view.CurrentPage = -1;
    window_.ShowSpread(view.CurrentChapter, page);
  });
  on("FindMissing", [this] { FindMissingExecute(); });
  undoAction_ = new QAction(QStringLiteral("Undo"), &window_);
  undoAction_->setObjectName(QStringLiteral("Undo"));
  undoAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  redoAction_ = new QAction(QStringLiteral("Redo"), &window_);
  redoAction_->setObjectName(QStringLiteral("Redo"));
  redoAction_->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  window_.addAction(undoAction_);
  window_.addAction(redoAction_);
  connect(undoAction_, &QAction::triggered, this, [this] { undo_.Undo(); });
  connect(redoAction_, &QAction::triggered, this, [this] { undo_.Redo(); });
  connect(&undo_.Stack(), &QUndoStack::indexChanged, this, &EditWindow::UpdateUndoActions);
  connect(&undo_.Stack(), &QUndoStack::cleanChanged, this, &EditWindow::UpdateUndoActions);
  UpdateUndoActions();
}

void EditWindow::SystemClipboardChanged() {
  systemPictures_ = static_cast<int>(SystemClipboardPictures().size());
  window_.UpdateActions();
}

void EditWindow::PasteExecute() {
  if (systemPictures_ == 0) {
    editor_.PasteExecute();
  } else {
    // Read again: files may have gone since they were copied.
    editor_.PasteFiles(SystemClipboardPictures());
  }
}

void EditWindow::UpdateUndoActions() {
  // Like every command of the window, not while the properties dialog shows.
  const bool free = !DetailsShowing();
  undoAction_->setEnabled(free && undo_.Stack().canUndo());
  redoAction_->setEnabled(free && undo_.Stack().canRedo());
}

void EditWindow::OnEditMode(bool on) {
  AlbumModel& model = Model();
  ViewState& view = View();
  if (!on) {
    SelectRange(-1, -1);
  } else {
    const int i =
        view.CurrentPage > 0 ? (view.CurrentPage - 1) * window_.Book().Look().ImagesPerPage() : 0;
    if (i < model.ImageCount(view.CurrentChapter)) {
      SelectRange(i, i);
    } else {
      // A spread without images: nothing is selected, so nothing unseen is
      // cut or deleted.
      SetSelection(view, SelectionRange{});
      window_.UpdateActions();
    }
  }
  // The frames are part of the page pictures: drawn again whenever edit mode
  // turns on or off, whether or not the selection moved.
  if (!view.IsBookClosed()) window_.ShowSpread(view.CurrentChapter, view.CurrentPage);
}

bool EditWindow::SelectionShown() const {
  const AlbumModel& model = Model();
  const ViewState& view = View();
  const ImageRun run = SelectedRun(model, view);
  if (run.Count == 0 || view.IsBookClosed()) return false;
  // Spread p shows pages p and p + 1; page q holds images (q - 1) * P to q * P - 1.
  const qint64 perPage = window_.Book().Look().ImagesPerPage();
  const qint64 first = std::max<qint64>(0, (view.CurrentPage - 1) * perPage);
  const qint64 last = (view.CurrentPage + 1) * perPage - 1;
  return run.First <= last && run.Last() >= first;
}

void EditWindow::SelectRange(int a, int b) {
  if (hooks_.SelectRange) {
    hooks_.SelectRange(a, b);
  } else {
    SetSelection(View(), a < 0 || b < 0 ? SelectionRange{0, 0} : SelectionRange{a, b});
    if (DetailsShowing()) details_->SetDetailsRange(a, b);
    window_.update();
  }
  window_.UpdateActions();
}

ThumbnailList EditWindow::MakeThumbnails(const QStringList& files) {
  const AlbumModel& model = Model();
  const ViewState& view = View();
  return ::MakeThumbnails(files, window_.Book().ThumbnailBox(),
                          model.DataTitles.value(view.CurrentChapter), window_.Progress());
}

void EditWindow::ShowChange(int k) {
  AlbumModel& model = Model();
  ViewState& view = View();
  const SelectionRange selection = SelectionOf(view);
  // Thumbnails a step kept for another page size are made again by
  // ShowSpread, which remakes every one not made for the current cells.
  const int last = model.LastSpread(k, window_.Book().Look().ImagesPerPage());
  const int page = k == view.CurrentChapter ? std::min(view.CurrentPage, last) : 0;
  window_.ShowSpread(k, page);
  SetSelection(view, selection);  // a change of chapter in edit mode reset it
  SelectRange(selection.Start, selection.End);
}
