#pragma once
// The ready-made eruption histories of the Scenarios menu: record files in the factory
// folder's Scenarios/, each starting from a factory stratigraphic file.
#include <span>
#include <string>

namespace magmo {
struct Sim;

struct Scenario {
  const char* key;          // a short name for tests and scripts
  const char* caption;      // the menu item, with its mnemonic
  const char* file;         // in resources + "Files/Scenarios/"
  const char* description;  // one paragraph: the status tip and the help page say the same
};

std::span<const Scenario> scenarios();
std::string scenarioPath(const Sim& sim, const Scenario& s);
// Opens the history as File > Open > Record File opens it, so that Erupt plays it. A missing
// file is reported and changes nothing.
void openScenario(Sim& sim, const Scenario& s);

}  // namespace magmo
