#include "files/StratFile.h"

#include <filesystem>
#include <fstream>
#include <optional>

#include "control/RunControl.h"
#include "files/FieldReader.h"
#include "files/FieldWriter.h"
#include "files/FileAdoption.h"
#include "files/FileNames.h"
#include "files/ReplaceFile.h"
#include "model/Numeric.h"
#include "model/Reset.h"
#include "model/Sim.h"
#include "record/RecordFile.h"
#include "views/Profile.h"

namespace magmo {

namespace {

constexpr int kVersion2Mark = 2000, kVersion3Mark = 3000;
constexpr int kValuesPerLine = 20;
constexpr int kMapLastRow = 600;  // the map section covers rows 1..600
constexpr const char* kAppTitle = "Magmo";
// Far beyond any section (600 units high); larger values would stall the slope relaxation.
constexpr float kHeightLimit = 1e6f;

const std::string kRule19(19, '-'), kRule28(28, '-');

bool isFactoryFile(const Sim& sim, const std::string& name) {
  return isDataFile(sim, name, "Magmo3.str") || isDataFile(sim, name, "MagmoDemo.str");
}

std::string withStrExtension(const std::string& name) { return withExtension(name, ".str"); }

// ---- writer

void appendLayer(FieldWriter& w, const Model& m, int k) {
  w.endLine();
  w.text(kRule19 + " Strat layer number: " + generalNumber(k) + " of " + generalNumber(m.LayerCount) + " " + kRule28);
  w.endLine();
  w.endLine();
  w.line(m.LayerVentX[k], m.LayerBase[k], m.LayerColor[k], m.LayerMapY[k], m.LayerMapA[k], m.LayerMapB[k],
         m.LayerMapC[k], m.LayerMapD[k], m.LayerWind[k], m.LayerCaldera[k], m.LayerCaldL[k], m.LayerCaldR[k]);
  for (int x = 1; x <= kColumns; ++x) {
    w.field(m.Strat(k, x));
    if (x % kValuesPerLine == 0) w.endLine();
  }
}

void appendMap(FieldWriter& w, const Model& m) {
  w.endLine();
  w.text(kRule19 + " Final 3D Topo " + kRule28);
  w.endLine();
  w.endLine();
  for (int x = 2; x <= kColumns; x += 2)
    for (int y = 2; y <= kMapLastRow; y += 2) {
      w.field(m.mapGrid(x, y));
      if ((y / 2) % kValuesPerLine == 0) w.endLine();
    }
}

std::string stratFileText(const Model& m, bool withMap) {
  if (m.LayerCount < 0 || m.LayerCount > kMaxLayers) throw SimError("Layer count out of range");
  FieldWriter w;
  w.reserve(static_cast<size_t>(m.LayerCount + 1) * kColumns * 12 + (withMap ? 2'500'000 : 0));
  w.line(m.LayerCount + kVersion3Mark, m.VentX, m.Scale);
  w.line(m.AltPfs, m.AltStromb, m.AltLava, m.AltDome, m.AltPlin);
  for (int k = 1; k <= m.LayerCount; ++k) appendLayer(w, m, k);
  if (withMap) appendMap(w, m);
  return w.str();
}

// ---- reader

// Map style code of a layer from its colour; other colours leave the code as it was.
void setMapCode(Model& m, int k) {
  switch (m.LayerColor[k]) {
    case 7: case 8: m.MapOn = 1; break;
    case 2: case 10: m.MapOn = 2; break;
    case 12: case 13: m.MapOn = 3; break;
    case 4: case 6: m.MapOn = 4; break;
    case 9: case 11: m.MapOn = 5; break;
    case 15: m.MapOn = 6; break;
    case 14: m.MapOn = 8; break;
    default: break;
  }
  if (m.LayerVentX[k] == 0) m.MapOn = -1;
}

// Reads one file into a copy of the model, which replaces the model only when the file was
// read completely or the user cancelled between layers; a damaged file changes nothing.
class StratReader {
 public:
  StratReader(Sim& sim, const std::string& name, std::istream& in)
      : sim_(sim), in_(in), staged_(sim.m), isDefault_(name.ends_with("Magmo3.str")),
        isDemo_(name.ends_with("MagmoDemo.str")) {}

  // True when every layer was read, false when the user cancelled; throws SimError on bad data.
  bool read() {
    readHeader();
    const bool complete = readLayers();
    if (complete && withMap()) readMapSection();
    commit();
    return complete;
  }

 private:
  bool withMap() const { return version_ == 3 && (sim_.ui.mnuOptMapEnable.checked || isDemo_); }

