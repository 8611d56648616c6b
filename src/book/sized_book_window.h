#pragma once
// The book's window where there is no window: it has a size and nothing
// else, so an album can be opened and its book laid out and drawn into files
// (the render command, PDF).

#include <QSize>
#include <algorithm>

#include "book/book.h"
#include "book/book_window.h"
#include "book/thumbnail_loading.h"
#include "core/progress.h"

class SizedBookWindow : public BookWindow {
 public:
  // size: the window size to lay the book out for; an invalid one takes the
  // book's look's FormWidth x FormHeight (at most kLargestWindowSide each)
  // whenever the window is placed.
  explicit SizedBookWindow(QSize size) : size_(size) {}
  void SetBook(BookView* book) { book_ = book; }

  QSize Size() const {
    if (size_.isValid() || book_ == nullptr) return size_;
    return QSize(std::min(book_->Look().FormWidth, kLargestWindowSide),
                 std::min(book_->Look().FormHeight, kLargestWindowSide));
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
  // Pictures off: spreads are laid out and drawn without any, as while a
  // window is resized (the pre-print check reads only the texts).
  bool IsResizing() const override { return picturesOff_; }
  void SetPicturesOff(bool off) { picturesOff_ = off; }
  ProgressSink& Progress() override { return progress_; }
  void SetCursor(CursorKind) override {}
  void RunEditMode() override {}
  void LoadThumbnails(int chapter) override {
    if (book_ != nullptr)
      LoadChapterThumbnails(book_->Model(), book_->Thumbs(), chapter, book_->ThumbnailBox(),
                            progress_, 0, book_->SharesThumbnails());
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

 protected:
  BookView* book_ = nullptr;
  NoProgress progress_;

 private:
  QSize size_;
  bool picturesOff_ = false;
};
