#include "app/batch/BatchRunner.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "app/batch/BatchReport.h"
#include "control/Params.h"
#include "control/RunControl.h"
#include "files/StratFile.h"
#include "model/Reset.h"

namespace magmo::batch {

namespace {

ScaleItem scaleItem(const std::string& name) {
  if (name == "small") return ScaleItem::Small;
  if (name == "large") return ScaleItem::Large;
  return ScaleItem::Normal;
}

GravityItem gravityItem(const std::string& name) {
  static const std::map<std::string, GravityItem> items = {
      {"earth", GravityItem::Earth}, {"venus", GravityItem::Venus}, {"mars", GravityItem::Mars},
      {"moon", GravityItem::Moon},   {"2x", GravityItem::X2},       {"4x", GravityItem::X4},
      {"8x", GravityItem::X8}};
  auto it = items.find(name);
  return it == items.end() ? GravityItem::User : it->second;
}

}  // namespace

BatchRunner::BatchRunner(const Paths& paths, std::ostream& report) : sim_(host_, settings_), report_(report) {
  sim_.paths = paths;
  clearVar(sim_);
}

BatchRunner::~BatchRunner() { discardStaged(); }

void BatchRunner::run(const Options& options) {
  for (const Action& a : options.actions) act(a, options.maps);
  commitStaged();
  report_ << reportText_;
}

void BatchRunner::act(const Action& a, bool maps) {
  switch (a.kind) {
    case Action::Scale:
      changeScale(sim_, scaleItem(a.text));
      break;
    case Action::Zoom:
      host_.zoomAnswer = std::to_string(a.number);
      break;
    case Action::Gravity:
      host_.gravityAnswer = a.text;
      selectGravity(sim_, gravityItem(a.text));
      break;
    case Action::Seed:
      sim_.rnd.fixSeed(static_cast<uint64_t>(a.number));
      break;
    case Action::Load:
      load(a.text);
      break;
    case Action::Static:
      mnuParStaticClick(sim_);
      break;
    case Action::Erupt:
      erupt(a.phase);
      break;
    case Action::Auto:
      autoCycles(static_cast<int>(a.number));
      break;
    case Action::Save:
      try {
        writeStratFile(sim_.m, stage(a.text), maps);
      } catch (const std::exception& e) {
        throw BatchError("cannot write '" + a.text + "': " + e.what());
      }
      break;
    case Action::Png:
      if (!host_.canvas().savePng(QString::fromStdString(stage(a.text))))
        throw BatchError("cannot write '" + a.text + "'");
      break;
    case Action::Report:
      reportText_ += layerReport(sim_, phases_);
      break;
  }
}

void BatchRunner::load(const std::string& path) {
  if (!std::ifstream(path)) throw BatchError("cannot read '" + path + "'");
  host_.fileAnswer = std::filesystem::absolute(path).string();
  const bool read = fileOpenTopo(sim_);
  host_.fileAnswer.clear();
  if (!read) throw BatchError("'" + path + "' is not a readable stratigraphic file");
  phases_.clear();
}

void BatchRunner::erupt(const Phase& p) {
  const bool tectonic = p.style == "fault" || p.style == "erosion";
  Style style = Style::Tectonic;
  if (!tectonic) styleFromKey(p.style, style);
  // Choosing the style afresh lays out its panel even when it is still checked from before.
  if (styleChecked(sim_, style)) selectStyle(sim_, style);
  selectStyle(sim_, style);
  if (tectonic) {
    fillTectonicPanel(p);
    tectonicOk(sim_);
  } else {
    fillPanel(p);
    changeOk(sim_);
  }
  if (!sim_.ui.cmdErupt.enabled) throw BatchError("--erupt " + p.style + ": the Erupt command is not available");
  if (p.bursts || p.cycles) {
    host_.onYield = [this, bursts = p.bursts.value_or(0), cycles = p.cycles.value_or(0)] {
      const Model& m = sim_.m;
      const bool reached = (bursts > 0 && m.BurstCount >= bursts) || (cycles > 0 && m.ErodeCycles >= cycles);
      if (reached && m.RunStop != 2) cmdHaltClick(sim_);
    };
  }
  cmdEruptClick(sim_);
  host_.onYield = nullptr;
  if (!sim_.staticMode() && !tectonic) phases_[sim_.m.LayerCount] = {sim_.m.EruptHours, sim_.m.EruptVolume};
}

void BatchRunner::autoCycles(int cycles) {
  if (!styleChecked(sim_, Style::Auto)) selectStyle(sim_, Style::Auto);
  // The user's Pause and Stop as the cycle after the last wanted one begins, so every
  // wanted phase runs to its natural end and no further one starts.
  host_.onYield = [this, cycles] {
    if (sim_.ui.AutoCyclesBegun > cycles && sim_.m.RunStop != 2) cmdHaltClick(sim_);
  };
  cmdEruptClick(sim_);
  host_.onYield = nullptr;
}

namespace {

// Types a value into a panel field as the user would; a field the style does not use is an error.
void type(Sim& sim, Field& field, const std::optional<std::string>& text, void (*changed)(Sim&),
          const char* option, const std::string& style) {
  if (!text) return;
  if (!field.enabled || !field.visible) throw BatchError(std::string(option) + " is not a field of " + style);
  field.text = *text;
  changed(sim);
}

void check(Sim& sim, CheckBox& box, const char* caption, void (*clicked)(Sim&), const char* option) {
  if (!box.enabled || !box.visible || (caption && box.caption != caption))
    throw BatchError(std::string(option) + ": the box is not available with these parameters (strength " +
                     sim.ui.txtStr.text + ")");
  box.checked = true;
  clicked(sim);
}

}  // namespace

void BatchRunner::fillPanel(const Phase& p) {
  Controls& ui = sim_.ui;
  if (p.magnitude || p.dip || p.down || p.cycles) throw BatchError("--erupt " + p.style + ": a tectonic option");
  type(sim_, ui.txtLoc, p.location, txtLocChange, "--location", p.style);
  type(sim_, ui.txtStr, p.strength, txtStrChange, "--strength", p.style);
  type(sim_, ui.txtWind, p.wind, txtWindChange, "--wind", p.style);
  type(sim_, ui.txtPart, p.particles, txtPartChange, "--particles", p.style);
  type(sim_, ui.txtCtop, p.top, txtCtopChange, "--top", p.style);
  type(sim_, ui.txtCbase, p.base, txtCbaseChange, "--base", p.style);
  if (p.diatreme) check(sim_, ui.chkCaldDiat, "Diatreme", chkCaldDiatClick, "--diatreme");
  if (p.caldera) {
    check(sim_, ui.chkCaldDiat, "Caldera", chkCaldDiatClick, "--caldera");
    ui.CaldStyle.text = *p.caldera == "mazama" ? "Mazama Type" : "Valles Type";
    caldStyleChange(sim_);
  }
  if (p.directed) check(sim_, ui.chkDirected, nullptr, chkDirectedClick, "--directed");
  if (p.explosions) check(sim_, ui.chkFumex, nullptr, chkFumexClick, "--explosions");
  setSliders(p);
}

void BatchRunner::fillTectonicPanel(const Phase& p) {
  Controls& ui = sim_.ui;
  if (p.strength || p.wind || p.particles || p.top || p.base || p.caldera || p.diatreme || p.directed ||
      p.explosions)
    throw BatchError("--erupt " + p.style + ": an eruption option");
  if (p.style == "fault")
    opFaultClick(sim_);
  else
    opErodeClick(sim_);
  type(sim_, ui.txtTloc, p.location, txtTlocChange, "--location", p.style);
  type(sim_, ui.txtMag, p.magnitude, txtMagChange, "--magnitude", p.style);
  type(sim_, ui.txtDip, p.dip, txtDipChange, "--dip", p.style);
  if (p.down) {
    if (!ui.Down.enabled) throw BatchError("--down: a dipping fault's side follows its dip");
    ui.Down.text = *p.down == "left" ? "Left side down" : "Right side down";
    downChange(sim_);
  }
  setSliders(p);
}

void BatchRunner::setSliders(const Phase& p) {
  for (auto [number, value] : p.sliders) {
    SliderControl& s = sim_.ui.Slider[number];
    s.value = std::clamp(value, s.min, s.max);
    sliderChange(sim_, number);
  }
}

std::string BatchRunner::stage(const std::string& target) {
  const std::string temp = target + ".magmo-batch-" + std::to_string(staged_.size());
  staged_.emplace_back(temp, target);
  return temp;
}

void BatchRunner::commitStaged() {
  for (auto it = staged_.begin(); it != staged_.end(); ++it) {
    std::error_code ec;
    std::filesystem::rename(it->first, it->second, ec);
    if (ec) throw BatchError("cannot write '" + it->second + "': " + ec.message());
  }
  staged_.clear();
}

void BatchRunner::discardStaged() {
  for (const auto& [temp, target] : staged_) std::remove(temp.c_str());
  staged_.clear();
}

}  // namespace magmo::batch
