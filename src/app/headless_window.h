#pragma once
// The main window without a window: it has a size and nothing else, so an
// album can be opened and its book drawn into files (the render command).
// It stands in for both interfaces the window offers: the book's and the
// album files'.

#include <QRect>
#include <QSize>
#include <QStringList>

#include "book/book.h"
#include "book/book_window.h"
#include "book/thumbnail_loading.h"
#include "core/album_window.h"
#include "core/progress.h"
#include "core/prompts.h"
#include "init/profile.h"

class HeadlessBookWindow : public BookWindow, public AlbumWindow {
 public:
  // size: the window size to lay the book out for; an invalid one takes the
  // look's FormWidth x FormHeight whenever the window is placed.
  explicit HeadlessBookWindow(QSize size) : size_(size) {}
  void SetBook(TBook* book) { book_ = book; }

  QSize Size() const {
    return size_.isValid() ? size_ : QSize(AlbumProfile.FormWidth, AlbumProfile.FormHeight);
  }

  void PositionWindow() override {
    if (book_ == nullptr) return;
    book_->SetWindowSize(Size());
    book_->RebuildPages();
  }
  void RepaintWindow() override {}
  void SetToolPanelVisible(bool) override {}
  bool IsMenuShown() const override { return false; }
  bool IsEditMode() const override { return false; }
  bool IsResizing() const override { return false; }
  ProgressSink& Progress() override { return progress_; }

  void SetCursor(TCursorKind) override {}
  void RunEditMode() override {}
  void LoadThumbnails(int chapter) override {
    if (book_ != nullptr)
      LoadChapterThumbnails(book_->Model(), chapter, book_->ThumbnailBox(), progress_);
  }
  void ShowSpread(int chapter, int page) override {
    if (book_ != nullptr) book_->ShowSpread(chapter, page);
  }
  void RebuildPages() override {
    if (book_ != nullptr) book_->RebuildPages();
  }
  QRect WindowGeometry() const override {
    return QRect(QPoint(AlbumProfile.FormLeft, AlbumProfile.FormTop), Size());
  }
  void RunSaveAlbum() override {}
  void RunSaveFormat() override {}

 private:
  QSize size_;
  TBook* book_ = nullptr;
  NoProgress progress_;
};

// Questions without anyone to answer them: every question is cancelled and
// every message kept, to be printed.
class HeadlessPrompts : public Prompts {
 public:
  QStringList Messages;

  PromptAnswer AskYesNoCancel(const QString& text) override {
    Messages << text;
    return PromptAnswer::Cancel;
  }
  bool AskOkCancel(const QString& text) override {
    Messages << text;
    return false;
  }
  void ShowWarning(const QString& text) override { Messages << text; }
  void ShowError(const QString& text) override { Messages << text; }
  QString GetOpenFileName(const FileDialogRequest&) override { return QString(); }
  QStringList GetOpenFileNames(const FileDialogRequest&) override { return QStringList(); }
  QString GetSaveFileName(const FileDialogRequest&) override { return QString(); }
  std::optional<QColor> GetColor(const QColor&) override { return std::nullopt; }
  std::optional<QFont> GetFont(const QFont&) override { return std::nullopt; }
};
