#include "app/LegendPanel.h"

#include <QGridLayout>
#include <QLabel>
#include <utility>

#include "model/Palette.h"

namespace magmo {

namespace {

QLabel* swatch(int paletteIndex) {
  auto* l = new QLabel;
  const Rgb c = paletteColor(paletteIndex);
  l->setFixedSize(22, 12);
  l->setStyleSheet(QString("background: rgb(%1,%2,%3); border: 1px solid gray;").arg(c.r).arg(c.g).arg(c.b));
  return l;
}

}  // namespace

LegendPanel::LegendPanel(QWidget* parent) : QGroupBox("Legend", parent) {
  setObjectName("Legend");
  // The colours the styles give their layers.
  static constexpr std::pair<int, const char*> keys[] = {
      {12, "Mafic Lava"},          {4, "Silicic Lava"}, {2, "Stombolian Tephra"}, {11, "Plinian Tephra"},
      {7, "Vulc./Surts. Tephra"}, {15, "Avalanche"},   {14, "Sediments"}};
  auto* grid = new QGridLayout(this);
  int row = 0;
  for (const auto& [color, caption] : keys) {
    grid->addWidget(swatch(color), row / 2, (row % 2) * 2);
    grid->addWidget(new QLabel(caption), row / 2, (row % 2) * 2 + 1);
    ++row;
  }
}

}  // namespace magmo
