#pragma once
// The eruption-parameter panel `Change`: location, strength, particles, wind; the tephra box
// (caldera/diatreme, caldera type, directed blast), the collapse scarp fields, the phreatic
// explosion box; OK, Cancel and Advanced. Plain widgets; the window binds them to the Controls.
#include <QGroupBox>
#include <QVBoxLayout>
#include <initializer_list>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace magmo {

class ParamPanel : public QGroupBox {
  Q_OBJECT
 public:
  explicit ParamPanel(QWidget* parent = nullptr);

  QLineEdit *txtLoc, *txtStr, *txtPart, *txtWind;
  QGroupBox* panTephra;
  QCheckBox *chkCaldDiat, *chkDirected;
  QComboBox* CaldStyle;
  QGroupBox* panCol;
  QLineEdit *txtCtop, *txtCbase;
  QCheckBox* chkFumex;
  QPushButton *ok, *cancel, *advanced;
};

// A short number field, shared by the panels.
QLineEdit* numberField(const char* name);
QPushButton* panelButton(const char* caption, const char* name);
// The panel's buttons stacked at the top of a column.
QVBoxLayout* buttonColumn(std::initializer_list<QPushButton*> buttons);

}  // namespace magmo
