#include "app/batch/BatchRunner.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

#include <QBuffer>
#include <QImage>

#include "app/ColumnCanvas.h"
#include "app/PictureImage.h"
#include "app/batch/BatchReport.h"
#include "control/DemCommands.h"
#include "control/MapCommands.h"
#include "control/MapPrecision.h"
#include "control/NewFile.h"
#include "control/Params.h"
#include "control/Playback.h"
#include "control/ProfileCommands.h"
#include "control/RecordMenu.h"
#include "control/Reset.h"
#include "control/RunControl.h"
#include "control/StratCommands.h"
#include "control/Undo.h"
#include "formats/DemFile.h"
#include "formats/RecordFile.h"
#include "formats/StatisticsCsv.h"
#include "formats/StratFile.h"
#include "formats/TerrainPlacement.h"
#include "gis/GdalTerrain.h"
#include "model/Numeric.h"
#include "model/SimError.h"
#include "textio/FileNames.h"
#include "views/Bitmap.h"
#include "views/Column.h"
#include "views/MapView.h"
#include "views/Topo3D.h"

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

bool writesFile(Action::Kind kind) {
  for (Action::Kind k : {Action::Save, Action::Png, Action::SaveDem, Action::Record, Action::MapPng, Action::ReliefPng,
                         Action::ColumnPng, Action::Export3d, Action::StatsCsv})
    if (kind == k) return true;
  return false;
}

MapPrecision mapPrecision(const std::string& name) {
  return name == "low" ? MapPrecision::Low : name == "high" ? MapPrecision::High : MapPrecision::Normal;
}

std::string pngBytes(const RgbImage& picture) {
  const QImage image = imageOf(picture);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) throw SimError("the picture cannot be made into a PNG");
  return bytes.toStdString();
}

bool isPngName(const std::string& name) {
  return QString::fromStdString(name).endsWith(".png", Qt::CaseInsensitive);
}

// A command the window has disabled is refused, as the user could not choose it either.
void require(const Sim& sim, const MenuItem& item, const std::string& option) {
  if (!item.enabled)
    throw BatchError(option + ": not available" + (sim.staticMode() ? " in static mode" : " now"));
}

std::string joined(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& n : names) text += (text.empty() ? "'" : ", '") + n + "'";
  return text;
}

}  // namespace

BatchRunner::BatchRunner(const Paths& paths, std::ostream& report) : sim_(host_, settings_), report_(report) {
  sim_.paths = paths;
  clearVar(sim_);
}

BatchRunner::~BatchRunner() = default;

void BatchRunner::run(const Options& options) {
  for (const Action& a : options.actions)
    if (writesFile(a.kind)) BatchOutputs::check(a.text);
  try {
    for (const Action& a : options.actions) {
      act(a, options);
      if (const std::string failure = host_.takeFailure(); !failure.empty()) throw BatchError(failure);
    }
    for (const std::string& target : recordTargets_) writeRecord(target);
  } catch (const std::exception& e) {
    const std::vector<std::string> left = outputs_.restore();
    if (left.empty()) throw BatchError(e.what());
    throw BatchError(std::string(e.what()) + "; written before the error and not taken back: " + joined(left));
  }
  outputs_.keep();
  report_ << reportText_;
}

