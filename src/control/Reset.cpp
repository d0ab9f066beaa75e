#include "control/Reset.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "control/MapCommands.h"
#include "control/Params.h"
#include "control/RunControl.h"
#include "control/Undo.h"
#include "control/StratCommands.h"
#include "model/Numeric.h"
#include "model/Sim.h"
#include "model/Vent.h"
#include "views/Profile.h"

namespace magmo {

namespace {

void zeroModel(Model& m) {
  m.Topo.fill(0);
  m.Strat.clear();
  std::fill(m.MapGrid.begin(), m.MapGrid.end(), 0.0f);
  std::fill(m.MapUnit.begin(), m.MapUnit.end(), 0);
  for (auto* a : {&m.LayerColor, &m.LayerVentX, &m.LayerCaldL, &m.LayerCaldR, &m.LayerMapY}) a->fill(0);
  for (auto* a : {&m.LayerBase, &m.LayerWind, &m.LayerCaldera, &m.LayerMapA, &m.LayerMapB, &m.LayerMapC,
                  &m.LayerMapD})
    a->fill(0);
  m.LayerStats.fill({});
  m.PartU.fill(0);
  m.PartW.fill(0);
  m.PartDone.fill(0);
  m.LayerCount = 0;
  m.EruptType = m.EruptSub = Style::Tectonic;
  m.AltPfs = m.AltStromb = m.AltLava = m.AltDome = m.AltPlin = 0;
  m.VentX = m.PartCount = m.BurstCount = 0;
  m.RunStop = RunState::Running;
  m.MaxFlight = m.Wind = m.WindScaled = m.BurstTime = 0;
  m.EruptHours = m.TotalHours = m.EruptVolume = m.TotalVolume = 0;
  m.UndoLayer = m.MapOn = 0;
  m.TopoLayerCount = m.CollapseMapX = 0;
  m.TopoMinZ = m.TopoMaxZ = 0;
  m.LavaBurst = m.LavaThick = 0;
  m.FlowLeft = m.FlowRight = 0;
  m.BurstLimit = 1000;
}

void resetIdleInterface(Controls& ui) {
  ui.mnuRecRec.checked = ui.mnuRecPlay.checked = ui.mnuRecPlayLoop.checked = false;
  ui.statusBar1[6] = "Record Off";
  ui.RecLoaded = ui.PlayReady = false;
  ui.mnuParStatic.checked = false;
  ui.mnuParCol.enabled = ui.mnuParTec.enabled = ui.mnuParUndo.enabled = false;
  ui.toolbar["collapse"].enabled = ui.toolbar["tectonic"].enabled = ui.toolbar["undo"].enabled = false;
  ui.Slider[1].value = ui.Slider[2].value = ui.Slider[4].value = 6;
  ui.Slider[3].value = 20;
}

void resetFields(Sim& sim) {
  Controls& ui = sim.ui;
  sim.m.PartCount = 25;
  ui.txtPart.text = "25";
  ui.txtWind.text = "0";
  ui.chkDirected.checked = ui.chkCaldDiat.checked = ui.chkFumex.checked = false;
  ui.opFault.checked = ui.opErode.checked = false;
  ui.CaldStyle.text = "Valles Type";
  ui.txtMag.text = "5";
  ui.txtDip.text = "0";
  ui.Down.text = "Right side down";
  ui.statusBar2[1] = "";
  ui.statusBar2[2] = "Dormant   ";
  showZeroedStatistics(sim);
}

const char* defaultStrengthText(ScaleItem s) {
  switch (s) {
    case ScaleItem::Small: return "0.20";
    case ScaleItem::Large: return "0.90";
    default: return "0.40";
  }
}

MenuItem& scaleMenu(Controls& ui, ScaleItem s) {
  switch (s) {
    case ScaleItem::Small: return ui.mnuOptScaleSmall;
    case ScaleItem::Large: return ui.mnuOptScaleLarge;
    default: return ui.mnuOptScaleNorm;
  }
}

struct GravityEntry {
  GravityItem item;
  MenuItem Controls::*menu;
  float gravity;  // 0 for the user value
  const char* text;
};

constexpr GravityEntry kGravities[] = {
    {GravityItem::User, &Controls::mnuOptG, 0.0f, ""},
    {GravityItem::X2, &Controls::mnuOptG2, 19.6f, "2X Earth Gravity"},
    {GravityItem::X4, &Controls::mnuOptG4, 39.2f, "4X Earth Gravity"},
    {GravityItem::X8, &Controls::mnuOptG8, 78.4f, "8X Earth Gravity"},
    {GravityItem::Earth, &Controls::mnuOptGEarth, 9.8f, "Earth Gravity"},
    {GravityItem::Venus, &Controls::mnuOptGVenus, 8.77f, "Venus Gravity"},
    {GravityItem::Mars, &Controls::mnuOptGMars, 3.73f, "Mars Gravity"},
    {GravityItem::Moon, &Controls::mnuOptGMoon, 1.6f, "Moon Gravity"},
};

const GravityEntry& gravityEntry(GravityItem item) {
  for (const auto& e : kGravities)
    if (e.item == item) return e;
  return kGravities[4];
}

GravityItem checkedGravity(const Controls& ui) {
  for (const auto& e : kGravities)
    if ((ui.*e.menu).checked) return e.item;
  return GravityItem::Earth;
}

void applyGravity(Sim& sim, GravityItem item, float gravity) {
  for (const auto& e : kGravities) (sim.ui.*e.menu).checked = e.item == item;
  sim.m.Gravity = gravity;
  sim.m.GravityScaled = gravity / sim.m.Scale;
  sim.ui.statusBar1[5] = gravityStatusText(item, gravity);
}

void afterScaleChange(Sim& sim, ScaleItem to) {
  for (ScaleItem s : {ScaleItem::Small, ScaleItem::Normal, ScaleItem::Large}) scaleMenu(sim.ui, s).checked = s == to;
  sim.m.Scale = scaleMetres(to);
  sim.m.GravityScaled = sim.m.Gravity / sim.m.Scale;
  sim.m.VentKm = sim.m.VentX * sim.m.Scale / 1000;
  showVentLocation(sim);
  sim.ui.txtStr.text = defaultStrengthText(to);
}

// The deposits of layers 1..LayerCount, shrunk by factor f: every f-th source column fills a
// centred window of 1280/f columns and the flanks continue level with its edges.
void shrinkLayers(Model& m, int f) {
  const int first = f == 5 ? 512 : 615;
  const int lastSource = f == 5 ? 1276 : 1251;
  std::vector<float> t(kColumns + 1);
  for (int k = 1; k <= m.LayerCount; ++k) {
    int last = first;
    for (int s = 1, j = first; s <= lastSource; s += f, ++j) {
      t[j] = m.Strat(k, s);
      last = j;
    }
    for (int x = 1; x <= kColumns; ++x) {
      const int j = x < first ? first : (x > last ? last : x);
      m.Strat(k, x) = t[j] / f;
    }
    if (m.LayerVentX[k] > 0) m.LayerVentX[k] = cint((m.LayerVentX[k] - 640.0) / f + 640);
    m.LayerBase[k] /= f;
  }
}

struct Window {
  int a, b;
};

Window zoomWindow(int f, int position) {
  static constexpr Window five[] = {{1, 256}, {256, 512}, {512, 768}, {768, 1024}, {1024, 1280}};
  static constexpr Window twentyFive[] = {{114, 165}, {364, 415}, {614, 665}, {784, 835}, {1034, 1085}};
  const int i = (position >= 1 && position <= 5) ? position - 1 : 2;
  return f == 5 ? five[i] : twentyFive[i];
}

void enlargeLayers(Model& m, int f, Window w) {
  const int maxT = kColumns - f;
  std::vector<float> t(kColumns + 1);
  for (int k = 1; k <= m.LayerCount; ++k) {
    int pos = 0;
    for (int s = w.a; s <= w.b; ++s) {
      for (int i = 1; i <= f; ++i) t[pos + i] = m.Strat(k, s);
      pos = std::min(pos + f, maxT);
    }
    for (int x = 1; x <= kColumns; ++x) m.Strat(k, x) = t[x] * f;
    if (m.LayerVentX[k] > 0) m.LayerVentX[k] = (m.LayerVentX[k] - w.a) * f;
    m.LayerBase[k] *= f;
  }
  for (int k = 1; k <= m.LayerCount; ++k)
    if (m.LayerVentX[k] < 1 || m.LayerVentX[k] > kColumns) m.LayerVentX[k] = 0;
}

// 1 (left) to 5 (right); the centre unless the user picks another.
int askZoomPosition(Sim& sim) {
  const auto choice = sim.host.chooseItem(
      "Please enter the portion of the profile you wish to display.\n"
      "1 = left, 2 = left center, 3 = center, 4 = right center, 5 = right",
      "Zoom Position", {"1 = left", "2 = left center", "3 = center", "4 = right center", "5 = right"}, 2);
  return choice ? *choice + 1 : 3;
}

}  // namespace

void deleteWorkingImages(const Sim& sim) {
  for (const char* name : {"MagmoMap.bmp", "MagmoTopo.bmp", "Magmo3D.ebm", "MagmoMap-Undo.bmp",
                           "MagmoTopo-Undo.bmp", "Magmo3D-Undo.ebm"}) {
    std::remove((sim.paths.work + name).c_str());
  }
}

float scaleMetres(ScaleItem s) {
  switch (s) {
    case ScaleItem::Small: return 4;
    case ScaleItem::Large: return 100;
    default: return 20;
  }
}

ScaleItem checkedScale(const Sim& sim) {
  if (sim.ui.mnuOptScaleSmall.checked) return ScaleItem::Small;
  if (sim.ui.mnuOptScaleLarge.checked) return ScaleItem::Large;
  return ScaleItem::Normal;
}

void clearVar(Sim& sim, bool fileOpenedJustBefore) {
  try {
    sim.host.busyPointer(true);
    sim.host.yield();
    zeroModel(sim.m);
    sim.pictures = {};
    forgetUndo(sim);
    sim.ui.SectionChanged = false;
    deleteWorkingImages(sim);
    resetIdleInterface(sim.ui);
    const ScaleItem scale = checkedScale(sim);
    sim.m.Scale = scaleMetres(scale);
    sim.ui.txtStr.text = defaultStrengthText(scale);
    applyCheckedGravity(sim);
    sim.m.VentX = sim.m.NewVentX = 640;
    sim.m.VentKm = 640 * sim.m.Scale / 1000;
    showVentLocation(sim);
    resetFields(sim);
    showMapState(sim.ui);
    clearParams(sim, "");
    if (!fileOpenedJustBefore && sim.ui.mnuOptTopoLoad.checked) {
      sim.ui.StrFileName = sim.paths.defaultStrat();
      sim.ui.statusBar2[1] = "Opening Stratigraphic File:  Magmo3.str";
      sim.ui.statusBar1[3] = fileReadStrat(sim) == LoadResult::Complete ? "Default" : "No File";
      sim.ui.statusBar2[1] = "";
    }
    screenRefresh(sim);
    if (sim.settings.read(kSettingsSection, "AutoErupt", "0") == "1") selectAuto(sim);
    sim.host.busyPointer(false);
  } catch (const std::exception& e) {
    sim.host.busyPointer(false);
    sim.reportError("Clear", e);
  }
}

bool changeScale(Sim& sim, ScaleItem to) {
  const ScaleItem from = checkedScale(sim);
  if (from == to) return true;
  if (sim.ui.mnuOptMapEnable.checked) {
    if (!sim.host.askYesNo("Changing the scale will disable maps, continue?", MsgIcon::Question, "Magmo"))
      return false;
    switchMapOff(sim);
  }
  Model& m = sim.m;
  if (m.LayerCount >= 1) {
    const float ratio = scaleMetres(to) / scaleMetres(from);
    const int f = cint(ratio > 1 ? ratio : 1 / ratio);
    if (ratio > 1)
      shrinkLayers(m, f);
    else
      enlargeLayers(m, f, zoomWindow(f, askZoomPosition(sim)));
    for (int x = 1; x <= kColumns; ++x) m.Topo[x] = m.Strat(m.LayerCount, x);
  }
  afterScaleChange(sim, to);
  forgetUndo(sim);  // the kept layers are at the old scale
  screenRefresh(sim);
  return true;
}

std::string gravityStatusText(GravityItem item, float gravity) {
  if (item == GravityItem::User) return format(gravity / 9.8, "0.00") + " Earth Gravity";
  return gravityEntry(item).text;
}

void applyCheckedGravity(Sim& sim) {
  const GravityItem item = checkedGravity(sim.ui);
  const float g = item == GravityItem::User ? sim.m.Gravity : gravityEntry(item).gravity;
  applyGravity(sim, item, g > 0 ? g : 9.8f);
}

void selectGravity(Sim& sim, GravityItem item) {
  if (item != GravityItem::User) {
    applyGravity(sim, item, gravityEntry(item).gravity);
    return;
  }
  const std::string previous = sim.ui.gravityAnswer.empty() ? "9.8" : sim.ui.gravityAnswer;
  auto answer = sim.host.inputBox("Enter gravitational acceleration (m/s^2):", "User Specified Gravity", previous);
  if (!answer) return;
  sim.ui.gravityAnswer = *answer;
  const double g = val(*answer);
  if (g > 0)
    applyGravity(sim, item, static_cast<float>(g));
  else  // said, not dropped in silence
    sim.ui.statusBar2[1] = "Gravity \"" + *answer + "\" is not a number above 0: kept at " + sim.ui.statusBar1[5];
}

void setVentFromKm(Sim& sim, double km) {
  const int x = cint(std::clamp(km * 1000 / sim.m.Scale, -30000.0, 30000.0));
  sim.m.VentX = std::clamp(x, kVentMin, kVentMax);
  sim.m.VentKm = sim.m.VentX * sim.m.Scale / 1000;
  sim.ui.txtLoc.text = format(sim.m.VentKm, "0.00");
}

void showVentLocation(Sim& sim) {
  const std::string km = format(sim.m.VentKm, "0.00");
  for (Field* f : {&sim.ui.txtLoc, &sim.ui.txtTloc, &sim.ui.txtCtop, &sim.ui.txtCbase}) f->text = km;
}

}  // namespace magmo
