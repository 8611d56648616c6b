#include "dialogs/slideshow.h"

#include <QKeyEvent>
#include <QPainter>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <cstdlib>

#include "dialogs/slide_frame.h"
#include "image/picture_prefetch.h"
#include "init/program_settings.h"

SlideshowView::SlideshowView(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), timer_(new QTimer(this)) {
  setObjectName(QStringLiteral("fSlideshow"));
  setWindowModality(Qt::ApplicationModal);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setCursor(Qt::BlankCursor);
  // Full screen over the book: the handbook would open hidden behind it.
  SetClosedByHelpKey(this);
  timer_->setObjectName(QStringLiteral("tmSlide"));
  timer_->setSingleShot(true);
  connect(timer_, &QTimer::timeout, this, [this] { Advance(); });
  fade_.setStartValue(0.0);
  fade_.setEndValue(1.0);
  fade_.setDuration(300);
  connect(&fade_, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
    t_ = value.toReal();
    update();
  });
}

// The worker goes first: it may still report to this window.
SlideshowView::~SlideshowView() { prefetch_.reset(); }

void SlideshowView::Play(const AlbumModel& model, const AlbumLook& look,
                         const ProgramSettings& settings, QList<SlideItem> items, QRect screen) {
  prefetch_.reset();
  ++generation_;
  frames_.clear();
  items_ = std::move(items);
  captions_.clear();
  cards_.clear();
  for (const SlideItem& item : items_) {
    const bool card = item.Kind == SlideKind::Title;
    ImageRecord caption = model.Images(item.Chapter).value(item.Index);
    if (card) caption.Title = model.DataTitles.value(item.Chapter);
    captions_.append(caption);
    cards_.append(card ? ToQColor(look.BM[std::clamp(item.Chapter - 1, 0, BookmarkColorCount - 1)])
                       : QColor());
  }
  look_ = look;
  opensVideos_ = settings.SlideshowOpensVideos;
  timer_->setInterval(std::clamp(settings.SlideshowInterval, 1, 60) * 1000);
  dpr_ = parentWidget() ? parentWidget()->devicePixelRatioF() : devicePixelRatioF();
  // High-dpi screens get frames of their own pixels.
  const QSize size = screen.size() * dpr_;
  QStringList files;
  for (const SlideItem& item : items_) files << item.File;
  const int generation = generation_;
  prefetch_ = std::make_unique<PicturePrefetch>(
      [files, size](int key) { return SlidePictureFrame(files.value(key), size); },
      [this, generation](int key) {
        QMetaObject::invokeMethod(
            this,
            [this, generation, key] {
              if (generation == generation_) Prepared(key);
            },
            Qt::QueuedConnection);
      });
  current_ = -1;
  lastShown_ = {-1, -1};
  paused_ = false;
  advanceWhenReady_ = false;
  from_ = to_ = QImage();
  // The first frame is made here, with the text's fonts, before the show opens.
  setGeometry(screen);
  Go(0, 1);
  if (current_ < 0) return;
  showFullScreen();
  activateWindow();
}

const SlideItem* SlideshowView::Current() const {
  return current_ >= 0 && current_ < items_.size() ? &items_[current_] : nullptr;
}

bool SlideshowView::IsReady(int item) const {
  if (item < 0 || item >= items_.size()) return false;
  return items_[item].Kind == SlideKind::Title || frames_.count(item) > 0;
}

int SlideshowView::PictureNear(int item, int step) const {
  for (int i = item + step; i >= 0 && i < items_.size(); i += step)
    if (items_[i].Kind != SlideKind::Title) return i;
  return -1;
}

std::vector<int> SlideshowView::Wanted() const {
  std::vector<int> keys;
  if (items_[current_].Kind != SlideKind::Title) keys.push_back(current_);
  for (int key : {PictureNear(current_, 1), PictureNear(current_, -1)})
    if (key >= 0) keys.push_back(key);
  return keys;
}

