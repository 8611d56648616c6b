#pragma once
// The book window's small widgets: the caption buttons, the save button and
// the tool panel pnMenu that slides out of the spine.

#include <QFrame>
#include <QPixmap>
#include <QToolButton>
#include <functional>

class QVariantAnimation;

// A glyph drawn for the window (resources/artwork/glyphs.cpp): "0".."13" for
// the commands, "close0", "close1", ... for the caption buttons, "grip".
QPixmap WindowGlyph(const QString& name);

// A caption button (btClose, btMaximize, btMinimize): glyph 0 normally,
// glyph 1 while the pointer moves over it. Pressed runs on the press
// (closing does), Clicked on a release over the button.
class CaptionButton : public QWidget {
 public:
  CaptionButton(const QString& name, const QString& glyph, QWidget* parent);
  void SetHighlighted(bool on);
  bool IsHighlighted() const { return highlighted_; }
  std::function<void()> Pressed;
  std::function<void()> Clicked;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  QPixmap glyphs_[2];
  bool highlighted_ = false;
};

// btSave: a left press runs Save all, a right press pops up the save menu;
// either way the button shows released again.
class SaveButton : public QToolButton {
 public:
  using QToolButton::QToolButton;
  std::function<void()> LeftPress;
  std::function<void()> RightPress;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
};

// pnMenu: 27 wide, 192 high (355 in edit mode), centred on the spine. It
// slides out growing from the spine to both sides, and back, in a short
// animation.
class ToolPanelFrame : public QFrame {
 public:
  static constexpr int PanelWidth = 27;
  static constexpr int NormalHeight = 192;
  static constexpr int EditHeight = 355;

  explicit ToolPanelFrame(QWidget* parent);
  // The x of the spine the panel is centred on.
  void SetSpine(int spineX);
  // Slides out (shown) or back (hidden at the end).
  void Slide(bool out);
  // Grows to the edit-mode height, or shrinks back when it is there.
  void Stretch();
  // The height the panel has or is heading for.
  int TargetHeight() const { return targetHeight_; }
  bool IsAnimating() const;

 private:
  void SetPanelWidth(int width);
  void Animate(QVariantAnimation* animation, int from, int to);

  int spineX_ = 0;
  int targetHeight_ = NormalHeight;
  QVariantAnimation* slide_;
  QVariantAnimation* stretch_;
};
