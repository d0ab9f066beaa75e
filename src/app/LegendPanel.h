#pragma once
// The `Legend` panel beside the profile: a colour swatch per deposit type.
#include <QGroupBox>

namespace magmo {

class LegendPanel : public QGroupBox {
  Q_OBJECT
 public:
  explicit LegendPanel(QWidget* parent = nullptr);
};

}  // namespace magmo
