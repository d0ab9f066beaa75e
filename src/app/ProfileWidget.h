#pragma once
// The profile picture: shows the canvas image at the widget's own pixel size and reports the
// pointer in the profile's drawing coordinates.
#include <QWidget>

#include "app/QtCanvas.h"
#include "control/ProfileCommands.h"

namespace magmo {

class ProfileWidget : public QWidget {
  Q_OBJECT
 public:
  ProfileWidget(QtCanvas& canvas, QWidget* parent = nullptr);
  QSize sizeHint() const override { return {960, 518}; }
  QSize minimumSizeHint() const override { return {320, 173}; }

 signals:
  // The canvas has new, empty images of the new size.
  void resized();
  void pointerMoved(float x, float y, QPoint globalPos);
  void released(magmo::MouseButton button, float x, float y);

 protected:
  void paintEvent(QPaintEvent*) override;
  void resizeEvent(QResizeEvent*) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

 private:
  QtCanvas& canvas_;
};

}  // namespace magmo
