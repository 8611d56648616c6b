#pragma once
// The progress box as the album files and thumbnail loading see it. The
// splash window implements it; tests record the calls.

#include <QString>

class ProgressSink {
 public:
  virtual ~ProgressSink() = default;
  // percent >= 0 shows text (and the gauge at percent when showGauge);
  // percent < 0 hides the box.
  virtual void ShowProgress(const QString& text, int percent, bool showGauge) = 0;
  void ShowProgressText(const QString& text) { ShowProgress(text, 0, false); }
  void HideProgress() { ShowProgress(QString(), -1, false); }
};

// A sink that shows nothing, for work done without a window.
class NoProgress : public ProgressSink {
 public:
  void ShowProgress(const QString&, int, bool) override {}
};
