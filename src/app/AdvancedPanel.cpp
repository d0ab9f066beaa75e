#include "app/AdvancedPanel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "app/ParamPanel.h"

namespace magmo {

AdvancedPanel::AdvancedPanel(QWidget* parent) : QGroupBox("Advanced", parent) {
  setObjectName("Advanced");
  static constexpr const char* captions[] = {"",
                                             "Flow Length",
                                             "Crater Size",
                                             "3-D Vent Position",
                                             "Left------Vent------Right",
                                             "Strength Growth",
                                             "Extrusion Rate"};
  auto* grid = new QGridLayout;
  grid->setVerticalSpacing(2);
  for (int k = 1; k <= 6; ++k) {
    Label[k] = new QLabel(captions[k]);
    Label[k]->setObjectName(QString("Label%1").arg(k));
    Slider[k] = new QSlider(Qt::Horizontal);
    Slider[k]->setObjectName(QString("Slider%1").arg(k));
    Slider[k]->setMinimumWidth(150);
    // Two columns of three, caption above its slider.
    const int row = (k - 1) % 3 * 2, column = (k - 1) / 3;
    grid->addWidget(Label[k], row, column);
    grid->addWidget(Slider[k], row + 1, column);
  }

  accept = panelButton("Accept", "Command6");
  cancel = panelButton("Cancel", "Command7");
  defaults = panelButton("Defaults", "Command8");
  QVBoxLayout* buttons = buttonColumn({accept, cancel, defaults});

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);
}

}  // namespace magmo
