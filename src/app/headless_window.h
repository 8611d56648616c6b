#pragma once
// The book's window without a window: it has a size and nothing else, so the
// book can be drawn into files (the render command).

#include <QSize>

#include "book/book.h"
#include "book/book_window.h"
#include "core/progress.h"

class HeadlessBookWindow : public BookWindow {
 public:
  // size: the window size to lay the book out for.
  explicit HeadlessBookWindow(QSize size) : size_(size) {}
  void SetBook(TBook* book) { book_ = book; }
  void SetSize(QSize size) { size_ = size; }

  void PositionWindow() override {
    if (book_ == nullptr) return;
    book_->SetWindowSize(size_);
    book_->RebuildPages();
  }
  void RepaintWindow() override {}
  void SetToolPanelVisible(bool) override {}
  bool IsMenuShown() const override { return false; }
  bool IsEditMode() const override { return false; }
  bool IsResizing() const override { return false; }
  ProgressSink& Progress() override { return progress_; }

 private:
  QSize size_;
  TBook* book_ = nullptr;
  NoProgress progress_;
};
