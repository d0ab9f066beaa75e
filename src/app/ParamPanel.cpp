#include "app/ParamPanel.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace magmo {

namespace {

QLineEdit* numberField(const char* name) {
  auto* e = new QLineEdit;
  e->setObjectName(name);
  e->setMaximumWidth(70);
  return e;
}

}  // namespace

ParamPanel::ParamPanel(QWidget* parent) : QGroupBox(parent) {
  setObjectName("Change");
  txtLoc = numberField("txtLoc");
  txtStr = numberField("txtStr");
  txtPart = numberField("txtPart");
  txtWind = numberField("txtWind");
  auto* fields = new QFormLayout;
  fields->addRow("Location (km)", txtLoc);
  fields->addRow("Strength", txtStr);
  fields->addRow("Particles", txtPart);
  fields->addRow("Wind (m/s)", txtWind);

  panTephra = new QGroupBox;
  panTephra->setObjectName("panTephra");
  chkCaldDiat = new QCheckBox;
  chkCaldDiat->setObjectName("chkCaldDiat");
  auto* tephra = new QVBoxLayout(panTephra);
  tephra->addWidget(chkCaldDiat);

  ok = new QPushButton("OK");
  ok->setObjectName("Command1");
  cancel = new QPushButton("Cancel");
  cancel->setObjectName("Command3");
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(panTephra);
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(fields);
  layout->addLayout(buttons);
}

}  // namespace magmo
