#pragma once
// The one stand-in for the main window in the tests: it records what the album files and the book
// asked of it, one line per call, and keeps the state the book reads from its window.

#include <QRect>
#include <QSize>
#include <QStringList>
#include <functional>
#include <vector>

#include "book/book_window.h"
#include "core/progress.h"

class RecordingProgress : public ProgressSink {
 public:
  struct Showing {
    QString Text;
    int Percent;
    bool Gauge;
  };
  QStringList Log;  // the text of every showing, "hide" for hiding
  std::vector<Showing> Showings;
  void ShowProgress(const QString& text, int percent, bool gauge) override {
    Log << (percent < 0 ? QStringLiteral("hide") : text);
    Showings.push_back({text, percent, gauge});
  }
};

class RecordingWindow : public BookWindow {
 public:
  QStringList Log;
  bool EditMode = false;
  QRect Geometry{10, 20, 640, 480};
  std::function<void()> OnSaveAlbum;  // what the SaveAlbum command does
  std::function<void()> OnSaveFormat;
  CursorKind Cursor = CursorKind::Default;
  QSize Size{800, 600};              // the window size the book is laid out for
  std::function<void()> OnPosition;  // lays the book out, where there is one
  int PositionCalls = 0;
  int RepaintCalls = 0;
  bool ToolPanelVisible = false;
  bool MenuShown = false;
  bool Resizing = false;
  RecordingProgress ProgressBox;

  void SetCursor(CursorKind cursor) override {
    Cursor = cursor;
    static const char* const names[] = {"Default", "HourGlass", "AppStart"};
    Log << QStringLiteral("cursor ") + QLatin1String(names[static_cast<int>(cursor)]);
  }
  bool IsEditMode() const override { return EditMode; }
  void RunEditMode() override {
    EditMode = !EditMode;
    Log << QStringLiteral("EditMode");
  }
  void LoadThumbnails(int chapter) override {
    Log << QStringLiteral("LoadThumbnails %1").arg(chapter);
  }
  void ShowSpread(int chapter, int page) override {
    Log << QStringLiteral("ShowSpread %1 %2").arg(chapter).arg(page);
  }
  void PositionWindow() override {
    Log << QStringLiteral("PositionWindow");
    ++PositionCalls;
    if (OnPosition) OnPosition();
  }
  void RebuildPages() override { Log << QStringLiteral("RebuildPages"); }
  QRect WindowGeometry() const override { return Geometry; }
  void RunSaveAlbum() override {
    Log << QStringLiteral("SaveAlbum");
    if (OnSaveAlbum) OnSaveAlbum();
  }
  void RunSaveFormat() override {
    Log << QStringLiteral("SaveFormat");
    if (OnSaveFormat) OnSaveFormat();
  }
  void RepaintWindow() override { ++RepaintCalls; }
  void SetToolPanelVisible(bool visible) override { ToolPanelVisible = visible; }
  bool IsMenuShown() const override { return MenuShown; }
  bool IsResizing() const override { return Resizing; }
  ProgressSink& Progress() override { return ProgressBox; }

  // The log without the cursor lines.
  QStringList Calls() const {
    QStringList calls;
    for (const QString& line : Log) {
      if (!line.startsWith(QLatin1String("cursor "))) calls << line;
    }
    return calls;
  }
};
