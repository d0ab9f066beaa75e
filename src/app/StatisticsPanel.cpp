#include "app/StatisticsPanel.h"

#include <QGridLayout>
#include <QLabel>
#include <QStringList>

namespace magmo {

namespace {
constexpr std::pair<const char*, const char*> kLines[] = {
    {"Phase/bursts", "The phase (layer) number and the bursts of this phase so far"},
    {"Volume", "Volume erupted in this phase, in millions of cubic metres"},
    {"VEI/time", "Volcanic explosivity index of this phase and its duration in hours"},
    {"Total vol.", "Volume erupted by all phases together, in cubic kilometres"},
    {"Total time", "Duration of all phases together, in hours"}};
}  // namespace

StatisticsPanel::StatisticsPanel(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(4, 2, 4, 2);
  grid->setVerticalSpacing(0);
  for (int i = 0; i < 5; ++i) {
    const auto& [caption, tip] = kLines[i];
    auto* name = new QLabel(caption);
    name->setToolTip(tip);
    values_[i] = new QLabel;
    values_[i]->setObjectName(QString("labVei%1").arg(i + 1));
    values_[i]->setToolTip(tip);
    grid->addWidget(name, i, 0);
    grid->addWidget(values_[i], i, 1);
  }
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(5, 1);
}

void StatisticsPanel::setText(const QString& lines) {
  const QStringList parts = lines.split('\n');
  for (int i = 0; i < 5; ++i) values_[i]->setText(i < parts.size() ? parts[i] : QString());
}

QString StatisticsPanel::text() const {
  QStringList parts;
  for (const QLabel* v : values_) parts << v->text();
  while (!parts.isEmpty() && parts.last().isEmpty()) parts.removeLast();
  return parts.join('\n');
}

}  // namespace magmo
