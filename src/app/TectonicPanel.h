#pragma once
// The tectonic panel `Tectonic`: fault or erosion, and the fault's location, magnitude, dip
// and thrown-down side; OK and Cancel.
#include <QGroupBox>

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace magmo {

class TectonicPanel : public QGroupBox {
  Q_OBJECT
 public:
  explicit TectonicPanel(QWidget* parent = nullptr);

  QRadioButton *opFault, *opErode;
  QGroupBox* panFault;
  QLineEdit *txtTloc, *txtMag, *txtDip;
  QComboBox* Down;
  QPushButton *ok, *cancel;
};

}  // namespace magmo
