#include "pic_view.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cstdlib>

#include "core/album_model.h"
#include "core/paths.h"
#include "dialogs/pic_view_picture.h"
#include "dialogs/pic_view_zoom.h"
#include "init/profile.h"

PicImage::PicImage(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Img"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  // The view handles every press, drag and release itself.
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void PicImage::SetPicture(QImage picture) {
  picture_ = std::move(picture);
  update();
}

void PicImage::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  if (picture_.isNull() || width() <= 0 || height() <= 0) {
    painter.fillRect(event->rect(), Qt::black);
    return;
  }
  // Only the exposed part: a zoomed picture may be far larger than the screen.
  const QRectF target = event->rect();
  const double sx = double(picture_.width()) / width();
  const double sy = double(picture_.height()) / height();
  const QRectF source(target.x() * sx, target.y() * sy, target.width() * sx, target.height() * sy);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(target, picture_, source);
}

PicViewDialog::PicViewDialog(AlbumLook& look, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), look_(look) {
  setObjectName(QStringLiteral("fPicView"));
  QPalette black = palette();
  black.setColor(QPalette::Window, Qt::black);
  setPalette(black);
  setAutoFillBackground(true);
  Img = new PicImage(this);
  // The view covers the screen: the handbook would open hidden behind it.
  SetClosedByHelpKey(this);
}

bool PicViewDialog::LoadImage(const AlbumModel& model, int k, int index, QRect screen) {
  if (k < 0 || index < 0 || index >= model.ImageCount(k)) return false;
  const QString path = ImageFilePath(model, k, index);
  if (!QFileInfo(path).isFile()) return false;
  if (IsVideoFile(path)) {
    openUrl_(QUrl::fromLocalFile(path));
    return false;
  }
  pan_.Reset();
  wheel_ = 0;
  screen_ = screen;
  fileName_ = path;
  fullSize_ = QSize();
  Img->SetPicture(QImage());
  if (!Decode()) return false;
  setGeometry(screen_);
  Layout();
  return true;
}

void PicViewDialog::ShowImage(const AlbumModel& model, int k, int index, QRect screen) {
  if (LoadImage(model, k, index, screen)) exec();
}

bool PicViewDialog::Decode() {
  const QSize screen = screen_.size();
  const int zoom = look_.Zoom;
  ViewPicture picture = ReadViewPicture(fileName_, [screen, zoom](QSize full) {
    return PicViewLayout(full, screen, zoom).Picture.size();
  });
  if (picture.Image.isNull()) return false;
  fullSize_ = picture.FullSize;
  Img->SetPicture(std::move(picture.Image));
  return true;
}

void PicViewDialog::Layout() {
  if (fullSize_.isEmpty()) return;
  Place(PicViewLayout(fullSize_, screen_.size(), look_.Zoom).Picture);
}

double PicViewDialog::ShownPercent() const {
  return PicViewShownPercent(fullSize_, screen_.size(), look_.Zoom);
}

void PicViewDialog::ZoomTo(int zoom, QPoint anchor) {
  look_.Zoom = zoom;
  if (fullSize_.isEmpty()) return;
  const QRect placed = PicViewLayout(fullSize_, screen_.size(), zoom).Picture;
  Place(PicViewZoomedAround(Img->geometry(), placed, screen_.size(), anchor));
}

void PicViewDialog::Place(QRect placed) {
  const QSize decoded = Img->Picture().size();
  const bool scaledDown = decoded.width() < fullSize_.width();
  if (scaledDown && (decoded.width() < placed.width() || decoded.height() < placed.height()))
    Decode();
  Img->setGeometry(placed);
}

void PicViewDialog::keyPressEvent(QKeyEvent* event) {
  int zoom = look_.Zoom;
  const bool closes = PicViewKeyCloses(event->key(), event->modifiers(), zoom, ShownPercent());
  // Keys zoom around the middle of the screen, so a panned picture keeps
  // showing the part looked at.
  ZoomTo(zoom, QPoint(width() / 2, height() / 2));
  if (closes) accept();
}

void PicViewDialog::mousePressEvent(QMouseEvent* event) { pan_.Press(event->position().toPoint()); }

void PicViewDialog::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) return;
  Img->move(pan_.Move(event->position().toPoint(), Img->geometry(), size()));
}

void PicViewDialog::mouseReleaseEvent(QMouseEvent* event) {
  if (pan_.ReleaseCloses(event->position().toPoint())) accept();
}

void PicViewDialog::wheelEvent(QWheelEvent* event) {
  wheel_ += event->angleDelta().y();
  for (; std::abs(wheel_) >= 120; wheel_ -= wheel_ > 0 ? 120 : -120) {
    const double shown = ShownPercent();
    const auto step = wheel_ > 0 ? ZoomLadder::In(shown) : ZoomLadder::Out(shown);
    if (step) ZoomTo(*step, event->position().toPoint());
  }
  event->accept();
}
