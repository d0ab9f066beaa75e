#include "app/ParamPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace magmo {

QLineEdit* numberField(const char* name) {
  auto* e = new QLineEdit;
  e->setObjectName(name);
  e->setMaximumWidth(70);
  return e;
}

QPushButton* panelButton(const char* caption, const char* name) {
  auto* b = new QPushButton(caption);
  b->setObjectName(name);
  return b;
}

QVBoxLayout* buttonColumn(std::initializer_list<QPushButton*> buttons) {
  auto* column = new QVBoxLayout;
  for (QPushButton* b : buttons) column->addWidget(b);
  column->addStretch();
  return column;
}

namespace {

QCheckBox* checkBox(const char* caption, const char* name) {
  auto* c = new QCheckBox(caption);
  c->setObjectName(name);
  return c;
}

QGroupBox* subPanel(const char* name) {
  auto* g = new QGroupBox;
  g->setObjectName(name);
  return g;
}

}  // namespace

ParamPanel::ParamPanel(QWidget* parent) : QGroupBox("Parameters", parent) {
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

  panTephra = subPanel("panTephra");
  chkCaldDiat = checkBox("", "chkCaldDiat");
  CaldStyle = new QComboBox;
  CaldStyle->setObjectName("CaldStyle");
  CaldStyle->addItems({"Valles Type", "Mazama Type"});
  chkDirected = checkBox("Directed Blast", "chkDirected");
  auto* tephra = new QVBoxLayout(panTephra);
  tephra->addWidget(chkCaldDiat);
  tephra->addWidget(CaldStyle);
  tephra->addWidget(chkDirected);

  panCol = subPanel("panCol");
  txtCtop = numberField("txtCtop");
  txtCbase = numberField("txtCbase");
  auto* scarp = new QFormLayout(panCol);
  scarp->addRow("Scarp top (km)", txtCtop);
  scarp->addRow("Scarp base (km)", txtCbase);

  chkFumex = checkBox("Phreatic Explosion", "chkFumex");

  // At most one of the three style parts shows at a time: they share one place, and the
  // panel is only as tall as the tallest of them.
  auto* styleParts = new QGridLayout;
  for (QWidget* part :
       {static_cast<QWidget*>(panTephra), static_cast<QWidget*>(panCol), static_cast<QWidget*>(chkFumex)})
    styleParts->addWidget(part, 0, 0, Qt::AlignTop);

  ok = panelButton("OK", "Command1");
  cancel = panelButton("Cancel", "Command3");
  advanced = panelButton("Advanced", "Command5");
  QVBoxLayout* buttons = buttonColumn({ok, cancel, advanced});

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(fields);
  layout->addLayout(styleParts);
  layout->addLayout(buttons);
}

}  // namespace magmo
