#pragma once
// Fakes of the main window and the progress box that record what the album
// files asked of them, one line per call.

#include <QRect>
#include <QStringList>
#include <functional>

#include "core/album_window.h"
#include "core/progress.h"

class RecordingWindow : public AlbumWindow {
 public:
  QStringList Log;
  bool EditMode = false;
  QRect Geometry{10, 20, 640, 480};
  std::function<void()> OnSaveAlbum;  // what the SaveAlbum command does
  std::function<void()> OnSaveFormat;
  CursorKind Cursor = CursorKind::Default;

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
  void PositionWindow() override { Log << QStringLiteral("PositionWindow"); }
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

  // The log without the cursor lines.
  QStringList Calls() const {
    QStringList calls;
    for (const QString& line : Log) {
      if (!line.startsWith(QLatin1String("cursor "))) calls << line;
    }
    return calls;
  }
};

class RecordingProgress : public ProgressSink {
 public:
  QStringList Log;  // the text of every showing, "hide" for hiding
  void ShowProgress(const QString& text, int percent, bool) override {
    Log << (percent < 0 ? QStringLiteral("hide") : text);
  }
};
