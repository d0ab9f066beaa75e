#include "app/WindowPlacement.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace magmo {

void placeBesideParent(QWidget* window) {
  QWidget* main = window->parentWidget();
  if (!main) return;
  const QRect frame = main->frameGeometry();
  const int width = window->frameSize().width();
  const QScreen* screen = main->screen();
  const QRect room = screen ? screen->availableGeometry() : QRect(frame.topLeft(), QSize(1 << 20, 1 << 20));
  if (frame.right() + 1 + width <= room.right())
    window->move(frame.topRight() + QPoint(1, 0));
  else if (frame.left() - 1 - width >= room.left())
    window->move(frame.topLeft() - QPoint(width + 1, 0));
  else  // no room beside it: over its right edge, leaving its menus in sight
    window->move(std::max(room.left(), room.right() - width), frame.top() + 60);
}

}  // namespace magmo