  void readHeader() {
    const int n = in_.integer();
    version_ = n >= kVersion3Mark ? 3 : n > kVersion2Mark ? 2 : 1;
    // A count of 0 is stored as 3000: that is version 3, as no version-2 file holds 1000 layers.
    count_ = n - (version_ == 3 ? kVersion3Mark : version_ == 2 ? kVersion2Mark : 0);
    if (count_ < 0 || count_ > kMaxLayers)
      throw SimError("Layer count " + std::to_string(count_) + " out of range 0.." + std::to_string(kMaxLayers));
    // Versions 1 and 2 kept the current vent at half resolution.
    const int factor = version_ == 3 ? 1 : 2;
    staged_.VentX = in_.integer(0, kColumns / factor, "Vent column") * factor;
    if (version_ == 3) {
      const float scale = in_.single();
      // The default file keeps whatever scale the user has chosen.
      if (!isDefault_) {
        if (!(scale > 0)) throw SimError("Scale " + generalNumber(scale) + " is not a positive number");
        storedScale_ = scale;
      }
    }
    for (int* alt : {&staged_.AltPfs, &staged_.AltStromb, &staged_.AltLava, &staged_.AltDome, &staged_.AltPlin})
      *alt = in_.integer();
  }

  bool readLayers() {
    staged_.LayerCount = 0;
    for (int k = 1; k <= count_; ++k) {
      if (version_ == 3)
        readAttributes(k);
      else
        readOldAttributes(k);
      readTops(k);
      if (version_ == 3) setMapCode(staged_, k);
      staged_.LayerCount = k;
      if (sim_.m.RunStop == 1) return false;
    }
    return true;
  }

  void readAttributes(int k) {
    Model& m = staged_;
    in_.skip();  // empty line
    in_.skip();  // layer title
    in_.skip();  // empty line
    m.LayerVentX[k] = in_.integer(0, kColumns, "Vent column");
    m.LayerBase[k] = in_.single(kHeightLimit, "Layer base");
    m.LayerColor[k] = in_.integer(0, 15, "Layer colour");
    m.LayerMapY[k] = in_.integer(0, kMapRows, "Map row");
    for (float* v : {&m.LayerMapA[k], &m.LayerMapB[k], &m.LayerMapC[k], &m.LayerMapD[k], &m.LayerWind[k],
                     &m.LayerCaldera[k]})
      *v = in_.single();
    m.LayerCaldL[k] = in_.integer(0, kColumns, "Caldera column");
    m.LayerCaldR[k] = in_.integer(0, kColumns, "Caldera column");
  }

  // Version 1 stored the layers' vent columns at half resolution too; version 2 did not.
  void readOldAttributes(int k) {
    Model& m = staged_;
    const int factor = version_ == 1 ? 2 : 1;
    m.LayerVentX[k] = in_.integer(0, kColumns / factor, "Vent column") * factor;
    m.LayerBase[k] = in_.single(kHeightLimit, "Layer base");
    m.LayerColor[k] = in_.integer(0, 15, "Layer colour");
  }

  // Version 1 stored every other column; the column after each stored one takes its value.
  void readTops(int k) {
    const int step = version_ == 1 ? 2 : 1;
    for (int x = 1; x <= kColumns; x += step) {
      const float v = in_.single(kHeightLimit, "Height");
      staged_.Strat(k, x) = v;
      if (step == 2) staged_.Strat(k, x + 1) = v;
      const int done = x + step - 1;
      if (done % kValuesPerLine == 0) showProgress(k, done - kValuesPerLine + 1);
    }
  }

  void showProgress(int k, int x) {
    sim_.ui.pBarValue = static_cast<int>(100.0 * k * x / (static_cast<double>(count_) * kColumns));
    sim_.host.yield();
  }

  // A short or damaged map section ends the map at the column reached; it is no error.
  void readMapSection() {
    Model& m = staged_;
    try {
      in_.skip();  // empty line
      in_.skip();  // section title
      in_.skip();  // empty line
      for (int x = 2; x <= kColumns; x += 2) {
        for (int y = 2; y <= kMapLastRow; y += 2) m.mapGrid(x, y) = in_.single(kHeightLimit, "Height");
        for (int y = 2; y <= kMapLastRow; y += 2) m.mapGrid(x, y - 1) = m.mapGrid(x - 1, y - 1) = m.mapGrid(x, y);
      }
    } catch (const SimError&) {
    }
  }

  void commit() {
    sim_.m = std::move(staged_);
    Model& m = sim_.m;
    // A cancelled load must not leave the run looking paused.
    m.RunStop = 0;
    if (storedScale_) applyStoredScale(sim_, *storedScale_);
    if (isDemo_ && version_ == 3) enableDemoMaps(sim_.ui);
    for (int x = 1; x <= kColumns; ++x) m.Topo[x] = m.Strat(m.LayerCount, x);
    m.VentKm = m.VentX * m.Scale / 1000;
    showVentLocation(sim_);
    sim_.host.yield();
  }

