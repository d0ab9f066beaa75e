#include "app/SmallMapWidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include "app/PictureImage.h"
#include "control/MapCommands.h"
#include "model/Sim.h"
#include "views/PlanFrame.h"

namespace magmo {

SmallMapWidget::SmallMapWidget(Sim& sim, Runner run) : sim_(sim), run_(std::move(run)) {
  setObjectName("picMap");
  setMouseTracking(true);
  setCursor(Qt::CrossCursor);
  setMinimumSize(160, 80);
}

QPoint SmallMapWidget::cellAt(QPointF pos) const {
  const PlanFrame f{sim_.m.MapStep};
  return {f.left() + static_cast<int>(pos.x() * f.width() / width()),
          f.top() + static_cast<int>(pos.y() * f.height() / height())};
}

QPointF SmallMapWidget::positionOf(int x, int y) const {
  const PlanFrame f{sim_.m.MapStep};
  return {(x - f.left()) * double(width()) / f.width(), (y - f.top()) * double(height()) / f.height()};
}

void SmallMapWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::black);
  if (!sim_.pictures.map.empty()) p.drawImage(QRectF(rect()), imageOf(sim_.pictures.map));
  const QPointF vent = positionOf(sim_.ui.MapMarkerX, sim_.ui.MapMarkerY);
  p.setPen(QPen(Qt::red, 2));
  p.drawLine(vent - QPointF(5, 0), vent + QPointF(5, 0));
  p.drawLine(vent - QPointF(0, 5), vent + QPointF(0, 5));
}

void SmallMapWidget::mouseMoveEvent(QMouseEvent* e) {
  const QPoint cell = cellAt(e->position());
  const std::string text = mapPointerText(sim_, cell.x(), cell.y());
  if (text.empty())
    QToolTip::hideText();
  else
    QToolTip::showText(e->globalPosition().toPoint(), QString::fromStdString(text), this);
}

void SmallMapWidget::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  const QPoint cell = cellAt(e->position());
  run_([this, cell] { mapVentPick(sim_, cell.x(), cell.y()); });
  update();
}

}  // namespace magmo
