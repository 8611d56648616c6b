#pragma once
// The image view fPicView: one image of the album on a black screen-filling
// window, modal over the book, at the look's zoom or fitted to the screen.
// A picture larger than the screen is panned by dragging; a click and most
// keys close the view. A video is handed to the desktop's program instead.

#include <QDialog>
#include <QImage>

#include "dialogs/help_page.h"
#include "dialogs/pic_view_layout.h"

class AlbumModel;
struct AlbumLook;

// The picture control: draws its picture stretched to its own size.
class PicImage : public QWidget {
 public:
  explicit PicImage(QWidget* parent);
  void SetPicture(QImage picture);
  const QImage& Picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage picture_;
};

class PicViewDialog : public QDialog {
 public:
  // The view changes look's Zoom (without marking the look modified).
  explicit PicViewDialog(AlbumLook& look, QWidget* parent = nullptr);

  // Where videos go; the desktop by default.
  void SetUrlOpener(UrlOpener opener) { openUrl_ = std::move(opener); }

  // Image index of chapter k on the screen whose geometry is given
  // (the screen the book window is on). Does nothing for an index out of
  // range, a missing file or a picture that cannot be read; hands a video to
  // the desktop. Otherwise lays the picture out and shows the view modally.
  void ShowImage(const AlbumModel& model, int k, int index, QRect screen);
  // ShowImage up to showing: true when the picture is loaded and laid out.
  bool LoadImage(const AlbumModel& model, int k, int index, QRect screen);

  // Places the picture centred for the current zoom.
  void Layout();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  // Zooms a step of the ladder in or out around the pointer.
  void wheelEvent(QWheelEvent* event) override;

 private:
  PicImage* Img;

  // The percentage the picture is shown at now.
  double ShownPercent() const;
  // Sets the look's zoom and places the picture so that the point of it at
  // anchor stays there where it can.
  void ZoomTo(int zoom, QPoint anchor);
  // Puts the picture at placed; decodes a JPEG again when that needs more
  // pixels than were decoded.
  void Place(QRect placed);
  // Decodes fileName_ large enough for the current zoom on the screen.
  bool Decode();

  AlbumLook& look_;
  UrlOpener openUrl_ = OpenWithDesktop;
  QRect screen_;
  QString fileName_;
  QSize fullSize_;
  PicPan pan_;
  // Wheel turns not yet a whole notch (touchpads send small ones).
  int wheel_ = 0;
};