void BatchRunner::act(const Action& a, const Options& options) {
  switch (a.kind) {
    case Action::Scale:
      changeScale(sim_, scaleItem(a.text));
      break;
    case Action::Exaggeration:
      selectExaggeration(sim_, static_cast<int>(a.number));
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
      load(a.text, options.dem);
      break;
    case Action::Static:
      require(sim_, sim_.ui.mnuParStatic, "--static");
      mnuParStaticClick(sim_);
      break;
    case Action::Erupt:
      erupt(a.phase);
      break;
    case Action::Auto:
      autoCycles(static_cast<int>(a.number));
      break;
    case Action::Save:
      write(a.text, [this] { return stratFileText(sim_.m, sim_.ui.mnuOptMapEnable.checked); });
      break;
    case Action::Png:
      write(a.text, [this] { return host_.canvas().png().toStdString(); });
      break;
    case Action::Report:
      reportText_ += layerReport(sim_.m);
      break;
    case Action::StatsCsv:
      write(a.text, [this] { return layerStatisticsCsv(sim_.m); });
      break;
    case Action::Play:
      play(a.text, static_cast<int>(a.number));
      break;
    case Action::Record:
      require(sim_, sim_.ui.mnuRecRec, "--record");
      if (!sim_.ui.mnuRecRec.checked) mnuRecRecClick(sim_);
      recordTargets_.push_back(a.text);
      break;
    case Action::SaveDem:
      write(a.text, [&] {
        const std::optional<TerrainFormat> gis = terrainFormatOf(a.text);
        return gis ? gis::terrainFileBytes(mapTerrain(sim_.m), *gis, a.text) : demFileText(sim_.m);
      });
      break;
    case Action::Undo:
      undo();
      break;
    case Action::New:
      fileNew(sim_);
      break;
    case Action::Maps:
      if (!sim_.ui.mnuOptMapEnable.checked) mnuOptMapEnableClick(sim_);
      break;
    case Action::MapPrecision:
      requireMaps("--map-precision");
      selectMapPrecision(sim_, mapPrecision(a.text));
      break;
    case Action::Map3d:
      requireMaps("--map-3d");
      if (!sim_.ui.mnuOptMap3dPosEnable.checked) mnuOptMap3dPosClick(sim_);
      break;
    case Action::MapPng:
      requireMaps("--map-png");
      // Maps switched on before any layer have no picture yet; View > Map draws it.
      write(a.text, [this] {
        if (sim_.pictures.map.empty()) drawMap(sim_);
        return pngBytes(sim_.pictures.map);
      });
      break;
    case Action::ReliefPng:
      reliefPng(a.text, a.view);
      break;
    case Action::ColumnPng:
      columnPng(a.text, a.view.columnAt);
      break;
    case Action::Export3d:
      requireMaps("--export-3d");
      write(a.text, [&] {
        const RgbImage image = topo3DImage(sim_.m, numVal(sim_.ui.Map.txtBase.text) / sim_.m.Scale);
        return isPngName(a.text) ? pngBytes(image) : bmpBytes(image);
      });
      break;
  }
}

void BatchRunner::requireMaps(const std::string& option) const {
  if (!sim_.ui.mnuOptMapEnable.checked) throw BatchError(option + ": maps are off (give --maps before it)");
}

// As the Map window's fields and option buttons: a base above the highest ground comes back halved.
void BatchRunner::reliefPng(const std::string& target, const PlanView& view) {
  requireMaps("--relief-png");
  sim_.ui.Map.txtBase.text = view.base;
  sim_.ui.Map.txtContrast.text = view.contrast;
  mapOptionClick(sim_, view.relief);
  if (const std::string failure = host_.takeFailure(); !failure.empty()) throw BatchError(failure);
  write(target, [this] { return pngBytes(sim_.pictures.topo); });
}

void BatchRunner::columnPng(const std::string& target, const std::string& at) {
  double km = 0;
  std::from_chars(at.data(), at.data() + at.size(), km);  // checked as a number when parsed
  const double width = kColumns * sim_.m.Scale / 1000.0;
  if (!(km >= 0 && km <= width))
    throw BatchError("--column-at: " + at + " km is outside the profile (0 to " + format(width, "0.00") + " km)");
  write(target, [&] {
    ColumnCanvas canvas(QSize(400, 800));
    plotStrat(sim_.m, sim_.m.Scale, static_cast<float>(km), canvas);
    return canvas.png().toStdString();
  });
}

// The text is built first, so a value that cannot be stored leaves the file as it was.
void BatchRunner::write(const std::string& target, const std::function<std::string()>& text) {
  std::string content;
  try {
    content = text();
  } catch (const SimError& e) {
    throw BatchError("cannot write '" + target + "': " + e.what());
  }
  outputs_.write(target, content);
}

// The reader's own message says what is wrong where; an abandoned import has none.
void BatchRunner::refuseInput(const std::string& path, const std::string& kind) {
  const std::string failure = host_.takeFailure();
  throw BatchError(!failure.empty() ? failure : "'" + path + "' is not a readable " + kind + " file");
}

void BatchRunner::load(const std::string& path, const DemLayout& dem) {
  if (!std::ifstream(path)) throw BatchError("cannot read '" + path + "'");
  if (fileTitle(path).ends_with(".dem") || fileTitle(path).ends_with(".DEM") || gis::isTerrainFile(path))
    return loadDem(path, dem);
  host_.fileAnswer = std::filesystem::absolute(path).string();
  const bool read = fileOpenTopo(sim_) != LoadResult::Failed;
  host_.fileAnswer.clear();
  if (!read) refuseInput(path, "stratigraphic");
}

