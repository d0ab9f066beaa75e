#pragma once
// The eruption-parameter panel `Change`: location, strength, particles, wind, the
// caldera/diatreme box, OK and Cancel. Plain widgets; the window binds them to the Controls.
#include <QGroupBox>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace magmo {

class ParamPanel : public QGroupBox {
  Q_OBJECT
 public:
  explicit ParamPanel(QWidget* parent = nullptr);

  QLineEdit *txtLoc, *txtStr, *txtPart, *txtWind;
  QGroupBox* panTephra;
  QCheckBox* chkCaldDiat;
  QPushButton *ok, *cancel;
};

}  // namespace magmo
