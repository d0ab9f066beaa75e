#include "control/StratCommands.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>

#include "control/FileAdoption.h"
#include "control/MapCommands.h"
#include "control/RecordCommands.h"
#include "control/Recorder.h"
#include "control/Reset.h"
#include "control/RunControl.h"
#include "formats/StratFile.h"
#include "model/Sim.h"
#include "textio/FileNames.h"
#include "views/Profile.h"
#include "views/Relief.h"

namespace magmo {

namespace {

constexpr const char* kAppTitle = "Magmo";

bool isFactoryFile(const Sim& sim, const std::string& name) {
  return isDataFile(sim, name, "Magmo3.str") || isDataFile(sim, name, "MagmoDemo.str");
}

std::string withStrExtension(const std::string& name) { return withExtension(name, ".str"); }

std::optional<std::string> chooseSaveName(Sim& sim) {
  const std::string current = sim.ui.StrFileName;
  const FileDialog dialog{"Save Stratigraphic File", "Stratigraphic File (*.str)|*.str|", "str",
                          current.empty() || isFactoryFile(sim, current) ? sim.paths.dataPath + "Magmo.str"
                                                                          : withStrExtension(current)};
  for (;;) {
    std::optional<std::string> name = sim.host.saveFileName(dialog);
    if (!name) return std::nullopt;
    if (isFactoryFile(sim, *name)) {
      sim.host.message("Cannot replace MAGMO default/demo stratigraphic file", MsgIcon::Critical, kAppTitle);
      continue;
    }
    if (sim.ui.recordFlag && samePath(*name, current) &&
        !sim.host.askYesNo("Overwriting the stratigraphic file currently in use will alter your record file\n"
                           "Do you wish to continue saving?",
                           MsgIcon::Question, kAppTitle))
      return std::nullopt;
    return name;
  }
}

// The Pause button cancels a load while it runs.
class CancelButton {
 public:
  CancelButton(Sim& sim, bool offered) : ui_(sim.ui), offered_(offered) {
    if (!offered_) return;
    ui_.cmdHalt.caption = "&Cancel";
    ui_.cmdHalt.tooltip = sim.tip("Click to stop file load");
    ui_.cmdHalt.enabled = ui_.toolbar["halt"].enabled = true;
    tooltip_ = sim.tip("Click to pause/stop eruption");
  }
  ~CancelButton() {
    if (!offered_) return;
    ui_.cmdHalt.caption = "&Pause";
    ui_.cmdHalt.tooltip = tooltip_;
    ui_.cmdHalt.enabled = ui_.toolbar["halt"].enabled = false;
  }
  CancelButton(const CancelButton&) = delete;
  CancelButton& operator=(const CancelButton&) = delete;

 private:
  Controls& ui_;
  bool offered_;
  std::string tooltip_;
};

struct LoadedStrat {
  std::unique_ptr<Section> section = std::make_unique<Section>();
  StratReadResult result;
  bool demo = false;
};

// Reads a file into a staging section with the progress bar; a Cancel (the run state paused)
// is seen between layers. Nothing of the simulation changes here.
std::optional<LoadedStrat> loadStrat(Sim& sim, const std::string& name, bool offerCancel) {
  Controls& ui = sim.ui;
  const CancelButton cancel(sim, offerCancel);
  ui.pBarVisible = true;
  ui.pBarValue = 0;
  LoadedStrat loaded;
  loaded.demo = isDataFile(sim, name, "MagmoDemo.str");
  const StratReadOptions options{
      isDataFile(sim, name, "Magmo3.str"), ui.mnuOptMapEnable.checked || loaded.demo,
      [&](int percent) {
        ui.pBarValue = percent;
        sim.host.yield();
      },
      [&] { return sim.m.RunStop == RunState::Paused; }};
  try {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(name, ec)) throw SimError("It is not a file");
    std::ifstream file(name, std::ios::binary);
    if (!file) throw SimError("Cannot open the file");
    loaded.result = readStratText(file, *loaded.section, options);
  } catch (const std::exception& e) {
    ui.pBarVisible = false;
    sim.host.message("Error reading strat file '" + name + "'\n" + e.what(), MsgIcon::Exclamation, kAppTitle);
    return std::nullopt;
  }
  ui.pBarVisible = false;
  sim.m.RunStop = RunState::Running;  // the pause only carried the Cancel
  return loaded;
}

// The section read becomes the simulation's, with what the file says of its scale and map.
LoadResult adopt(Sim& sim, LoadedStrat&& loaded) {
  Model& m = sim.m;
  const StratReadResult& r = loaded.result;
  const bool mapRead = r.complete && r.version == 3 && (sim.ui.mnuOptMapEnable.checked || loaded.demo);
  std::vector<float> grid = std::move(m.MapGrid), mapSection;
  static_cast<Section&>(m) = std::move(*loaded.section);
  if (mapRead) mapSection = std::move(m.MapGrid);
  m.MapGrid = std::move(grid);
  if (r.scale) applyStoredScale(sim, *r.scale);
  if (loaded.demo && r.version == 3) enableDemoMaps(sim.ui);
  for (int x = 1; x <= kColumns; ++x) m.Topo[x] = m.Strat(m.LayerCount, x);
  if (sim.ui.mnuOptMapEnable.checked) {
    try {
      rebuildMap(sim, mapRead ? &mapSection : nullptr, r.mapColumns);
    } catch (const std::exception& e) {
      sim.host.message(e.what(), MsgIcon::Exclamation, "Mapping error");
    }
    if (mapRead) {
      m.ReliefMode = std::max(m.ReliefMode, 1);
      plotTopo(sim, m.ReliefMode);
      m.TopoLayerCount = m.LayerCount;
    }
  }
  m.MapOn = r.mapCode;
  m.VentKm = m.VentX * m.Scale / 1000;
  showVentLocation(sim);
  sim.host.yield();
  return r.complete ? LoadResult::Complete : LoadResult::Cancelled;
}

}  // namespace

