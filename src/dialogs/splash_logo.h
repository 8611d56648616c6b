#pragma once
// The program's logo, drawn by code so it scales and needs no image file.

#include <QImage>
#include <QSize>
#include <QWidget>

// The logo at the given size in logical pixels, at the given device pixel
// ratio (for sharp text on high-dpi screens).
QImage DrawSplashLogo(QSize size, qreal devicePixelRatio = 1.0);

// A picture stretched over its widget: the logo's place in the window. Not a
// label, so a language file has no caption to change on it.
class LogoImage : public QWidget {
 public:
  using QWidget::QWidget;
  void SetImage(const QImage& image) {
    image_ = image;
    update();
  }
  const QImage& Image() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage image_;
};
