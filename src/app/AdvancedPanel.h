#pragma once
// The `Advanced` panel: six sliders (flow length, crater size, 3-D vent position, burst
// frequency or caldera vent, strength growth, extrusion rate) with their captions; Accept,
// Cancel and Defaults.
#include <QGroupBox>
#include <array>

class QLabel;
class QPushButton;
class QSlider;

namespace magmo {

class AdvancedPanel : public QGroupBox {
  Q_OBJECT
 public:
  explicit AdvancedPanel(QWidget* parent = nullptr);

  // Slider1..Slider6 and Label1..Label6; index 0 unused.
  std::array<QSlider*, 7> Slider{};
  std::array<QLabel*, 7> Label{};
  QPushButton *accept, *cancel, *defaults;
};

}  // namespace magmo
