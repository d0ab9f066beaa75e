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
  Style style;
  styleFromKey(p.style, style);
  // Choosing the style afresh lays out its panel even when it is still checked from before.
  if (styleChecked(sim_, style)) selectStyle(sim_, style);
  selectStyle(sim_, style);
  fillPanel(p);
  changeOk(sim_);
  if (!sim_.ui.cmdErupt.enabled) throw BatchError("--erupt " + p.style + ": the Erupt command is not available");
  if (p.bursts) {
    const int last = *p.bursts;
    host_.onYield = [this, last] {
      if (sim_.m.BurstCount >= last && sim_.m.RunStop != 2) cmdHaltClick(sim_);
    };
  }
  cmdEruptClick(sim_);
  host_.onYield = nullptr;
  if (!sim_.staticMode()) phases_[sim_.m.LayerCount] = {sim_.m.EruptHours, sim_.m.EruptVolume};
}

void BatchRunner::fillPanel(const Phase& p) {
  Controls& ui = sim_.ui;
  const auto type = [&](Field& field, const std::optional<std::string>& text, void (*changed)(Sim&)) {
    if (!text) return;
    field.text = *text;
    changed(sim_);
  };
  type(ui.txtLoc, p.location, txtLocChange);
  type(ui.txtStr, p.strength, txtStrChange);
  type(ui.txtWind, p.wind, txtWindChange);
  type(ui.txtPart, p.particles, txtPartChange);
  if (p.diatreme) {
    if (!ui.chkCaldDiat.enabled)
      throw BatchError("--diatreme: the " + ui.chkCaldDiat.caption + " box is not available at strength " +
                       ui.txtStr.text);
    ui.chkCaldDiat.checked = true;
    chkCaldDiatClick(sim_);
  }
  for (auto [number, value] : p.sliders) {
    SliderControl& s = ui.Slider[number];
    s.value = std::clamp(value, s.min, s.max);
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
