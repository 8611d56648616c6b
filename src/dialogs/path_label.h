#pragma once
// A label that shows a file path in whatever room it is given: a path too
// long for it is shortened in the middle (its start and its file name stay
// readable) and the whole path is the tool tip. A long path never widens
// the window the label sits in.

#include <QLabel>

class PathLabel : public QLabel {
 public:
  explicit PathLabel(QWidget* parent = nullptr);

  void SetPath(const QString& path);
  const QString& Path() const { return path_; }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ShowPath();
  QSize WithMargins(int textWidth) const;

  QString path_;
};
