#include "ui/main/press_label.h"

#include <QMouseEvent>

namespace corvane {

PressLabel::PressLabel(QWidget* parent, const QString& name, const QRect& geometry) : QLabel(parent) {
  setObjectName(name);
  setGeometry(geometry);
}

void PressLabel::SetImages(std::vector<QPixmap> images) {
  images_ = std::move(images);
  ShowImage(0);
}

void PressLabel::ShowImage(int index) {
  if (index < 0 || index >= static_cast<int>(images_.size())) return;
  shown_ = index;
  setPixmap(images_[index]);
}

QPoint PressLabel::Client(const QPointF& local) const { return mapTo(window(), local.toPoint()); }

void PressLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QLabel::mousePressEvent(event);
  emit pressed(Client(event->position()), event->position().toPoint());
}

void PressLabel::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons() & Qt::LeftButton) emit dragged(Client(event->position()));
}

void PressLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit released(Client(event->position()));
}

}  // namespace corvane
