#pragma once
// The small window shown while Magmo ends after saving the user's settings; with sound on it
// stays while the closing sound plays.
class QWidget;

namespace magmo {
struct Sim;

void showClosingWindow(QWidget* parent, Sim& sim);

}  // namespace magmo
