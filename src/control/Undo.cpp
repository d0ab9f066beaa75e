#include "control/Undo.h"

#include <algorithm>
#include <filesystem>

#include "control/MapCommands.h"
#include "model/Sim.h"
#include "views/MapView.h"
#include "views/Profile.h"

namespace magmo {

namespace {

// The working images the map, relief and 3-D views keep, each beside its undo copy.
void restoreWorkingImages(Sim& sim) {
  namespace fs = std::filesystem;
  for (const char* name : {"MagmoMap", "MagmoTopo"}) {
    const std::string image = sim.paths.work + name;
    std::error_code ec;
    if (fs::exists(image + "-Undo.bmp", ec))
      fs::copy_file(image + "-Undo.bmp", image + ".bmp", fs::copy_options::overwrite_existing, ec);
  }
  const std::string grid3d = sim.paths.work + "Magmo3D";
  std::error_code ec;
  if (fs::exists(grid3d + "-Undo.ebm", ec) &&
      fs::copy_file(grid3d + "-Undo.ebm", grid3d + ".ebm", fs::copy_options::overwrite_existing, ec))
    sim.settings.save("Magmo3/Topo3D", "NewFile", "True");
}

// Puts back the state a phase changes, keeping what belongs to the session rather than to the
// phase: the run flags, the record table, the scale and the map precision.
void restoreModel(Sim& sim, Model&& before) {
  Model& m = sim.m;
  before.RunStop = m.RunStop;
  before.StratBusy = m.StratBusy;
  // A phase recorded when it ended is no longer part of the history once it is undone.
  before.RecCount = std::min(before.RecCount, m.RecCount);
  before.RecTable = std::move(m.RecTable);
  before.RecBurst = std::move(m.RecBurst);
  before.PlayIndex = m.PlayIndex;
  before.Scale = m.Scale;
  before.Gravity = m.Gravity;
  before.GravityScaled = m.GravityScaled;
  before.MapStep = m.MapStep;
  before.ReliefMode = m.ReliefMode;
  before.BaseLevel = m.BaseLevel;
  if (!sim.ui.mnuOptMapEnable.checked) {
    before.MapGrid = std::move(m.MapGrid);
    before.MapUnit = std::move(m.MapUnit);
  }
  m = std::move(before);
}

}  // namespace

void saveUndo(Sim& sim) { sim.undoState = sim.m; }

void forgetUndo(Sim& sim) {
  sim.undoState.reset();
  sim.ui.mnuParUndo.enabled = sim.ui.toolbar["undo"].enabled = false;
}

void mnuParUndoClick(Sim& sim) {
  Controls& ui = sim.ui;
  try {
    ui.mnuParUndo.enabled = ui.toolbar["undo"].enabled = false;
    if (sim.undoState) {
      ui.SectionChanged = true;
      restoreModel(sim, std::move(*sim.undoState));
      sim.undoState.reset();
    }
    screenRefresh(sim);
    if (ui.mnuOptMapEnable.checked) {
      restoreWorkingImages(sim);
      redrawPlanPictures(sim);
      if (ui.mnuOptMap3dPosEnable.checked) plotMapCenter(sim);
    }
    ui.mnuRecPlay.enabled = ui.mnuRecPlayLoop.enabled = ui.RecLoaded;
  } catch (const std::exception& e) {
    sim.reportError("mnuParUndo", e);
  }
}

}  // namespace magmo
