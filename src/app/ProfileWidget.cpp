#include "app/ProfileWidget.h"

#include <QMouseEvent>
#include <QPainter>

namespace magmo {

ProfileWidget::ProfileWidget(QtCanvas& canvas, QWidget* parent) : QWidget(parent), canvas_(canvas) {
  setObjectName("Plot");
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setCursor(Qt::CrossCursor);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ProfileWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(QRectF(rect()), canvas_.image());
}

void ProfileWidget::resizeEvent(QResizeEvent*) {
  canvas_.resize(size() * devicePixelRatio());
  emit resized();
}

void ProfileWidget::mouseMoveEvent(QMouseEvent* e) {
  const double dpr = devicePixelRatio();
  emit pointerMoved(canvas_.userX(e->position().x() * dpr), canvas_.userY(e->position().y() * dpr),
                    e->globalPosition().toPoint());
}

void ProfileWidget::mouseReleaseEvent(QMouseEvent* e) {
  const MouseButton button = e->button() == Qt::LeftButton    ? MouseButton::Left
                             : e->button() == Qt::RightButton ? MouseButton::Right
                                                              : MouseButton::Middle;
  const double dpr = devicePixelRatio();
  emit released(button, canvas_.userX(e->position().x() * dpr), canvas_.userY(e->position().y() * dpr));
}

}  // namespace magmo
