#include "control/Params.h"

#include <algorithm>

#include "control/PanelSteps.h"
#include "model/Numeric.h"
#include "model/Palette.h"
#include "control/Reset.h"
#include "model/Sim.h"
#include "views/MapView.h"

namespace magmo {

namespace {

struct StyleInfo {
  Style style;
  const char* key;
  MenuItem Controls::*menu;
  const char* menuName;  // names the selection's error reports
  const char* caption;
  const char* prompt;
};

constexpr StyleInfo kStyles[] = {
    {Style::Pfs, "vulcanian", &Controls::mnuParPfs, "mnuParPfs", "Vulcanian/Surtseyan Parameters",
     "Choose Pyroclastic Flow/Surge Parameters"},
    {Style::Stromb, "strombolian", &Controls::mnuParStrom, "mnuParStrom", "Strombolian Parameters",
     "Choose Strombolian Parameters"},
    {Style::Lava, "hawaiian", &Controls::mnuParLava, "mnuParLava", "Hawaiian Parameters",
     "Choose Basaltic Lava Parameters"},
    {Style::Dome, "peleean", &Controls::mnuParDome, "mnuParDome", "Peléean Parameters",
     "Choose Silicic Lava Parameters"},
    {Style::Plinian, "plinian", &Controls::mnuParPlin, "mnuParPlin", "Plinian Parameters",
     "Choose Plinian Parameters"},
    {Style::Collapse, "collapse", &Controls::mnuParCol, "mnuParCol", "Sector Collapse Parameters",
     "Choose Sector Collapse Parameters"},
    {Style::Fumarole, "fumarole", &Controls::mnuParFum, "mnuParFum", "Fumarolic/Phreatic Parameters",
     "Choose Phreatic Parameters"},
    {Style::Tectonic, "tectonic", &Controls::mnuParTec, "mnuParTec", "Tectonic Parameters",
     "Choose Tectonic Parameters"},
};
constexpr const char* kAutoKey = "auto";

const StyleInfo& info(Style s) {
  for (const auto& i : kStyles)
    if (i.style == s) return i;
  return kStyles[1];
}

const StyleInfo* checkedStyle(const Controls& ui) {
  for (const auto& i : kStyles)
    if ((ui.*i.menu).checked) return &i;
  return nullptr;
}

void clearCaldDiat(Controls& ui) {
  ui.chkCaldDiat.enabled = false;
  ui.chkCaldDiat.checked = false;
  ui.CaldStyle.visible = false;
}

void setPanelLayout(Sim& sim, Style s) {
  Controls& ui = sim.ui;
  const bool tephra = s == Style::Stromb || s == Style::Pfs || s == Style::Plinian;
  const bool lava = s == Style::Lava || s == Style::Dome;
  const bool collapse = s == Style::Collapse;
  ui.panTephra.visible = tephra;
  ui.panCol.visible = collapse;
  ui.chkFumex.visible = s == Style::Fumarole;
  ui.txtLoc.enabled = !collapse;
  ui.txtStr.enabled = !lava;
  ui.txtPart.enabled = !lava && !collapse;
  ui.txtWind.enabled = !collapse;
  if (tephra || s == Style::Fumarole) {
    ui.chkDirected.checked = false;
    ui.chkDirected.enabled = s == Style::Pfs;
  }
  ui.chkCaldDiat.caption = (s == Style::Plinian || s == Style::Pfs) ? "Caldera" : "Diatreme";
  ui.mnuParStatic.enabled = s != Style::Fumarole;
}

// The strength the panel opens with, and whether the style's box may be used with it.
void normaliseStrength(Sim& sim, Style s) {
  if (s == Style::Lava || s == Style::Dome) return;  // lava has no strength field
  Model& m = sim.m;
  Controls& ui = sim.ui;
  const float typed = static_cast<float>(val(ui.txtStr.text));
  if (s == Style::Pfs) {
    m.StrengthC = std::clamp(1.03f - typed, 0.03f, 0.83f);
    m.Strength = 1.03f - m.StrengthC;
  } else if (s == Style::Collapse) {
    m.StrengthC = std::clamp(1.03f - typed, 0.1f, 0.4f);
    m.Strength = 1.03f - m.StrengthC;
  } else {
    m.Strength = std::clamp(typed, 0.1f, 1.0f);
  }
  ui.txtStr.text = format(m.Strength, "0.00");
  m.StrengthC = 1.03f - m.Strength;

  const bool dynamic = !sim.staticMode();
  switch (s) {
    case Style::Stromb:
      ui.chkCaldDiat.enabled = dynamic && m.Strength <= 0.31f;
      break;
    case Style::Plinian:
      ui.chkCaldDiat.enabled = dynamic && m.Strength >= 0.5f;
      break;
    case Style::Pfs:
      if (m.StrengthC <= 0.4f) ui.chkCaldDiat.caption = "Caldera";
      if (m.StrengthC >= 0.73f) ui.chkCaldDiat.caption = "Diatreme";
      ui.chkCaldDiat.enabled = dynamic && (m.StrengthC <= 0.4f || m.StrengthC >= 0.73f);
      break;
    case Style::Fumarole:
      ui.chkFumex.enabled = dynamic && m.Strength >= 0.7f;
      if (!ui.chkFumex.enabled) ui.chkFumex.checked = false;
      return;
    default:
      return;
  }
  if (!ui.chkCaldDiat.enabled) clearCaldDiat(ui);
}

int clampedParticles(double v) { return std::clamp(cint(std::clamp(v, -1e4, 1e4)), 10, 50); }

void defaultParticles(Sim& sim, Style s, bool whileTyping) {
  Model& m = sim.m;
  if (!sim.ui.mnuOptPart.checked) return;
  if (s == Style::Stromb || s == Style::Plinian || s == Style::Fumarole)
    m.PartCount = clampedParticles(m.Strength * 25 * m.CpuFactor + 25);
  else if (s == Style::Pfs && whileTyping)
    m.PartCount = clampedParticles((1.05 - val(sim.ui.txtStr.text)) * 25 * m.CpuFactor + 25);
  else if (s == Style::Pfs)
    m.PartCount = clampedParticles((1 - m.StrengthC) * 30 * m.CpuFactor + 20);
  else
    return;
  sim.ui.txtPart.text = format(m.PartCount, "0");
}

const char* eruptCaption(Style s) {
  if (s == Style::Collapse) return "&Collapse";
  return "&Erupt";
}

void layOutAuto(Sim& sim) {
  Controls& ui = sim.ui;
  ui.Tectonic.visible = ui.Change.visible = false;
  ui.cmdErupt.caption = "Auto&Erupt";
  ui.cmdErupt.isDefault = ui.cmdErupt.enabled = true;
  for (int i = 1; i <= 5; ++i) ui.Command[i].enabled = false;
  ui.statusBar2[1] = "Auto Eruption Parameters Selected";
  ui.modeText() = sim.staticMode() ? "Auto Erupt Static)" : "Auto Erupt";
}

void selectPanelStyle(Sim& sim, Style s) {
  Controls& ui = sim.ui;
  const StyleInfo& style = info(s);
  ui.Tectonic.visible = false;
  ui.Change.visible = ui.Change.enabled = true;
  ui.Change.caption = style.caption;
  ui.Legend.visible = ui.mnuViewLedg.checked = false;
  ui.toolbar["legend"].pressed = false;
  setPanelLayout(sim, s);
  normaliseStrength(sim, s);
  defaultParticles(sim, s, false);
  if (s == Style::Stromb) ui.chkCaldDiat.tooltip = sim.tip("Check for diatreme formation");
  if (s == Style::Plinian || s == Style::Pfs) ui.chkCaldDiat.tooltip = sim.tip("Check for caldera formation");
  const bool collapse = s == Style::Collapse;
  ui.Command[1].enabled = ui.Command[1].isDefault = !collapse;
  ui.Command[3].enabled = ui.Command[5].enabled = true;
  ui.cmdErupt.caption = eruptCaption(s);
  disableRunButtons(ui);
}

// The last steps of opening a panel: the prompt, the mode, the location fields at the marked column.
void finishSelection(Sim& sim, Style s) {
  Controls& ui = sim.ui;
  ui.statusBar2[1] = info(s).prompt;
  ui.modeText() = sim.staticMode() ? "Manual Erupt (Static)" : "Manual Erupt";
  const bool collapse = s == Style::Collapse;
  const std::string km = sim.kmText(sim.m.NewVentX);
  ui.txtLoc.text = km;
  if (collapse) ui.txtCtop.text = ui.txtCbase.text = km;
  ui.ActiveField = collapse ? "ColTop" : "Location";
}

// The collapse scarp runs from its top (the vent) down to its base; a scarp shorter than 25
// columns is lengthened away from the top.
void placeScarp(Sim& sim) {
  Model& m = sim.m;
  Controls& ui = sim.ui;
  m.VentX = std::clamp(sim.columnOfKm(val(ui.txtCtop.text)), 75, 1205);
  m.VentKm = m.VentX * m.Scale / 1000;
  int base = sim.columnOfKm(val(ui.txtCbase.text));
  const int d = std::abs(m.VentX - base);
  if (d < 25) base += base < m.VentX ? -d : d;
  m.CollapseBase = std::clamp(base, 1, kColumns);
  m.NewVentX = m.VentX;
  m.CollapseBasePrev = m.CollapseBase;
  ui.txtCtop.text = sim.kmText(m.VentX);
  ui.txtCbase.text = sim.kmText(m.CollapseBase);
  const float x = static_cast<float>(m.CollapseBase);
  sim.plot().line(x, 605, x, 630, paletteColor(1));
}

std::string styleTitle(Sim& sim, Style s) {
  Model& m = sim.m;
  Controls& ui = sim.ui;
  switch (s) {
    case Style::Lava: return "Hawaiian (Basaltic) Lava Eruption";
    case Style::Dome: return "Peléean (Silicic) Dome Eruption";
    case Style::Stromb:
      m.Strength = std::clamp(m.Strength, 0.1f, 2.0f);
      ui.txtStr.text = format(m.Strength, "0.00");
      return ui.chkCaldDiat.checked ? "Diatreme Eruption" : "Strombolian (Scoria) Eruption";
    case Style::Pfs:
      m.Strength = 1.03f - m.StrengthC;
      ui.txtStr.text = format(m.Strength, "0.00");
      if (!ui.chkCaldDiat.checked) return "Pyroclastic Flow/Surge Eruption";
      return m.StrengthC <= 0.5f ? "Caldera Ignimbrite Eruption (" + ui.CaldStyle.text + ")" : "Diatreme Eruption";
    case Style::Plinian: {
      m.Strength = std::clamp(m.Strength, 0.1f, 1.0f);
      ui.txtStr.text = format(m.Strength, "0.00");
      const float subplinian = ui.mnuOptScaleSmall.checked ? 1.0f : 0.5f;
      if (ui.chkCaldDiat.checked) return "Caldera Plinian Eruption (" + ui.CaldStyle.text + ")";
      return m.Strength < subplinian ? "Subplinian Eruption" : "Plinian (Pumice) Eruption";
    }
    case Style::Fumarole:
      m.Strength = std::clamp(m.Strength, 0.1f, 1.0f);
      ui.txtStr.text = format(m.Strength, "0.00");
      return "Fumaroloic/Phreatic Eruption";
    case Style::Collapse:
      m.Strength = 1.03f - m.StrengthC;
      ui.txtStr.text = format(m.Strength, "0.00");
      placeScarp(sim);
      if (!sim.staticMode() && m.Strength < 0.5f)
        sim.host.message("If Strength <= 0.5, avalanche may unrealistic", MsgIcon::Information, "Magmo");
      return "Sector Collapse Eruption";
    default: return "";
  }
}

std::string eruptTooltip(const Sim& sim, bool collapse) {
  if (!sim.ui.mnuOptHtips.checked) return "";
  if (sim.playback()) return "Click to start playback";
  if (collapse) return "Click to start collapse";
  if (sim.ui.mnuRecRec.checked) return "Click to start eruption/recording";
  return "Click to start eruption";
}

// A checked style item chosen again closes its panel.
void deselect(Sim& sim) {
  clearParams(sim, "");
  sim.ui.statusBar2[1] = "Select Erupt Parameters";
  sim.ui.modeText() = sim.staticMode() ? "Manual Erupt Static)" : "Manual Erupt";
  sim.windowSound("RestoreDown");
}

// With "Save Settings" on, the next start opens in automatic mode when it was chosen last.
void rememberAuto(Sim& sim, bool on) {
  if (sim.ui.mnuOptAdSave.checked) sim.settings.save(kSettingsSection, "AutoErupt", on ? "1" : "0");
}

double clampedKm(const Sim& sim, double km) {
  const double width = sim.m.Scale * 1280 / 1000;
  return std::clamp(km, 0.0, width);
}

}  // namespace

const char* styleKey(Style s) { return info(s).key; }

std::optional<Style> styleFromKey(const std::string& key) {
  for (const auto& i : kStyles)
    if (key == i.key) return i.style;
  return std::nullopt;
}

const MenuItem& styleMenu(const Sim& sim, Style s) { return sim.ui.*info(s).menu; }

void clearParams(Sim& sim, const std::string& key) {
  Controls& ui = sim.ui;
  try {
    for (const auto& i : kStyles) {
      (ui.*i.menu).checked = key == i.key;
      ui.toolbar[i.key].pressed = key == i.key;
    }
    ui.mnuParAuto.checked = ui.toolbar[kAutoKey].pressed = key == kAutoKey;
    ui.Tectonic.visible = ui.Change.visible = false;
    ui.Legend.visible = ui.mnuViewLedg.checked = ui.toolbar["legend"].pressed = true;
    if (!sim.playback()) {
      ui.cmdErupt.caption = "&Erupt";
      ui.cmdErupt.tooltip = eruptTooltip(sim, false);
      ui.cmdErupt.isDefault = ui.cmdErupt.enabled = true;
      ui.toolbar["play"].enabled = true;
      ui.cmdHalt.isDefault = ui.cmdHalt.enabled = false;
      ui.toolbar["halt"].enabled = false;
    }
  } catch (const std::exception& e) {
    sim.reportError("CleaarParams", e);
  }
}

void layOutStyle(Sim& sim, Style s) {
  clearParams(sim, info(s).key);
  if (s == Style::Tectonic)
    layOutTectonic(sim);
  else
    selectPanelStyle(sim, s);
  finishSelection(sim, s);
}

void selectStyle(Sim& sim, Style s) {
  const StyleInfo& style = info(s);
  try {
    if ((sim.ui.*style.menu).checked) {
      deselect(sim);
      return;
    }
    rememberAuto(sim, false);
    layOutStyle(sim, s);
    // With vents placed in plan view, the small map beside the panel picks the next one.
    sim.ui.pan3D.visible = sim.ui.mnuOptMapEnable.checked && sim.ui.mnuOptMap3dPosEnable.checked;
    if (sim.ui.pan3D.visible) plotMapCenter(sim);
    sim.windowSound("RestoreUp");
  } catch (const std::exception& e) {
    sim.reportError(style.menuName, e);
  }
}

void selectAuto(Sim& sim) {
  try {
    if (sim.ui.mnuParAuto.checked) {
      deselect(sim);
      return;
    }
    clearParams(sim, kAutoKey);
    rememberAuto(sim, true);
    layOutAuto(sim);
  } catch (const std::exception& e) {
    sim.reportError("mnuParAuto", e);
  }
}

namespace {

bool readsAsNumber(std::string_view text) {
  const size_t start = text.find_first_not_of(' ');
  if (start == std::string_view::npos) return false;
  text.remove_prefix(start);
  if (text[0] == '+' || text[0] == '-') text.remove_prefix(1);
  if (!text.empty() && text[0] == '.') text.remove_prefix(1);
  return !text.empty() && std::isdigit(static_cast<unsigned char>(text[0]));
}

// A typed value OK had to replace: what was wrong with it and what it became, for the status
// line. Empty when the value was used as typed (rounding to the field's format aside).
std::string adjustment(const char* name, const std::string& typed, double used, double low, double high,
                       const std::string& shown, const char* unit) {
  if (!readsAsNumber(typed)) return std::string(name) + " \"" + typed + "\" is not a number: set to " + shown;
  const double v = val(typed);
  if (v >= low && v <= high && std::abs(v - used) < 1) return "";
  const std::string range = shown.find('.') != std::string::npos ? format(low, "0.00") + " to " + format(high, "0.00")
                                                                 : format(low, "0") + " to " + format(high, "0");
  return std::string(name) + " " + typed + " is outside " + range + unit + ": set to " + shown;
}

}  // namespace

void changeOk(Sim& sim) {
  Model& m = sim.m;
  Controls& ui = sim.ui;
  try {
    ui.ActiveField = "Location";
    if (sim.staticMode()) ui.chkCaldDiat.checked = false;
    const std::string typedLoc = ui.txtLoc.text, typedWind = ui.txtWind.text, typedPart = ui.txtPart.text;
    setVentFromKm(sim, val(ui.txtLoc.text));
    m.Strength = static_cast<float>(std::clamp(val(ui.txtStr.text), -1e6, 1e6));
    ui.txtStr.text = format(m.Strength, "0.00");
    m.StrengthC = std::clamp(1.03f - m.Strength, 0.03f, 0.83f);
    m.Wind = static_cast<float>(std::clamp(val(ui.txtWind.text), -50.0, 50.0));
    ui.txtWind.text = format(m.Wind, "0");
    m.PartCount = std::clamp(intPart(std::clamp(val(ui.txtPart.text), -1e4, 1e4)), 1, kMaxParticles);
    ui.txtPart.text = format(m.PartCount, "0");
    const StyleInfo* style = checkedStyle(ui);
    if (!style) return;
    const std::string title = styleTitle(sim, style->style);
    m.EruptType = style->style;
    std::string notes;
    const float kmPerColumn = m.Scale / 1000;
    for (const std::string& note :
         {adjustment("Location", typedLoc, m.VentKm, kVentMin * kmPerColumn, kVentMax * kmPerColumn, ui.txtLoc.text, " km"),
          adjustment("Wind", typedWind, m.Wind, -50, 50, ui.txtWind.text, " m/s"),
          adjustment("Particles", typedPart, m.PartCount, 1, kMaxParticles, ui.txtPart.text, "")})
      if (!note.empty()) notes += (notes.empty() ? "   (" : "; ") + note;
    ui.statusBar2[1] = title + (notes.empty() ? "" : notes + ")");
    ui.EruptTitle = title;
    ui.cmdErupt.tooltip = eruptTooltip(sim, style->style == Style::Collapse);
    if (!sim.playback()) armRunButtons(ui);
  } catch (const std::exception& e) {
    sim.reportError("ChangeOK", e);
  }
  ui.Command[1].enabled = false;
  ui.pan3D.visible = false;
}

void cancelParams(Sim& sim) {
  clearParams(sim, "");
  sim.ui.Command[1].enabled = false;
  sim.ui.pan3D.visible = false;
  sim.windowSound("RestoreDown");
}

void disarm(Sim& sim) {
  sim.ui.Command[1].enabled = true;
  sim.ui.cmdErupt.enabled = false;
  sim.ui.toolbar["play"].enabled = false;
}

namespace {

// A location being typed: cut to the profile, its column kept for the tick under the profile.
void locationChange(Sim& sim, Field& field, int& column) {
  const double typed = val(field.text);
  const double km = clampedKm(sim, typed);
  if (km != typed) field.text = format(km, "0.00");
  column = cint(km * 1000 / sim.m.Scale);
}

}  // namespace

void txtLocChange(Sim& sim) {
  disarm(sim);
  locationChange(sim, sim.ui.txtLoc, sim.m.NewVentX);
}

void txtCtopChange(Sim& sim) {
  disarm(sim);
  locationChange(sim, sim.ui.txtCtop, sim.m.NewVentX);
}

void txtCbaseChange(Sim& sim) {
  disarm(sim);
  locationChange(sim, sim.ui.txtCbase, sim.m.CollapseBasePrev);
}

void txtTlocChange(Sim& sim) {
  disarmTectonic(sim);
  locationChange(sim, sim.ui.txtTloc, sim.m.NewVentX);
}

void txtStrChange(Sim& sim) {
  disarm(sim);
  const StyleInfo* style = checkedStyle(sim.ui);
  if (!style) return;
  // The default count follows the typed strength.
  const float saved = sim.m.Strength;
  sim.m.Strength = static_cast<float>(std::clamp(val(sim.ui.txtStr.text), -1e6, 1e6));
  defaultParticles(sim, style->style, true);
  sim.m.Strength = saved;
}

void txtStrCommit(Sim& sim) {
  Controls& ui = sim.ui;
  const double s = val(ui.txtStr.text);
  const bool dynamic = !sim.staticMode();
  const StyleInfo* style = checkedStyle(ui);
  if (!style) return;
  switch (style->style) {
    case Style::Stromb:
      ui.chkCaldDiat.enabled = s <= 0.3;
      if (!ui.chkCaldDiat.enabled) ui.chkCaldDiat.checked = false;
      break;
    case Style::Pfs:
      if (!dynamic) break;
      if (s < 0.3 || s >= 0.6) {
        ui.chkCaldDiat.enabled = true;
        ui.chkCaldDiat.caption = s < 0.3 ? "Diatreme" : "Caldera";
      } else {
        clearCaldDiat(ui);
      }
      break;
    case Style::Plinian:
      if (s >= 0.5 && dynamic)
        ui.chkCaldDiat.enabled = true;
      else
        clearCaldDiat(ui);
      break;
    case Style::Fumarole:
      ui.chkFumex.enabled = s >= 0.7 && dynamic;
      if (!ui.chkFumex.enabled) ui.chkFumex.checked = false;
      break;
    default:
      return;
  }
}

void txtPartChange(Sim& sim) {
  disarm(sim);
  sim.m.PartCount = cint(std::clamp(val(sim.ui.txtPart.text), -30000.0, 30000.0));
}

void txtWindChange(Sim& sim) { disarm(sim); }

void chkCaldDiatClick(Sim& sim) {
  disarm(sim);
  sim.ui.CaldStyle.visible = sim.ui.chkCaldDiat.checked && sim.ui.chkCaldDiat.caption == "Caldera";
}

void chkDirectedClick(Sim& sim) { disarm(sim); }
void chkFumexClick(Sim& sim) { disarm(sim); }
void caldStyleChange(Sim& sim) { disarm(sim); }

void fieldGotFocus(Sim& sim, const std::string& focusName) { sim.ui.ActiveField = focusName; }

}  // namespace magmo
