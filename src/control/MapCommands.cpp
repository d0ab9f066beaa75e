#include "control/MapCommands.h"

#include <algorithm>

#include "control/ProfileCommands.h"
#include "formats/StratFile.h"
#include "model/Numeric.h"
#include "model/Sim.h"
#include "views/Bitmap.h"
#include "views/MapView.h"
#include "views/Relief.h"
#include "views/Topo3D.h"

namespace magmo {

namespace {

constexpr int kMapSectionLastRow = 600;
constexpr float kContrastMax = 5;

ReliefInput reliefInput(const Sim& sim) {
  const Model& m = sim.m;
  return {std::max(m.ReliefMode, 1), m.MapStep, m.BaseLevel,
          std::clamp(numVal(sim.ui.Map.txtContrast.text), 0.0f, kContrastMax), m.TopoMaxZ};
}

// The relief in the selected mode, as the option buttons draw it.
void drawRelief(Sim& sim, int option) {
  sim.ui.Map.option = option;
  sim.m.ReliefMode = option;
  plotTopo(sim, option);
  sim.m.TopoLayerCount = sim.m.LayerCount;
}

// The Map window shown as the map or as the relief, with the two buttons.
void showMapWindow(Sim& sim, bool topography) {
  Controls& ui = sim.ui;
  MapWindow& w = ui.Map;
  w.topography = topography;
  ui.toolbar["topo"].pressed = topography;
  ui.toolbar["map"].pressed = !topography;
  if (!w.visible) sim.windowSound("Maximize");
  w.visible = true;
}

void runMapCommand(Sim& sim, const char* name, void (*command)(Sim&)) {
  try {
    command(sim);
  } catch (const std::exception& e) {
    sim.reportError(name, e);
  }
}

}  // namespace

void showMapState(Controls& ui) {
  ui.statusBar1[7] = !ui.mnuOptMapEnable.checked ? "Map Off"
                     : ui.mnuOptMapHigh.checked  ? "Map On (High)"
                     : ui.mnuOptMapLow.checked   ? "Map On (Low)"
                                                 : "Map On (Normal)";
}

void switchMapOff(Sim& sim) {
  Model& m = sim.m;
  std::fill(m.MapGrid.begin(), m.MapGrid.end(), 0.0f);
  std::fill(m.MapUnit.begin(), m.MapUnit.end(), 0);
  for (auto* a : {&m.LayerMapA, &m.LayerMapB, &m.LayerMapC, &m.LayerMapD}) a->fill(0);
  m.LayerMapY.fill(0);
  m.TopoLayerCount = 0;
  sim.pictures = {};
  Controls& ui = sim.ui;
  ui.mnuOptMapEnable.checked = false;
  ui.mnuOptMapPrec.enabled = ui.mnuOptMap3dPosEnable.enabled = false;
  ui.Map.visible = false;
  enableMapViews(ui, false);
  showMapState(ui);
}

void mnuOptMapEnableClick(Sim& sim) {
  runMapCommand(sim, "mnuOptMapEnable", [](Sim& s) {
    Controls& ui = s.ui;
    if (ui.mnuOptMapEnable.checked) {
      switchMapOff(s);
      return;
    }
    ui.mnuOptMapEnable.checked = true;
    ui.mnuOptMapPrec.enabled = ui.mnuOptMap3dPosEnable.enabled = true;
    showMapState(ui);
    if (s.m.LayerCount > 0) rebuildMap(s, nullptr, 0);
  });
}

void mnuOptMap3dPosClick(Sim& sim) {
  Controls& ui = sim.ui;
  ui.mnuOptMap3dPosEnable.checked = !ui.mnuOptMap3dPosEnable.checked;
  if (ui.mnuOptMap3dPosEnable.checked) plotMapCenter(sim);
}

void rebuildMap(Sim& sim, const std::vector<float>* mapSection, int mapColumns) {
  Model& m = sim.m;
  Controls& ui = sim.ui;
  std::fill(m.MapGrid.begin(), m.MapGrid.end(), 0.0f);
  std::fill(m.MapUnit.begin(), m.MapUnit.end(), 0);
  ui.pBarVisible = true;
  int code = 0;
  for (int k = 1; k <= m.LayerCount; ++k) {
    // Every layer, those without a vent included: each of those replaces the whole grid, so
    // the last of a run of them is what the map shows.
    code = mapCode(m, k, code);
    m.MapOn = code;
    spreadLayerOnMap(sim, k);
    ui.pBarValue = 100 * k / m.LayerCount;
    if (k % 20 == 0) sim.host.yield();
  }
  if (mapSection)
    for (int y = 1; y <= kMapSectionLastRow; ++y)
      for (int x = 1; x <= std::min(mapColumns, kColumns); ++x)
        m.mapGrid(x, y) = (*mapSection)[static_cast<size_t>(y) * (kColumns + 1) + x];
  ui.pBarVisible = false;
  drawMap(sim);
}

void redrawPlanPictures(Sim& sim) {
  if (!sim.ui.mnuOptMapEnable.checked) return;
  if (!sim.pictures.map.empty()) sim.pictures.map = renderMap(sim.m);
  if (!sim.pictures.topo.empty()) sim.pictures.topo = plotTopoPlot(sim.m, reliefInput(sim));
}

void mnuViewMapClick(Sim& sim) {
  runMapCommand(sim, "mnuViewMap", [](Sim& s) {
    if (s.pictures.map.empty()) drawMap(s);
    showMapWindow(s, false);
    s.ui.Map.status2 = "Mapping Complete   ";
  });
}

void mnuViewTopoClick(Sim& sim) {
  runMapCommand(sim, "mnuViewTopo", [](Sim& s) {
    Controls& ui = s.ui;
    MapWindow& w = ui.Map;
    ui.Tectonic.visible = ui.Change.visible = false;
    hideLegend(ui);
    showMapWindow(s, true);
    if (s.m.LayerCount > s.m.TopoLayerCount || s.pictures.topo.empty()) {
      if (w.option < 1 || w.option > 5) w.option = 1;
      drawRelief(s, w.option);
    }
    w.status2 = "Topography Complete   ";
  });
}

void mapSwitchClick(Sim& sim) {
  if (sim.ui.Map.topography)
    mnuViewMapClick(sim);
  else
    mnuViewTopoClick(sim);
}

void mapOptionClick(Sim& sim, int option) {
  if (option < 1 || option > 5) return;
  try {
    drawRelief(sim, option);
  } catch (const std::exception& e) {
    sim.reportError("mnuViewTopo", e);
  }
}

void mapFieldEnter(Sim& sim) { mapOptionClick(sim, std::clamp(sim.ui.Map.option, 1, 5)); }

void mapBaseSpin(Sim& sim, int delta) {
  Field& base = sim.ui.Map.txtBase;
  base.text = format(std::max(numVal(base.text) + delta * sim.m.Scale, 0.0f), "0");
  mapFieldEnter(sim);
}

void mapContrastSpin(Sim& sim, int delta) {
  Field& contrast = sim.ui.Map.txtContrast;
  contrast.text = format(std::clamp(numVal(contrast.text) + delta, 0.0f, kContrastMax), "0");
  mapFieldEnter(sim);
}

void mapSaveClick(Sim& sim) {
  const bool topo = sim.ui.Map.topography;
  const RgbImage& picture = topo ? sim.pictures.topo : sim.pictures.map;
  if (picture.empty()) return;
  const FileDialog dialog{topo ? "Save Topographic Plot" : "Save Map Plot", "Bitmap File (*.bmp)|*.bmp|", "bmp",
                          sim.paths.dataPath + (topo ? "MagmoTopo.bmp" : "MagmoMap.bmp")};
  const std::optional<std::string> name = sim.host.saveFileName(dialog);
  if (!name) return;
  try {
    writeBmp(picture, *name);
  } catch (const std::exception& e) {
    sim.reportError("Map cmdSave", e);
  }
}

void mapCloseClick(Sim& sim) {
  sim.ui.Map.visible = false;
  sim.ui.toolbar["map"].pressed = sim.ui.toolbar["topo"].pressed = false;
  sim.windowSound("Minimize");
}

void mnuView3DClick(Sim& sim) {
  Controls& ui = sim.ui;
  const auto show = [&ui](bool open) {
    ui.View3DOpen = ui.mnuView3D.checked = ui.mnuFileMagmo3D.checked = ui.toolbar["magmo3d"].pressed = open;
  };
  try {
    if (!ui.View3DOpen) {
      sim.windowSound("Maximize");
      plotTopo3D(sim);  // the viewer opens on the current grid
      show(sim.host.startViewer());
    } else {
      sim.windowSound("Minimize");
      sim.host.closeViewer();
      show(false);
    }
  } catch (const std::exception& e) {
    sim.reportError("mnuView3D", e);
  }
}

void closeViewerAtExit(Sim& sim) {
  const std::string caption = sim.settings.read("Magmo3/Topo3D", "Caption", "");
  if (!caption.empty() && caption != "Closed") sim.host.closeViewer();
  sim.settings.save("Magmo3/Topo3D", "NewFile", "False");
}

void viewerPoll(Sim& sim) {
  if (!sim.ui.View3DOpen) return;
  const std::string caption = sim.settings.read("Magmo3/Topo3D", "Caption", "");
  if (caption.empty() || caption == "Closed")
    sim.ui.View3DOpen = sim.ui.mnuView3D.checked = sim.ui.mnuFileMagmo3D.checked = sim.ui.toolbar["magmo3d"].pressed =
        false;
}

std::string mapPointerText(const Sim& sim, int x, int y) {
  if (!sim.ui.mnuOptHtips.checked) return "";
  const Model& m = sim.m;
  x = std::clamp(x, 1, kColumns);
  y = std::clamp(y, 1, kMapRows);
  std::string prefix = "New vent: ";
  for (int i = 1; i <= m.LayerCount; ++i) {
    const int row = m.LayerMapY[i] != 0 ? m.LayerMapY[i] : kMapProfileRow;
    if (m.LayerVentX[i] > 0 && std::abs(m.LayerVentX[i] - x) < 5 && std::abs(row - y) < 5)
      prefix = "Vent " + generalNumber(i) + ": ";
  }
  const double metres = m.mapGrid(x, y) * m.Scale;
  return prefix + "x = " + sim.kmText(static_cast<float>(x)) + " km" + ",  y = " +
         sim.kmText(static_cast<float>(y - kMapProfileRow)) + " km" + ",  z = " +
         format(metres, metres > 1000 ? "0,000" : "0") + " m";
}

void mapVentPick(Sim& sim, int x, int y) {
  Model& m = sim.m;
  if (m.LayerCount >= kMaxLayers) return;
  m.LayerMapY[m.LayerCount + 1] = std::clamp(y, 1, kMapRows);
  m.NewVentX = std::clamp(x, kVentMin, kVentMax);
  m.VentKm = m.NewVentX * m.Scale / 1000;
  sim.ui.txtLoc.text = format(m.VentKm, "0.00");
  plotMapCenter(sim);
}

}  // namespace magmo
