#include "control/Scenarios.h"

#include <filesystem>

#include "control/Playback.h"
#include "model/Sim.h"

namespace magmo {

namespace {

constexpr Scenario kScenarios[] = {
    {"shield", "&Hawaiian Shield", "HawaiianShield.rec",
     "Five Hawaiian phases pour thin basalt flows over the default cone until a broad, gentle shield "
     "buries it. The flows run for kilometres and the vent wanders a little between phases."},
    {"cone-field", "Strombolian &Cone Field", "ConeField.rec",
     "Four Strombolian phases build scoria cones across a plain, each at its own vent, some spread "
     "downwind: a monogenetic volcanic field of small, steep cones."},
    {"stratovolcano", "&Stratovolcano", "Stratovolcano.rec",
     "Thick Pel\u00e9ean lava and Plinian pumice falls take turns at one vent, so a steep cone grows of "
     "alternating lava and tephra layers."},
    {"caldera", "&Mazama-type Caldera", "MazamaCaldera.rec",
     "A stratovolcano of lava and pumice ends in a great Plinian eruption whose summit falls into the "
     "emptied magma chamber: a wide Mazama-type caldera, later partly filled by a small lava dome."},
    {"maar", "Maar-&Diatreme", "MaarDiatreme.rec",
     "Two Hawaiian flows build a lava plateau; then magma meets groundwater beneath it: a diatreme pit is "
     "blasted through the plateau and partly refilled, low surges build a tuff ring round the wide crater, "
     "and steam explosions follow."},
    {"collapse", "Sector Collapse and &Regrowth", "CollapseRegrowth.rec",
     "A scoria cone capped by thick lava grows too steep and its right-hand flank slides away as a debris "
     "avalanche; a new cone and a lava flow then grow in the horseshoe-shaped scar."},
    {"faulted", "&Faulted and Eroded Volcano", "FaultedVolcano.rec",
     "A cone of lava and scoria is cut by a vertical fault, worn down by erosion that spreads its "
     "sediments round its foot, and cut again by a dipping fault: an old volcano in a rift."},
};

}  // namespace

std::span<const Scenario> scenarios() { return kScenarios; }

std::string scenarioPath(const Sim& sim, const Scenario& s) {
  return sim.paths.resources + "Files/Scenarios/" + s.file;
}

void openScenario(Sim& sim, const Scenario& s) {
  const std::string path = scenarioPath(sim, s);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    sim.host.message("The ready-made history '" + std::string(s.file) + "' is missing from " +
                         sim.paths.resources + "Files/Scenarios/",
                     MsgIcon::Exclamation, "Magmo");
    return;
  }
  openRecord(sim, path);
}

}  // namespace magmo
