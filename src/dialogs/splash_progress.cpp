#include "dialogs/splash_progress.h"

#include <QElapsedTimer>
#include <QWidget>

#include "dialogs/splash.h"

DelayedProgress::DelayedProgress(QObject* owner, Box box, int delayMs, Clock clock)
    : QObject(owner), box_(std::move(box)), delayMs_(delayMs), clock_(std::move(clock)) {
  if (!clock_) {
    auto steady = std::make_shared<QElapsedTimer>();
    steady->start();
    clock_ = [steady] { return steady->elapsed(); };
  }
}

void DelayedProgress::ShowProgress(const QString& text, int percent, bool showGauge) {
  if (percent < 0) {
    if (shown_) box_().ShowProgress(text, percent, showGauge);
    shown_ = false;
    started_ = -1;
    return;
  }
  if (!shown_) {
    const qint64 now = clock_();
    if (started_ < 0) started_ = now;
    if (now - started_ < delayMs_) return;
    shown_ = true;
  }
  box_().ShowProgress(text, percent, showGauge);
}

DelayedProgress* MakeSplashProgress(QWidget* window, const QStringList& language) {
  return new DelayedProgress(
      window, [window, &language]() -> ProgressSink& { return SplashWindow(window, language); });
}
