// The Advanced panel: six sliders the style procedures read as they run.
#include <algorithm>
#include <cctype>
#include <initializer_list>

#include "control/Params.h"
#include "model/Numeric.h"
#include "model/Sim.h"

namespace magmo {

namespace {

constexpr int kSliders = 6;

std::string lowerCase(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

void enableSliders(Controls& ui, std::initializer_list<int> sliders) {
  for (int k : sliders) ui.Slider[k].enabled = ui.Label[k].enabled = true;
}

// "Flow length = default" at the default value, else the value itself.
std::string sliderTip(const Sim& sim, int k) {
  struct Tip {
    const char* name;
    int defaultValue;
    const char* atDefault;
  };
  static constexpr Tip tips[kSliders + 1] = {{},
                                             {"Flow length", 6, "default"},
                                             {"Crater size", 6, "default"},
                                             {"Position", 20, "center"},
                                             {"Vent", 6, "center"},
                                             {"Strength growth", 0, "default"},
                                             {"Extrusion rate", 6, "default"}};
  Tip t = tips[k];
  if (k == 4 && sim.ui.mnuParFum.checked) t = {"Frequency", 6, "default"};
  const int v = sim.ui.Slider[k].value;
  return std::string(t.name) + " = " + (v == t.defaultValue ? std::string(t.atDefault) : format(v, "0"));
}

// Setting a slider behaves as the user moving it.
void setSlider(Sim& sim, int k, int value) {
  if (sim.ui.Slider[k].value == value) return;
  sim.ui.Slider[k].value = value;
  sliderChange(sim, k);
}

void closeAdvanced(Controls& ui) {
  ui.Advanced.visible = false;
  ui.Change.visible = true;
}

}  // namespace

void openAdvanced(Sim& sim) {
  Controls& ui = sim.ui;
  try {
    for (int k = 1; k <= kSliders; ++k) ui.Slider[k].enabled = ui.Label[k].enabled = false;
    if (ui.mnuOptMap3dPosEnable.checked) enableSliders(ui, {3});
    if (ui.mnuParStrom.checked) enableSliders(ui, {2, 5});
    if (ui.mnuParPlin.checked || ui.mnuParPfs.checked) {
      enableSliders(ui, {2, 5});
      if (ui.chkCaldDiat.checked && lowerCase(ui.CaldStyle.text) == "valles type") {
        enableSliders(ui, {4});
        ui.Label[4].text = "Left------Vent------Right";
      }
    }
    if (ui.mnuParLava.checked || ui.mnuParDome.checked) enableSliders(ui, {1, 6});
    if (ui.mnuParFum.checked && ui.chkFumex.checked) {
      enableSliders(ui, {2, 4, 5});
      ui.Label[4].text = "Burst Frequency";
    }
    for (int k = 1; k <= kSliders; ++k) ui.SliderSave[k] = ui.Slider[k].value;
    ui.Change.visible = false;
    ui.Advanced.visible = true;
  } catch (const std::exception& e) {
    sim.reportError("Advanced button", e);
  }
}

void acceptAdvanced(Sim& sim) {
  try {
    disarm(sim);
    sim.ui.Command[6].enabled = false;
    closeAdvanced(sim.ui);
  } catch (const std::exception& e) {
    sim.reportError("Advance OK button", e);
  }
}

void cancelAdvanced(Sim& sim) {
  for (int k = 1; k <= kSliders; ++k) setSlider(sim, k, sim.ui.SliderSave[k]);
  closeAdvanced(sim.ui);
}

void defaultSliders(Sim& sim) {
  static constexpr int defaults[kSliders + 1] = {0, 6, 6, 20, 6, 0, 6};
  for (int k = 1; k <= kSliders; ++k) setSlider(sim, k, defaults[k]);
}

void sliderChange(Sim& sim, int slider) {
  if (slider < 1 || slider > kSliders) return;
  sim.ui.Command[6].enabled = true;
  sim.ui.Slider[slider].tooltip = sim.ui.mnuOptHtips.checked ? sliderTip(sim, slider) : "";
}

}  // namespace magmo
