#pragma once
// The main window without a window: it has a size and nothing else, so an
// album can be opened and its book drawn into files (the render command).
// It stands in for both interfaces the window offers: the book's and the
// album files'.

#include <QRect>
#include <QSize>
#include <QStringList>

#include "book/sized_book_window.h"
#include "book/thumbnail_loading.h"
#include "core/album_window.h"
#include "core/prompts.h"

class HeadlessBookWindow : public SizedBookWindow, public AlbumWindow {
 public:
  using SizedBookWindow::SizedBookWindow;

  // Both interfaces ask for these; the book's answers serve both.
  void PositionWindow() override { SizedBookWindow::PositionWindow(); }
  bool IsEditMode() const override { return SizedBookWindow::IsEditMode(); }
  void SetCursor(CursorKind) override {}
  void RunEditMode() override {}
  void LoadThumbnails(int chapter) override {
    if (book_ != nullptr)
      LoadChapterThumbnails(book_->Model(), chapter, book_->ThumbnailBox(), progress_, 0,
                            book_->Settings().ShareThumbnails);
  }
  void ShowSpread(int chapter, int page) override {
    if (book_ != nullptr) book_->ShowSpread(chapter, page);
  }
  void RebuildPages() override {
    if (book_ != nullptr) book_->RebuildPages();
  }
  QRect WindowGeometry() const override {
    if (book_ == nullptr) return QRect(QPoint(), Size());
    return QRect(QPoint(book_->Look().FormLeft, book_->Look().FormTop), Size());
  }
  void RunSaveAlbum() override {}
  void RunSaveFormat() override {}
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