void fileSaveTopo(Sim& sim) {
  Controls& ui = sim.ui;
  ui.toolbar["save"].pressed = true;
  const std::string shownBefore = ui.statusBar2[1];
  try {
    if (const std::optional<std::string> name = chooseSaveName(sim)) {
      ui.statusBar2[1] = "Saving Stratigraphic File:  " + *name;
      writeStratFile(sim.m, *name, ui.mnuOptMapEnable.checked);
      // The name becomes current only once the file really holds the simulation; a record
      // refers to the file it was made from, not to this one.
      if (!samePath(*name, ui.StrFileName)) ui.recordFlag = false;
      ui.StrFileName = *name;
      ui.SectionChanged = false;
      ui.statusBar1[3] = dropLastFour(fileTitle(*name));
      ui.statusBar2[1] = "Stratigraphic File:  " + fileTitle(*name) + " Saved";
    }
  } catch (const std::exception& e) {
    ui.statusBar2[1] = shownBefore;
    sim.reportError("Strat file save", e);
  }
  ui.toolbar["save"].pressed = false;
}

void saveSection(Sim& sim) {
  Controls& ui = sim.ui;
  const std::string name = ui.StrFileName;
  if (name.empty() || isFactoryFile(sim, name)) {
    fileSaveTopo(sim);
  } else {
    const std::string shownBefore = ui.statusBar2[1];
    try {
      ui.statusBar2[1] = "Saving Stratigraphic File:  " + name;
      writeStratFile(sim.m, name, ui.mnuOptMapEnable.checked);
      ui.SectionChanged = false;
      ui.statusBar2[1] = "Stratigraphic File:  " + name + " Saved";
    } catch (const std::exception& e) {
      ui.statusBar2[1] = shownBefore;
      sim.reportError("mnuFileSave", e);
    }
  }
}

void mnuFileSaveClick(Sim& sim) {
  Controls& ui = sim.ui;
  ui.mnuFileSave.enabled = false;
  ui.toolbar["save"].pressed = true;
  if (ui.RecLoaded)
    saveOpenRecord(sim);
  else
    saveSection(sim);
  ui.toolbar["save"].pressed = false;
  ui.mnuFileSave.enabled = true;
}

namespace {

void showStratTitle(Sim& sim, const std::string& name) {
  sim.ui.statusBar1[3] = samePath(name, sim.paths.defaultStrat()) ? "Default" : dropLastFour(fileTitle(name));
}

}  // namespace

LoadResult fileOpenTopo(Sim& sim) {
  Controls& ui = sim.ui;
  ui.toolbar["open"].pressed = true;
  LoadResult result = LoadResult::Failed;
  try {
    const FileDialog dialog{"Open Stratigraphic File",
                            "Stratigraphic Files (*.str)|*.str;*.STR|Topographic Files (*.top)|*.top;*.TOP|", "",
                            ui.StrFileName.empty() ? sim.paths.demoStrat() : withStrExtension(ui.StrFileName)};
    if (const std::optional<std::string> name = sim.host.openFileName(dialog)) {
      const std::string shownBefore = ui.statusBar2[1];
      ui.statusBar2[1] = "Opening Stratigraphic File:  " + fileTitle(*name);
      menuAct(sim, false);
      std::optional<LoadedStrat> loaded = loadStrat(sim, *name, ui.mnuOptMapEnable.checked);
      menuAct(sim, true);
      if (!loaded) {
        ui.statusBar2[1] = shownBefore;
      } else {
        clearVar(sim, true);
        clearRec(sim);
        ui.recordFlag = false;
        ui.RecFileName.clear();
        ui.StrFileName = *name;
        showStratTitle(sim, *name);
        result = adopt(sim, std::move(*loaded));
        screenRefresh(sim);
      }
    }
  } catch (const std::exception& e) {
    sim.reportError("FileOpenTopo", e);
  }
  ui.toolbar["open"].pressed = false;
  return result;
}

LoadResult fileReadStrat(Sim& sim, bool offerCancel) {
  // A record may name a file that is gone: it then plays from the blank section.
  std::error_code ec;
  if (sim.ui.StrFileName.empty() || !std::filesystem::exists(sim.ui.StrFileName, ec)) return LoadResult::Failed;
  std::optional<LoadedStrat> loaded = loadStrat(sim, sim.ui.StrFileName, offerCancel);
  if (!loaded) {
    sim.ui.statusBar1[3] = "No File";
    // A later File > Save must not overwrite the file that could not be read.
    sim.ui.StrFileName.clear();
    return LoadResult::Failed;
  }
  showStratTitle(sim, sim.ui.StrFileName);
  return adopt(sim, std::move(*loaded));
}

}  // namespace magmo
