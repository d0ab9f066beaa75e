// The Scenarios menu of the main window: one item per ready-made eruption history.
#include <QAction>
#include <QMenu>
#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "control/Scenarios.h"
#include "control/UnsavedChanges.h"

namespace magmo {

void MainWindow::buildScenariosMenu(QMenu* menu) {
  // The items' command names must outlive the window (menuItem keeps the pointer).
  static const std::vector<std::string> names = [] {
    std::vector<std::string> v;
    for (const Scenario& s : scenarios()) v.push_back(std::string("mnuScenario_") + s.key);
    return v;
  }();
  for (size_t i = 0; i < names.size(); ++i) {
    const Scenario& s = scenarios()[i];
    // Opening a history throws away the work in hand, as File > Open does.
    QAction* a = menuItem(menu, s.caption, names[i].c_str(), nullptr, [this, &s] {
      if (confirmDiscard(sim_)) openScenario(sim_, s);
    });
    a->setStatusTip(QString::fromUtf8(s.description));
  }
}

}  // namespace magmo
