#pragma once
// The small map of the 3-D position panel: the map picture with the next vent's marker. The
// pointer reads out place and height; a left click picks the next vent there.
#include <QWidget>
#include <functional>

namespace magmo {
struct Sim;

class SmallMapWidget : public QWidget {
 public:
  using Runner = std::function<void(std::function<void()>)>;
  SmallMapWidget(Sim& sim, Runner run);
  QSize sizeHint() const override { return {240, 120}; }

 protected:
  void paintEvent(QPaintEvent*) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

 private:
  // The grid cell under a widget position: the picture is the visible part of the grid.
  QPoint cellAt(QPointF pos) const;
  QPointF positionOf(int x, int y) const;

  Sim& sim_;
  Runner run_;
};

}  // namespace magmo
