#include "app/TectonicPanel.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/ParamPanel.h"

namespace magmo {

namespace {

// The model may clear both options (after a reset), which an exclusive pair cannot show.
QRadioButton* option(const char* caption, const char* name) {
  auto* r = new QRadioButton(caption);
  r->setObjectName(name);
  r->setAutoExclusive(false);
  return r;
}

}  // namespace

TectonicPanel::TectonicPanel(QWidget* parent) : QGroupBox("Tectonic Parameters", parent) {
  setObjectName("Tectonic");
  opFault = option("Fault", "opFault");
  opErode = option("Erode", "opErode");
  auto* options = new QVBoxLayout;
  options->addWidget(opFault);
  options->addWidget(opErode);
  options->addStretch();

  panFault = new QGroupBox;
  panFault->setObjectName("panFault");
  txtTloc = numberField("txtTloc");
  txtMag = numberField("txtMag");
  txtDip = numberField("txtDip");
  Down = new QComboBox;
  Down->setObjectName("Down");
  Down->addItems({"Left side down", "Right side down"});
  auto* fault = new QFormLayout(panFault);
  fault->addRow("Location (km)", txtTloc);
  fault->addRow("Magnitude", txtMag);
  fault->addRow("Dip", txtDip);
  fault->addRow(Down);

  ok = panelButton("OK", "Command2");
  cancel = panelButton("Cancel", "Command4");
  QVBoxLayout* buttons = buttonColumn({ok, cancel});

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(options);
  layout->addWidget(panFault);
  layout->addLayout(buttons);
}

}  // namespace magmo
