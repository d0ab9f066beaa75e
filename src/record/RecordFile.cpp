#include "record/RecordFile.h"

#include <filesystem>
#include <fstream>

#include "files/FieldReader.h"
#include "files/FieldWriter.h"
#include "files/FileAdoption.h"
#include "files/FileNames.h"
#include "files/ReplaceFile.h"
#include "model/Sim.h"

namespace magmo {

namespace {

constexpr const char* kAppTitle = "Magmo";
constexpr const char* kDemoRecord = "MagmoDemo.rec";

void writePhase(FieldWriter& w, int i, const PhaseRecord& r, const BurstTable& bursts) {
  w.endLine();
  w.text("Record Phase: ");
  w.field(i);
  w.endLine();
  w.line(r.Location, r.Style, r.Strength, r.Wind);
  w.line(r.Particles, r.CalderaFlag, r.Directed, r.CalderaStyle);
  w.line(r.ScarpTop, r.ScarpBase, r.Bursts, r.Explosion);
  w.line(r.TectonicKind, r.Magnitude, r.Dip, r.DownSide, r.ErodeCycles);
  w.line(r.Slider[1], r.Slider[2], r.Slider[3], r.Slider[4], r.Slider[5], r.Slider[6]);
  w.line(r.MapA, r.MapB, r.MapC, r.MapD);
  if (r.isLava())
    for (int b = 1; b <= r.Bursts; ++b) w.line(bursts(i, b));
}

// Only what playback could not handle safely is refused here; odd but harmless values are the
// player's to limit, as it limits typed ones.
void readPhase(FieldReader& in, PhaseRecord& r, BurstTable& bursts, int i) {
  // The blank line before each phase reads as one or more empty fields.
  while (in.next().empty()) {
  }
  in.skip();  // the number after "Record Phase: "
  r.Location = in.single();
  r.Style = in.integer(0, 7, "Style");
  r.Strength = in.single();
  r.Wind = in.single();
  r.Particles = in.single();
  r.CalderaFlag = in.integer();
  r.Directed = in.integer();
  r.CalderaStyle = in.integer();
  r.ScarpTop = in.single();
  r.ScarpBase = in.single();
  // Only lava phases keep a flow length per burst, and the table holds 100 of them.
  r.Bursts = r.isLava() ? in.integer(0, kRecBursts, "Bursts") : in.integer(0, 32767, "Bursts");
  r.Explosion = in.integer();
  r.TectonicKind = in.integer(0, 2, "TectonicKind");
  r.Magnitude = in.integer();
  r.Dip = in.integer();
  r.DownSide = in.integer();
  r.ErodeCycles = in.integer();
  for (int k = 1; k <= 6; ++k) r.Slider[k] = in.integer();
  r.MapA = in.single();
  r.MapB = in.single();
  r.MapC = in.single();
  r.MapD = in.single();
  if (r.isLava())
    for (int b = 1; b <= r.Bursts; ++b) bursts(i, b) = in.single();
}

void showRecordTitle(Controls& ui, const std::string& name) { ui.statusBar1[6] = dropLastFour(fileTitle(name)); }

}  // namespace

std::string recordFileText(const RecordHeader& header, const PhaseTable& table, const BurstTable& bursts) {
  if (header.count < 0 || header.count > kRecPhases) throw SimError("Cannot store " + std::to_string(header.count) + " phases");
  FieldWriter w;
  w.reserve(256 + static_cast<size_t>(header.count) * 256);
  w.text("Stratigraphic file:");
  w.text(header.strFileName);
  w.endLine();
  w.text("Recorded phases");
  w.field(header.count);
  w.field(header.scale);
  w.endLine();
  for (int i = 1; i <= header.count; ++i) writePhase(w, i, table[i], bursts);
  return w.str();
}

void readRecordText(std::istream& in, RecordHeader& header, PhaseTable& table, BurstTable& bursts, int& phasesRead,
                    const std::function<void(int phase)>& onPhase) {
  FieldReader fields(in);
  phasesRead = 0;
  fields.skip();  // "Stratigraphic file:"
  header.strFileName = fields.next();
  fields.skip();  // "Recorded phases"
  header.count = fields.integer(0, kRecPhases, "Recorded phases");
  header.scale = fields.single();
  if (header.scale != 4 && header.scale != 20 && header.scale != 40 && header.scale != 100)
    throw SimError("Scale " + std::to_string(header.scale) + " is not 4, 20, 40 or 100");
  for (int i = 1; i <= header.count; ++i) {
    try {
      readPhase(fields, table[i], bursts, i);
    } catch (const SimError& e) {
      throw SimError("Record phase " + std::to_string(i) + ": " + e.what());
    }
    phasesRead = i;
    if (onPhase) onPhase(i);
  }
}

std::optional<std::string> chooseRecordSaveName(Sim& sim, const std::string& proposedName) {
  const FileDialog dialog{"Save Record File", "Record File (*.rec)|*.rec|", "rec", proposedName};
  for (;;) {
    std::optional<std::string> name = sim.host.saveFileName(dialog);
    if (!name || name->empty()) return std::nullopt;
    if (!isDataFile(sim, *name, kDemoRecord)) return name;
    sim.host.message("Cannot replace MAGMO Demonstration file", MsgIcon::Critical, kAppTitle);
  }
}

void writeRecordFile(Sim& sim, const std::string& name) {
  Controls& ui = sim.ui;
  const Model& m = sim.m;
  try {
    showRecordTitle(ui, name);
    ui.statusBar2[1] = "Saving Record File:  " + name;
    sim.host.yield();
    replaceFile(name, recordFileText({ui.StrFileName, m.Scale, m.RecCount}, m.RecTable, m.RecBurst));
    // Only a name that holds the history becomes the current record file.
    ui.RecFileName = name;
    ui.statusBar2[1] = "Record File:  " + fileTitle(name) + " Saved";
  } catch (const std::exception&) {
    sim.host.message("Recorder file save error", MsgIcon::Information, kAppTitle);
  }
}

void fileSaveRec(Sim& sim) {
  Controls& ui = sim.ui;
  ui.toolbar["save"].pressed = true;
  const std::string proposed = !ui.RecFileName.empty()  ? ui.RecFileName
                               : !ui.StrFileName.empty() ? withExtension(ui.StrFileName, ".rec")
                                                         : sim.paths.dataPath + "Magmo.rec";
  if (const std::optional<std::string> name = chooseRecordSaveName(sim, proposed)) writeRecordFile(sim, *name);
  ui.toolbar["save"].pressed = false;
}

void saveOpenRecord(Sim& sim) {
  const std::string& name = sim.ui.RecFileName;
  if (name.empty() || isDataFile(sim, name, kDemoRecord))
    fileSaveRec(sim);
  else
    writeRecordFile(sim, name);
}

bool fileReadRec(Sim& sim) {
  Controls& ui = sim.ui;
  Model& m = sim.m;
  const std::string name = ui.RecFileName;
  std::error_code ec;
  if (name.empty() || !std::filesystem::is_regular_file(name, ec)) {
    ui.pBarVisible = false;
    // Nothing was read, so there is nothing to play.
    m.RecReadFailed = 1;
    return false;
  }
  ui.pBarVisible = true;
  ui.pBarValue = 0;
  RecordHeader header;
  int phasesRead = 0;
  bool complete = false;
  try {
    std::ifstream file(name, std::ios::binary);
    if (!file) throw SimError("Cannot open the file");
    readRecordText(file, header, m.RecTable, m.RecBurst, phasesRead, [&](int i) {
      ui.pBarValue = i * 100 / header.count;
      sim.host.yield();
    });
    complete = true;
  } catch (const std::exception& e) {
    sim.host.message("Error reading record file '" + name + "':" + "\n" + e.what(), MsgIcon::Exclamation, kAppTitle);
    m.RecReadFailed = 1;
  }
  // A damaged file keeps the phases read whole; the header's count would replay empty ones.
  m.RecCount = phasesRead;
  if (!header.strFileName.empty() || complete) ui.StrFileName = header.strFileName;
  // The phases kept were recorded at the file's scale.
  if (complete || phasesRead > 0) applyStoredScale(sim, header.scale);
  ui.pBarVisible = false;
  return complete;
}

}  // namespace magmo
