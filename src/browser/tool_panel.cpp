#include "browser/tool_panel.h"

#include <QMouseEvent>
#include <QPainter>
#include <QVariantAnimation>

#include "image/png_reader.h"

QPixmap WindowGlyph(const QString& name) {
  return QPixmap::fromImage(ReadPng(QStringLiteral(":/glyphs/%1.png").arg(name)));
}

CaptionButton::CaptionButton(const QString& name, const QString& glyph, QWidget* parent)
    : QWidget(parent) {
  setObjectName(name);
  setFixedSize(14, 14);
  setMouseTracking(true);
  setCursor(Qt::ArrowCursor);
  glyphs_[0] = WindowGlyph(glyph + u'0');
  glyphs_[1] = WindowGlyph(glyph + u'1');
}

void CaptionButton::SetHighlighted(bool on) {
  if (highlighted_ == on) return;
  highlighted_ = on;
  update();
}

void CaptionButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawPixmap(0, 0, glyphs_[highlighted_ ? 1 : 0]);
}

void CaptionButton::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons() == Qt::NoButton) SetHighlighted(true);
}

void CaptionButton::leaveEvent(QEvent*) { SetHighlighted(false); }

void CaptionButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && Pressed) Pressed();
}

void CaptionButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && Clicked)
    Clicked();
}

void SaveButton::mousePressEvent(QMouseEvent* event) {
  if (event->buttons() & Qt::RightButton) {
    if (RightPress) RightPress();
  } else if (event->button() == Qt::LeftButton) {
    if (LeftPress) LeftPress();
  }
  setDown(false);
  event->accept();
}

ToolPanelFrame::ToolPanelFrame(QWidget* parent)
    : QFrame(parent), slide_(new QVariantAnimation(this)), stretch_(new QVariantAnimation(this)) {
  setObjectName(QStringLiteral("pnMenu"));
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setAutoFillBackground(true);
  resize(PanelWidth, NormalHeight);
  hide();
  connect(slide_, &QVariantAnimation::valueChanged, this,
          [this](const QVariant& value) { SetPanelWidth(value.toInt()); });
  connect(slide_, &QVariantAnimation::finished, this, [this] {
    if (slide_->endValue().toInt() == 0) hide();
    SetPanelWidth(PanelWidth);
  });
  connect(stretch_, &QVariantAnimation::valueChanged, this,
          [this](const QVariant& value) { resize(width(), value.toInt()); });
}

void ToolPanelFrame::SetSpine(int spineX) {
  spineX_ = spineX;
  move(spineX_ - width() / 2, y());
}

void ToolPanelFrame::SetPanelWidth(int width) {
  setGeometry(spineX_ - width / 2, y(), width, height());
}

bool ToolPanelFrame::IsAnimating() const {
  return slide_->state() == QAbstractAnimation::Running ||
         stretch_->state() == QAbstractAnimation::Running;
}

void ToolPanelFrame::Animate(QVariantAnimation* animation, int from, int to) {
  animation->stop();
  animation->setStartValue(from);
  animation->setEndValue(to);
  // Short enough not to hold anyone up, long enough to be seen.
  animation->setDuration(150);
  animation->start();
}

void ToolPanelFrame::Slide(bool out) {
  const bool sliding = slide_->state() == QAbstractAnimation::Running;
  const int from = sliding || (!out && isVisible()) ? width() : 0;
  if (out) {
    SetPanelWidth(from);
    show();
    raise();
  }
  Animate(slide_, from, out ? PanelWidth : 0);
}

void ToolPanelFrame::Stretch() {
  const int from = height();
  targetHeight_ = targetHeight_ == EditHeight ? NormalHeight : EditHeight;
  Animate(stretch_, from, targetHeight_);
}