  Sim& sim_;
  FieldReader in_;
  Model staged_;
  const bool isDefault_, isDemo_;
  int version_ = 3;
  int count_ = 0;
  std::optional<float> storedScale_;
};

// ---- commands

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

void offerLoadCancel(Controls& ui) {
  ui.cmdHalt.caption = "&Cancel";
  ui.cmdHalt.tooltip = ui.mnuOptHtips.checked ? "Click to stop file load" : "";
  ui.cmdHalt.enabled = true;
  ui.toolbar["halt"].enabled = true;
}

void restoreHaltButton(Controls& ui) {
  ui.cmdHalt.caption = "&Pause";
  ui.cmdHalt.tooltip = ui.mnuOptHtips.checked ? "Click to pause/stop eruption" : "";
  ui.cmdHalt.enabled = false;
  ui.toolbar["halt"].enabled = false;
}

}  // namespace

void writeStratFile(const Model& m, const std::string& path, bool withMap) {
  replaceFile(path, stratFileText(m, withMap));
}

void fileSaveTopo(Sim& sim) {
  Controls& ui = sim.ui;
  ui.toolbar["save"].pressed = true;
  try {
    if (const std::optional<std::string> name = chooseSaveName(sim)) {
      ui.statusBar2[1] = "Saving Stratigraphic File:  " + *name;
      writeStratFile(sim.m, *name, ui.mnuOptMapEnable.checked);
      // The name becomes current only once the file really holds the simulation.
      ui.StrFileName = *name;
      ui.statusBar1[3] = dropLastFour(fileTitle(*name));
      ui.statusBar2[1] = "Stratigraphic File:  " + fileTitle(*name) + " Saved";
    }
  } catch (const std::exception& e) {
    sim.reportError("Strat file save", e);
  }
  ui.toolbar["save"].pressed = false;
}

void mnuFileSaveClick(Sim& sim) {
  Controls& ui = sim.ui;
  ui.mnuFileSave.enabled = false;
  ui.toolbar["save"].pressed = true;
  const std::string name = ui.StrFileName;
  if (ui.RecLoaded) {
    saveOpenRecord(sim);
  } else if (name.empty() || isFactoryFile(sim, name)) {
    fileSaveTopo(sim);
  } else {
    try {
      ui.statusBar2[1] = "Saving Stratigraphic File:  " + name;
      writeStratFile(sim.m, name, ui.mnuOptMapEnable.checked);
      ui.statusBar2[1] = "Stratigraphic File:  " + name + " Saved";
    } catch (const std::exception& e) {
      sim.reportError("mnuFileSave", e);
    }
  }
  ui.toolbar["save"].pressed = false;
  ui.mnuFileSave.enabled = true;
}

bool fileOpenTopo(Sim& sim) {
  Controls& ui = sim.ui;
  ui.toolbar["open"].pressed = true;
  bool read = false;
  try {
    const FileDialog dialog{"Open Stratigraphic File",
                            "Stratigraphic Files (*.str)|*.str;*.STR|Topographic Files (*.top)|*.top;*.TOP|", "",
                            ui.StrFileName.empty() ? "" : withStrExtension(ui.StrFileName)};
    if (const std::optional<std::string> name = sim.host.openFileName(dialog)) {
      clearVar(sim, true);
      ui.recordFlag = false;
      ui.StrFileName = *name;
      ui.statusBar1[3] = samePath(*name, sim.paths.defaultStrat()) ? "Default" : dropLastFour(fileTitle(*name));
      ui.statusBar2[1] = "Opening Stratigraphic File:  " + fileTitle(*name);
      menuAct(sim, false);
      if (ui.mnuOptMapEnable.checked) offerLoadCancel(ui);
      read = fileReadStrat(sim);
      restoreHaltButton(ui);
      menuAct(sim, true);
      screenRefresh(sim, false);
    }
  } catch (const std::exception& e) {
    sim.reportError("FileOpenTopo", e);
    read = false;
  }
  ui.toolbar["open"].pressed = false;
  return read;
}

bool readStratStream(Sim& sim, const std::string& name, std::istream& in) {
  return StratReader(sim, name, in).read();
}

bool fileReadStrat(Sim& sim) {
  const std::string name = sim.ui.StrFileName;
  std::error_code ec;
  if (name.empty() || !std::filesystem::is_regular_file(name, ec)) {
    sim.ui.pBarVisible = false;
    return false;
  }
  sim.ui.pBarVisible = true;
  sim.ui.pBarValue = 0;
  bool complete = false;
  try {
    std::ifstream file(name, std::ios::binary);
    if (!file) throw SimError("Cannot open the file");
    complete = readStratStream(sim, name, file);
  } catch (const std::exception& e) {
    sim.host.message("Error reading strat file '" + name + "'\n" + e.what(), MsgIcon::Information, kAppTitle);
    sim.ui.statusBar1[3] = "No File";
    // A later File > Save must not overwrite the file that could not be read.
    sim.ui.StrFileName.clear();
  }
  sim.ui.pBarVisible = false;
  return complete;
}

}  // namespace magmo