const QImage& SlideshowView::Frame(int item) {
  auto found = frames_.find(item);
  if (found != frames_.end()) return found->second;
  const QSize size = this->size() * dpr_;
  QImage frame;
  if (items_[item].Kind == SlideKind::Title) {
    frame = TitleCard(size, captions_[item].Title, cards_[item], look_.ChapterFont);
  } else {
    frame = prefetch_->Take(item);
    if (!frame.isNull()) PaintCaption(frame, captions_[item], look_);
  }
  frame.setDevicePixelRatio(dpr_);
  return frames_[item] = std::move(frame);
}

void SlideshowView::Go(int index, int step) {
  while (index >= 0 && index < items_.size() && Frame(index).isNull()) index += step;
  if (index >= items_.size()) {
    close();
    return;
  }
  if (index < 0 || index == current_) return;
  fade_.setCurrentTime(fade_.duration());  // a step during a fade ends it first
  fade_.stop();
  from_ = to_;
  current_ = index;
  to_ = frames_[index];
  const SlideItem& item = items_[index];
  if (item.Kind != SlideKind::Title) lastShown_ = {item.Chapter, item.Index};
  const std::vector<int> wanted = Wanted();
  prefetch_->Want(wanted);
  for (auto it = frames_.begin(); it != frames_.end();) {
    const bool keep = std::abs(it->first - current_) <= 1 ||
                      std::find(wanted.begin(), wanted.end(), it->first) != wanted.end();
    it = keep ? std::next(it) : frames_.erase(it);
  }
  for (int key : wanted)
    if (prefetch_->IsReady(key)) Frame(key);
  t_ = 0;
  if (from_.isNull())
    t_ = 1;
  else
    fade_.start();
  update();
  advanceWhenReady_ = false;
  if (item.Kind == SlideKind::Video && opensVideos_) {
    openUrl_(QUrl::fromLocalFile(item.File));
    SetPaused(true);
  } else if (!paused_) {
    timer_->start();
  }
}

void SlideshowView::Advance() {
  if (current_ + 1 >= items_.size()) {
    close();
  } else if (IsReady(current_ + 1)) {
    Go(current_ + 1, 1);
  } else {
    advanceWhenReady_ = true;
  }
}

void SlideshowView::Prepared(int item) {
  if (current_ < 0 || !isVisible()) return;
  const std::vector<int> wanted = Wanted();
  if (std::find(wanted.begin(), wanted.end(), item) == wanted.end()) return;
  Frame(item);
  if (advanceWhenReady_ && item == current_ + 1) Go(item, 1);
}

void SlideshowView::SetPaused(bool paused) {
  paused_ = paused;
  if (paused)
    timer_->stop();
  else
    timer_->start();
  update();
}

void SlideshowView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (to_.isNull()) {
    p.fillRect(rect(), Qt::black);
    return;
  }
  if (t_ < 1 && !from_.isNull()) {
    p.drawImage(0, 0, from_);
    p.setOpacity(t_);
  }
  p.drawImage(0, 0, to_);
  if (paused_) {  // two bars in the top-right corner
    p.setOpacity(0.7);
    const int u = std::max(height() / 60, 4);
    p.fillRect(QRect(width() - 5 * u, 2 * u, u, 3 * u), Qt::white);
    p.fillRect(QRect(width() - 3 * u, 2 * u, u, 3 * u), Qt::white);
  }
}

void SlideshowView::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Space:
      SetPaused(!paused_);
      break;
    case Qt::Key_Right:
    case Qt::Key_PageDown:
      Go(current_ + 1, 1);
      break;
    case Qt::Key_Left:
    case Qt::Key_PageUp:
      Go(current_ - 1, -1);
      break;
    case Qt::Key_Home:
      Go(0, 1);
      break;
    case Qt::Key_End:
      Go(static_cast<int>(items_.size()) - 1, -1);
      break;
    case Qt::Key_Escape:
      close();
      break;
    default:
      QWidget::keyPressEvent(event);
  }
}

void SlideshowView::mousePressEvent(QMouseEvent*) { close(); }

void SlideshowView::closeEvent(QCloseEvent* event) {
  timer_->stop();
  fade_.stop();
  prefetch_.reset();
  ++generation_;
  frames_.clear();
  from_ = to_ = QImage();
  const auto [chapter, index] = lastShown_;
  lastShown_ = {-1, -1};
  current_ = -1;
  if (chapter >= 0 && Ended) Ended(chapter, index);
  QWidget::closeEvent(event);
}
