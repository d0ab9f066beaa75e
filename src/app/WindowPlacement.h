#pragma once
// Where the main window's companion windows open.
class QWidget;

namespace magmo {

// Moves window beside its parent, tops level: to the right when it fits on the screen there,
// else to the left, else over the parent's right side below its menus.
void placeBesideParent(QWidget* window);

}  // namespace magmo
