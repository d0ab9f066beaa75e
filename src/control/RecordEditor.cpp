#include "control/RecordEditor.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <initializer_list>

#include "textio/FileNames.h"
#include "textio/ReplaceFile.h"
#include "model/Numeric.h"
#include "control/PhaseCheck.h"
#include "control/RecordCommands.h"
#include "formats/RecordFile.h"
#include "model/Sim.h"

namespace magmo {

namespace {

constexpr const char* kTitle = "MagmoEdit";
constexpr const char* kNoType = "Select Parameters";
constexpr const char* kNoSide = "Down Side";
constexpr const char* kMazama = "Mazama Type";
constexpr const char* kValles = "Valles Type";
constexpr const char* kLeftDown = "Left side down";
constexpr const char* kRightDown = "Right side down";
constexpr size_t kShownPathLength = 37;

// Type names in Style order 1..7, then the two tectonic kinds.
constexpr const char* kTypeNames[] = {"Vulcanian/Surtseyan", "Strombolian", "Hawaiian", "Peléean", "Plinian",
                                      "Sector Collapse", "Fumarolic/Phreatic", "Faulting", "Erosion"};
constexpr int kFaulting = 8, kErosion = 9;  // positions in kTypeNames, 1-based

std::string typeName(const PhaseRecord& p) {
  if (p.Style != Style::Tectonic) return kTypeNames[static_cast<int>(p.Style) - 1];
  if (p.TectonicKind == TectonicKind::Fault) return kTypeNames[kFaulting - 1];
  if (p.TectonicKind == TectonicKind::Erosion) return kTypeNames[kErosion - 1];
  return kNoType;
}

std::string shownPath(const std::string& path, const char* none) {
  if (path.empty()) return none;
  if (path.size() <= kShownPathLength + 3) return path;
  return "..." + path.substr(path.size() - kShownPathLength);
}

int lastFlow(const PhaseRecord& p) { return std::clamp(p.Bursts, 0, kRecBursts); }

}  // namespace

RecordEditor::RecordEditor(Sim& sim) : sim_(sim) {
  ui.Command2.enabled = false;
  ui.chkCald.caption = "Caldera";
}

void RecordEditor::open() {
  if (!sim_.ui.RecFileName.empty()) {
    const Model& m = sim_.m;
    source_.table = m.RecTable;
    source_.bursts = m.RecBurst;
    source_.count = std::clamp(m.RecCount, 0, kRecPhases);
    source_.scale = std::isfinite(m.Scale) && std::abs(m.Scale) < 32768 ? cint(m.Scale) : 20;
    source_.recName = sim_.ui.RecFileName;
    source_.strName = sim_.ui.StrFileName;
    EditOwnFile = 0;
    sim_.windowSound("Maximize");
  } else {
    EditOwnFile = -1;
    if (auto path = sim_.host.openFileName({"Open Record File", "Recorder Files (*.rec)|*.rec;*.REC|", "rec", ""}))
      loadFile(*path);
  }
  readData();
}

bool RecordEditor::loadFile(const std::string& path) {
  Source read;
  try {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw SimError("File not found");
    RecordHeader header;
    int phasesRead = 0;
    readRecordText(in, header, read.table, read.bursts, phasesRead);
    read.count = phasesRead;
    if (!std::isfinite(header.scale) || std::abs(header.scale) >= 32768)
      throw SimError("Scale " + generalNumber(header.scale) + " out of range");
    read.scale = cint(header.scale);
    if (read.scale == 40) read.scale = 100;  // an older large scale
    read.strName = header.strFileName;
    read.recName = path;
  } catch (const std::exception& e) {
    // The working copy stays as it was: a damaged file must not cost the user's edits.
    sim_.host.message("Error reading record file '" + path + "':\n" + e.what(), MsgIcon::Exclamation, kTitle);
    return false;
  }
  source_ = std::move(read);
  EditOwnFile = -1;
  return true;
}

void RecordEditor::readData() {
  try {
    EditTable = source_.table;
    EditBurst = source_.bursts;
    EditCount = source_.count;
    EditScale = source_.scale;
    EditRecName = source_.recName;
    EditStrName = source_.strName;
    if (EditScale == 0) EditScale = 20;
    showFiles();
    showScale();
    EditPhase = 1;
    ui.cmbPhase.items.clear();
    for (int n = 1; n <= EditCount; ++n) ui.cmbPhase.items.push_back("Phase " + std::to_string(n));
    if (EditCount == 0) ui.cmbPhase.items.push_back("Add Phase");
    ui.cmbPhase.index = 0;
  } catch (const std::exception& e) {
    sim_.reportError("RecordEdit ReadData", e);
    return;
  }
  showData();
}

void RecordEditor::showFiles() {
  ui.labRecfile = shownPath(EditRecName, "(New)");
  ui.txtTopFile.text = shownPath(EditStrName, "(None)");
  ui.labPhases = std::to_string(EditCount);
}

void RecordEditor::showScale() {
  ui.optLarge.checked = EditScale == 100;
  ui.optNormal.checked = EditScale == 20;
  ui.optSmall.checked = EditScale == 4;
}

void RecordEditor::showData() {
  try {
    const PhaseRecord& p = phase();
    ui.cmbType.text = hasPhase() ? typeName(p) : kNoType;
    ui.txtLoc.text = format(p.Location, "0.00");
    ui.txtStr.text = format(p.Strength, "0.00");
    ui.txtWind.text = format(p.Wind, "0");
    ui.txtPart.text = format(p.Particles, "0");
    ui.txtBurst.text = format(p.Bursts, "0");
    ui.txtCtop.text = format(p.ScarpTop, "0.00");
    ui.txtCbase.text = format(p.ScarpBase, "0.00");
    ui.txtMag.text = format(p.Magnitude, "0");
    ui.txtDip.text = format(p.Dip, "0");
    ui.txtErode.text = format(p.ErodeCycles, "0");
    for (int k = 1; k <= 6; ++k) ui.txtSlide[size_t(k)].text = format(p.Slider[size_t(k)], "0");
    const float maps[] = {p.MapA, p.MapB, p.MapC, p.MapD};
    for (int k = 1; k <= 4; ++k) ui.txtMap[size_t(k)].text = format(maps[k - 1], "0.00");
    ui.chkCald.checked = p.CalderaFlag == 1;
    ui.chkDirected.checked = p.Directed == 1;
    ui.chkBurst.checked = p.Explosion == 1;
    ui.cmbStyle.text = p.CalderaStyle == CalderaStyle::Mazama   ? kMazama
                       : p.CalderaStyle == CalderaStyle::Valles ? kValles
                                                                : "";
    ui.cmbDown.text = p.DownSide == DownSide::Left ? kLeftDown : p.DownSide == DownSide::Right ? kRightDown : kNoSide;
    showFlows();
  } catch (const std::exception& e) {
    sim_.reportError("RecordEdit ShowData", e);
    return;
  }
  dataActivate();
}

void RecordEditor::showFlows() {
  const PhaseRecord& p = phase();
  ui.cmbFlow.items.clear();
  if (p.isLava())
    for (int b = 1; b <= lastFlow(p); ++b) ui.cmbFlow.items.push_back("Flow " + std::to_string(b) + " Duration");
  ui.cmbFlow.index = ui.cmbFlow.items.empty() ? -1 : 0;
  ui.txtLava.text = ui.cmbFlow.index < 0 ? "" : generalNumber(EditBurst(EditPhase, 1));
}

void RecordEditor::dataActivate() {
  try {
    Field* fields[] = {&ui.txtLoc, &ui.txtStr, &ui.txtWind, &ui.txtPart, &ui.txtBurst, &ui.txtCtop, &ui.txtCbase,
                       &ui.txtMag, &ui.txtDip, &ui.txtErode, &ui.txtLava, &ui.cmbStyle, &ui.cmbDown};
    for (Field* f : fields) f->enabled = false;
    for (Field& f : ui.txtSlide) f.enabled = false;
    for (Field& f : ui.txtMap) f.enabled = false;
    ui.chkBurst.enabled = ui.chkDirected.enabled = ui.chkCald.enabled = false;
    ui.chkCald.caption = "Caldera";
    ui.labSlide4.text = "Vent Position";
    ui.labSlide4.enabled = false;
    ui.cmbFlow.enabled = false;
    ui.cmbType.enabled = ui.cmdDelete.enabled = hasPhase();
    if (!hasPhase()) return;

    const PhaseRecord& p = phase();
    auto enable = [](std::initializer_list<Field*> on) {
      for (Field* f : on) f->enabled = true;
    };
    auto slides = [this](std::initializer_list<int> on) {
      for (int k : on) ui.txtSlide[size_t(k)].enabled = true;
    };
    auto maps = [this](std::initializer_list<int> on) {
      for (int k : on) ui.txtMap[size_t(k)].enabled = true;
    };
    auto caldera = [&] {
      ui.chkCald.enabled = ui.cmbStyle.enabled = true;
      if (p.CalderaFlag == 1 && p.CalderaStyle == CalderaStyle::Valles) {
        ui.txtSlide[4].enabled = ui.labSlide4.enabled = true;
        ui.labSlide4.text = "Vent Position";
      }
    };
    const std::initializer_list<Field*> explosive = {&ui.txtLoc, &ui.txtStr, &ui.txtWind, &ui.txtPart, &ui.txtBurst};
    switch (p.Style) {
      case Style::Tectonic:
        if (p.TectonicKind == TectonicKind::Fault) {
          enable({&ui.txtLoc, &ui.txtMag, &ui.txtDip});
          ui.cmbDown.enabled = p.Dip == 0;
        } else if (p.TectonicKind == TectonicKind::Erosion) {
          enable({&ui.txtErode});
        }
        break;
      case Style::Pfs:
      case Style::Plinian:
        enable(explosive);
        ui.chkDirected.enabled = p.Style == Style::Pfs;
        caldera();
        slides({2, 3, 5});
        maps({1, 2});
        break;
      case Style::Stromb:
        enable(explosive);
        ui.chkCald.enabled = true;
        slides({2, 3, 5});
        maps({1, 2});
        break;
      case Style::Lava:
      case Style::Dome:
        enable({&ui.txtLoc, &ui.txtWind, &ui.txtBurst, &ui.txtLava});
        ui.cmbFlow.enabled = true;
        slides({1, 3});
        maps({1, 3, 4});
        break;
      case Style::Collapse:
        enable({&ui.txtStr, &ui.txtBurst, &ui.txtCtop, &ui.txtCbase});
        slides({3});
        maps({1, 2});
        break;
      case Style::Fumarole:
        enable(explosive);
        ui.chkBurst.enabled = true;
        slides({3, 5});
        maps({1, 2});
        ui.labSlide4.text = "Burst Frequency";
        if (p.Explosion == 1) {
          slides({2, 4});
          ui.labSlide4.enabled = true;
        }
        break;
      default:
        break;
    }
    if (ui.cmbFlow.items.empty()) ui.cmbFlow.enabled = ui.txtLava.enabled = false;
  } catch (const std::exception& e) {
    sim_.reportError("RecordEdit DataActivate", e);
  }
}

Field& RecordEditor::fieldOf(EditField f) {
  switch (f) {
    case EditField::Loc: return ui.txtLoc;
    case EditField::Str: return ui.txtStr;
    case EditField::Wind: return ui.txtWind;
    case EditField::Part: return ui.txtPart;
    case EditField::Burst: return ui.txtBurst;
    case EditField::Ctop: return ui.txtCtop;
    case EditField::Cbase: return ui.txtCbase;
    case EditField::Mag: return ui.txtMag;
    case EditField::Dip: return ui.txtDip;
    case EditField::Erode: return ui.txtErode;
    case EditField::Lava: return ui.txtLava;
    case EditField::Map1: case EditField::Map2: case EditField::Map3: case EditField::Map4:
      return ui.txtMap[size_t(int(f) - int(EditField::Map1) + 1)];
    default:
      return ui.txtSlide[size_t(int(f) - int(EditField::Slide1) + 1)];
  }
}

void RecordEditor::fieldEdited(EditField f, const std::string& text) {
  changed();
  fieldOf(f).text = text;  // the field shows what was typed, not the value read from it
  if (!hasPhase()) return;
  PhaseRecord& p = phase();
  const double v = val(text);
  try {
    switch (f) {
      case EditField::Loc: p.Location = float(v); break;
      case EditField::Str: p.Strength = float(v); break;
      case EditField::Wind: p.Wind = float(v); break;
      case EditField::Part: p.Particles = float(v); break;
      case EditField::Ctop: p.ScarpTop = float(v); break;
      case EditField::Cbase: p.ScarpBase = float(v); break;
      case EditField::Mag: p.Magnitude = cint(v); break;
      case EditField::Erode: p.ErodeCycles = cint(v); break;
      case EditField::Map1: p.MapA = float(v); break;
      case EditField::Map2: p.MapB = float(v); break;
      case EditField::Map3: p.MapC = float(v); break;
      case EditField::Map4: p.MapD = float(v); break;
      case EditField::Slide1: case EditField::Slide2: case EditField::Slide3: case EditField::Slide4:
      case EditField::Slide5:
        p.Slider[size_t(int(f) - int(EditField::Slide1) + 1)] = cint(v);
        break;
      case EditField::Dip:
        p.Dip = cint(v);
        dataActivate();  // a vertical fault needs its down side
        break;
      case EditField::Burst: {
        const int before = lastFlow(p);
        p.Bursts = cint(v);
        if (p.isLava()) fillDurations(EditPhase, before + 1);
        showFlows();
        dataActivate();
        break;
      }
      case EditField::Lava:
        if (ui.cmbFlow.index >= 0) EditBurst(EditPhase, ui.cmbFlow.index + 1) = float(v);
        break;
    }
  } catch (const std::exception& e) {
    sim_.reportError("RecordEdit Field", e);
  }
}

void RecordEditor::topFileEdited(const std::string& text) {
  changed();
  ui.txtTopFile.text = text;
  // Only clearing the field or typing a whole path counts; a shortened path stays as it was.
  if (text.empty() || text == "(None)")
    EditStrName.clear();
  else if (!text.starts_with("..."))
    EditStrName = text;
}

void RecordEditor::phaseChosen(int index) {
  if (index < 0 || index >= int(ui.cmbPhase.items.size())) return;
  ui.cmbPhase.index = index;
  EditPhase = index + 1;
  showData();
}

void RecordEditor::flowChosen(int index) {
  if (index < 0 || index >= int(ui.cmbFlow.items.size())) return;
  ui.cmbFlow.index = index;
  ui.txtLava.text = generalNumber(EditBurst(EditPhase, index + 1));
}

void RecordEditor::typeChosen(const std::string& name) {
  const auto* found = std::find(std::begin(kTypeNames), std::end(kTypeNames), name);
  if (found == std::end(kTypeNames) || !hasPhase()) return;
  changed();
  const int pick = int(found - std::begin(kTypeNames)) + 1;
  PhaseRecord& p = phase();
  const Style before = p.Style;
  if (before == Style::Tectonic) {
    p.Strength = p.Location = p.Wind = p.Particles = p.ScarpTop = p.ScarpBase = 0;
  }
  if (pick >= kFaulting) {
    p.Style = Style::Tectonic;
    p.TectonicKind = pick == kFaulting ? TectonicKind::Fault : TectonicKind::Erosion;
  } else {
    p.Style = Style(pick);
    p.TectonicKind = TectonicKind::None;
  }
  if (p.isLava() && p.Style != before) {
    const PhaseRecord& original = source_.table[size_t(EditPhase)];
    const bool sameThere = EditPhase <= source_.count && original.Style == p.Style;
    for (int b = 1; b <= kRecBursts; ++b) EditBurst(EditPhase, b) = sameThere ? source_.bursts(EditPhase, b) : 0.0f;
    fillDurations(EditPhase, 1);
  }
  showData();
}

// Flows without a duration get the middle of the range their phase allows, so that a phase
// turned into a lava phase passes the checks as it stands.
void RecordEditor::fillDurations(int n, int firstBurst) {
  const PhaseRecord& p = EditTable[size_t(n)];
  for (int b = std::max(firstBurst, 1); b <= lastFlow(p); ++b) {
    float& d = EditBurst(n, b);
    if (d != 0) continue;
    const double lo = shortestFlow(p), hi = longestFlow(p, b);
    d = float(hi > lo ? std::floor((lo + hi) / 2) : lo);
  }
}

void RecordEditor::styleChosen(const std::string& name) {
  if (!hasPhase()) return;
  changed();
  phase().CalderaStyle = name == kMazama   ? CalderaStyle::Mazama
                         : name == kValles ? CalderaStyle::Valles
                                           : CalderaStyle::None;
  dataActivate();
}

void RecordEditor::downChosen(const std::string& name) {
  if (!hasPhase()) return;
  changed();
  phase().DownSide = name == kLeftDown ? DownSide::Left : name == kRightDown ? DownSide::Right : DownSide::None;
  ui.cmbDown.text = name;
}

void RecordEditor::caldChecked(bool on) {
  if (!hasPhase()) return;
  changed();
  phase().CalderaFlag = on ? 1 : 0;
  ui.chkCald.checked = on;
  dataActivate();
}

void RecordEditor::directedChecked(bool on) {
  if (!hasPhase()) return;
  changed();
  phase().Directed = on ? 1 : 0;
  ui.chkDirected.checked = on;
}

void RecordEditor::burstChecked(bool on) {
  if (!hasPhase()) return;
  changed();
  phase().Explosion = on ? 1 : 0;
  ui.chkBurst.checked = on;
  dataActivate();
}

void RecordEditor::scaleChosen(int metresPerColumn) {
  changed();
  EditScale = metresPerColumn;
  showScale();
}

void RecordEditor::cmdAdd() {
  if (EditCount >= kRecPhases) {
    sim_.host.message("Cannot add a phase after phase " + std::to_string(kRecPhases), MsgIcon::Information, kTitle);
    return;
  }
  changed();
  const int at = hasPhase() ? EditPhase + 1 : 1;
  for (int n = EditCount; n >= at; --n) {
    EditTable[size_t(n + 1)] = EditTable[size_t(n)];
    for (int b = 0; b <= kRecBursts; ++b) EditBurst(n + 1, b) = EditBurst(n, b);
  }
  if (at > 1) {
    EditTable[size_t(at)] = EditTable[size_t(at - 1)];
    for (int b = 0; b <= kRecBursts; ++b) EditBurst(at, b) = EditBurst(at - 1, b);
  }
  ++EditCount;
  ui.cmbPhase.items.clear();
  for (int n = 1; n <= EditCount; ++n) ui.cmbPhase.items.push_back("Phase " + std::to_string(n));
  ui.labPhases = std::to_string(EditCount);
  phaseChosen(at - 1);
}

void RecordEditor::cmdDelete() {
  if (!hasPhase()) return;
  changed();
  try {
    for (int n = EditPhase; n < EditCount; ++n) {
      EditTable[size_t(n)] = EditTable[size_t(n + 1)];
      for (int b = 0; b <= kRecBursts; ++b) EditBurst(n, b) = EditBurst(n + 1, b);
    }
    EditTable[size_t(EditCount)] = PhaseRecord{};
    for (int b = 0; b <= kRecBursts; ++b) EditBurst(EditCount, b) = 0;
    --EditCount;
  } catch (const std::exception& e) {
    sim_.reportError("RecordEdit cmdDelete", e);
    return;
  }
  ui.cmbPhase.items.clear();
  for (int n = 1; n <= EditCount; ++n) ui.cmbPhase.items.push_back("Phase " + std::to_string(n));
  if (EditCount == 0) ui.cmbPhase.items.push_back("Add Phase");
  ui.labPhases = std::to_string(EditCount);
  phaseChosen(std::min(EditPhase, std::max(EditCount, 1)) - 1);
}

void RecordEditor::cmdReset() {
  if (EditRecName.empty()) {
    source_ = Source{};
    source_.scale = 0;
  }
  readData();
}

void RecordEditor::cmdOpen() {
  auto path = sim_.host.openFileName({"Open Record File", "Recorder Files (*.rec)|*.rec;*.REC|", "rec", ""});
  if (!path || path->empty() || !loadFile(*path)) return;
  readData();
  changed();
}

void RecordEditor::cmdChange() {
  auto path = sim_.host.openFileName({"Open Stratigraphic File",
                                      "Stratigraphic Files (*.str)|*.str;*.STR|Topographic Files (*.top)|*.top;*.TOP|",
                                      "str", EditStrName});
  if (!path || path->empty()) return;
  changed();
  EditStrName = *path;
  showFiles();
}

void RecordEditor::command1() { ui.closed = true; }

void RecordEditor::command2() {
  if (!applyParams()) return;
  Model& m = sim_.m;
  m.RecCount = EditCount;
  sim_.ui.RecLoaded = EditCount > 0;
  sim_.ui.RecordChanged = true;
  if (EditOwnFile == 0) {
    if (sim_.host.askYesNo("Do you wish to save these changes to file?\nIf you choose 'no' the changes will still "
                           "apply to this session.",
                           MsgIcon::Question, kTitle))
      saveRec();
  } else {
    saveRec();
  }
  ui.closed = true;
}

bool RecordEditor::applyParams() {
  try {
    for (int n = 1; n <= EditCount; ++n) {
      const std::string broken = checkPhase(EditTable[size_t(n)], EditBurst, n, scale());
      if (broken.empty()) continue;
      sim_.host.message("Phase " + std::to_string(n) + broken, MsgIcon::Information, kTitle);
      phaseChosen(n - 1);
      return false;
    }
    Model& m = sim_.m;
    for (int n = 1; n <= EditCount; ++n) {
      const PhaseRecord& p = EditTable[size_t(n)];
      m.RecTable[size_t(n)] = p;
      if (p.isLava())
        for (int b = 1; b <= lastFlow(p); ++b) m.RecBurst(n, b) = EditBurst(n, b);
    }
    return true;
  } catch (const std::exception& e) {
    sim_.reportError("RecordEdit ApplyParams", e);
    return false;
  }
}

void RecordEditor::saveRec() {
  const std::string proposed = !EditRecName.empty()   ? EditRecName
                               : !EditStrName.empty() ? withExtension(EditStrName, ".rec")
                                                      : sim_.paths.dataPath + "Magmo.rec";
  const auto name = chooseRecordSaveName(sim_, proposed);
  if (!name) return;
  EditRecName = *name;
  try {
    replaceFile(*name, recordFileText({EditStrName, float(scale()), EditCount}, EditTable, EditBurst));
  } catch (const std::exception& e) {
    sim_.host.message(std::string("Recorder file save error\n") + e.what(), MsgIcon::Information, kTitle);
    return;
  }
  // The history now applied is the one in this file.
  sim_.ui.RecFileName = *name;
  sim_.ui.recordFlag = !EditStrName.empty() && samePath(EditStrName, sim_.ui.StrFileName);
  sim_.ui.statusBar2[1] = "Record File:  " + *name + " Saved";
}

}  // namespace magmo