void BatchRunner::loadDem(const std::string& path, const DemLayout& dem) {
  host_.dem = dem;
  host_.demLayoutMissing = false;
  host_.fileAnswer = std::filesystem::absolute(path).string();
  const bool read = fileOpenDEM(sim_);
  host_.fileAnswer.clear();
  if (host_.demLayoutMissing)
    throw BatchError("'" + path + "' is a foreign DEM: give --dem-vector or --dem-raster ROWS,COLS,SPACING");
  if (!read) refuseInput(path, "DEM");
}

// A record names its stratigraphic file, so both are checked before the model is touched;
// each further loop is a further press of Playback, which starts again from that file.
void BatchRunner::play(const std::string& path, int loops) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw BatchError("cannot read '" + path + "'");
  RecordHeader header;
  auto table = std::make_unique<PhaseTable>();
  auto bursts = std::make_unique<BurstTable>();
  int phasesRead = 0;
  try {
    readRecordText(in, header, *table, *bursts, phasesRead);
  } catch (const SimError& e) {
    throw BatchError("'" + path + "' is not a readable record file: " + e.what());
  }
  const std::string start = locateRecordStrat(sim_, header.strFileName);
  if (!start.empty() && !std::ifstream(start))
    throw BatchError("'" + path + "' starts from '" + header.strFileName + "', which cannot be read");
  host_.fileAnswer = std::filesystem::absolute(path).string();
  fileOpenRec(sim_);
  host_.fileAnswer.clear();
  if (!sim_.ui.mnuRecPlay.checked) throw BatchError("'" + path + "' could not be armed for playback");
  for (int loop = 0; loop < loops; ++loop) cmdEruptClick(sim_);
}

void BatchRunner::writeRecord(const std::string& target) {
  const Model& m = sim_.m;
  write(target, [&] { return recordFileText({sim_.ui.StrFileName, m.Scale, m.RecCount}, m.RecTable, m.RecBurst); });
}

void BatchRunner::undo() {
  if (!sim_.ui.mnuParUndo.enabled) throw BatchError("--undo: nothing to undo");
  mnuParUndoClick(sim_);
}

void BatchRunner::erupt(const Phase& p) {
  const bool tectonic = p.style == "fault" || p.style == "erosion";
  const Style style = tectonic ? Style::Tectonic : styleFromKey(p.style).value_or(Style::Stromb);
  if (sim_.ui.mnuRecPlay.checked) mnuRecPlayClick(sim_);  // Erupt would replay the record
  require(sim_, styleMenu(sim_, style), "--erupt " + p.style);
  // Choosing the style afresh lays out its panel even when it is still checked from before.
  if (styleMenu(sim_, style).checked) selectStyle(sim_, style);
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
      if (reached && m.RunStop != RunState::Stopping) cmdHaltClick(sim_);
    };
  }
  cmdEruptClick(sim_);
  host_.onYield = nullptr;
}

void BatchRunner::autoCycles(int cycles) {
  require(sim_, sim_.ui.mnuParAuto, "--auto");
  if (!sim_.autoMode()) selectAuto(sim_);
  // The user's Pause and Stop as the cycle after the last wanted one begins, so every
  // wanted phase runs to its natural end and no further one starts.
  host_.onYield = [this, cycles] {
    if (sim_.ui.AutoCyclesBegun > cycles && sim_.m.RunStop != RunState::Stopping) cmdHaltClick(sim_);
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

void untick(Sim& sim, CheckBox& box, void (*clicked)(Sim&)) {
  if (!box.checked) return;
  box.checked = false;
  clicked(sim);
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
  if (p.strength) txtStrCommit(sim_);
  type(sim_, ui.txtWind, p.wind, txtWindChange, "--wind", p.style);
  type(sim_, ui.txtPart, p.particles, txtPartChange, "--particles", p.style);
  type(sim_, ui.txtCtop, p.top, txtCtopChange, "--top", p.style);
  type(sim_, ui.txtCbase, p.base, txtCbaseChange, "--base", p.style);
  // A box the command line does not name is unticked, whatever an earlier phase ticked.
  if (!p.diatreme && !p.caldera) untick(sim_, ui.chkCaldDiat, chkCaldDiatClick);
  if (!p.directed) untick(sim_, ui.chkDirected, chkDirectedClick);
  if (!p.explosions) untick(sim_, ui.chkFumex, chkFumexClick);
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

}  // namespace magmo::batch
