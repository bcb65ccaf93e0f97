#pragma once
// A label or skin picture that reports mouse presses, drags and releases in
// its window's client coordinates, and can hold a list of images of which
// it shows one (button up and down, stopped and running).
#include <QLabel>
#include <QPixmap>
#include <vector>

namespace corvane {

class PressLabel : public QLabel {
  Q_OBJECT
 public:
  PressLabel(QWidget* parent, const QString& name, const QRect& geometry);

  void SetImages(std::vector<QPixmap> images);
  void ShowImage(int index);
  int ShownImage() const { return shown_; }

 signals:
  void pressed(QPoint client, QPoint local);
  void dragged(QPoint client);
  void released(QPoint client);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QPoint Client(const QPointF& local) const;
  std::vector<QPixmap> images_;
  int shown_ = -1;
};

}  // namespace corvane
