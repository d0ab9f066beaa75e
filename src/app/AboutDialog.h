#pragma once
// Help > About: the program, its version and licence, and the libraries it is built with.
class QWidget;

namespace magmo {

// Modal; returns when OK is pressed.
void showAboutMagmo(QWidget* parent);

}  // namespace magmo
