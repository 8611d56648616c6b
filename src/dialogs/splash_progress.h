#pragma once
// The progress box as the book window feeds it: quick work (opening a small
// album, a few thumbnails) shows no box at all. An operation runs from its
// first progress text to HideProgress; the box comes with the first text
// reported after the operation has lasted the delay, and is only then made.

#include <QObject>
#include <QStringList>
#include <functional>

#include "core/progress.h"

class QWidget;

class DelayedProgress : public QObject, public ProgressSink {
 public:
  // The box, made when first needed.
  using Box = std::function<ProgressSink&()>;
  // Milliseconds on a steady clock.
  using Clock = std::function<qint64()>;
  static constexpr int DefaultDelayMs = 400;

  // Deleted with owner. An empty clock is the process's steady clock.
  DelayedProgress(QObject* owner, Box box, int delayMs = DefaultDelayMs, Clock clock = {});

  void ShowProgress(const QString& text, int percent, bool showGauge) override;

 private:
  Box box_;
  int delayMs_;
  Clock clock_;
  qint64 started_ = -1;  // the operation's start; -1: none under way
  bool shown_ = false;
};

// The book window's progress box: the splash window fSplash, made on demand
// in language (the session's language lines, kept by window).
DelayedProgress* MakeSplashProgress(QWidget* window, const QStringList& language);
