#pragma once
// The slideshow (fSlideshow): the album's pictures full screen on the book's
// screen, with their captions, a title card before each later chapter, timed
// steps with a short cross-fade, and keys to pause, step and jump. Frames are
// made ahead on a worker, so a step only draws finished frames.

#include <QImage>
#include <QList>
#include <QVariantAnimation>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "core/album_model.h"
#include "dialogs/help_page.h"
#include "dialogs/slide_sequence.h"
#include "init/profile.h"

class PicturePrefetch;
class QTimer;
struct ProgramSettings;

class SlideshowView : public QWidget {
 public:
  explicit SlideshowView(QWidget* parent);
  ~SlideshowView() override;

  // Shows items from the first full screen on screen. Copies what it needs.
  void Play(const AlbumModel& model, const AlbumLook& look, const ProgramSettings& settings,
            QList<SlideItem> items, QRect screen);
  // Called as the show closes, however it closes, with the last photo or video
  // shown (chapter, image).
  std::function<void(int chapter, int index)> Ended;
  void SetUrlOpener(UrlOpener opener) { openUrl_ = std::move(opener); }

  const SlideItem* Current() const;
  bool IsFading() const { return fade_.state() == QAbstractAnimation::Running; }
  bool IsPaused() const { return paused_; }
  // Item's frame is made, caption and all: a step to it only draws.
  bool IsReady(int item) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Shows item index, or the next one that has a picture in direction step;
  // past the end the show closes.
  void Go(int index, int step);
  void Advance();
  void SetPaused(bool paused);
  void Prepared(int item);
  const QImage& Frame(int item);
  std::vector<int> Wanted() const;
  int PictureNear(int item, int step) const;

  QList<SlideItem> items_;
  QList<ImageRecord> captions_;  // a title card's: its title
  QList<QColor> cards_;
  AlbumLook look_;
  std::unique_ptr<PicturePrefetch> prefetch_;
  std::map<int, QImage> frames_;  // composed: captions painted
  int generation_ = 0;            // frames reported for an earlier show are dropped
  qreal dpr_ = 1;
  int current_ = -1;
  std::pair<int, int> lastShown_{-1, -1};
  bool paused_ = false;
  bool advanceWhenReady_ = false;
  bool opensVideos_ = false;
  QImage from_;
  QImage to_;
  qreal t_ = 1;
  QVariantAnimation fade_;
  QTimer* timer_;
  UrlOpener openUrl_ = OpenWithDesktop;
};
