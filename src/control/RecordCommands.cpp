#include "control/RecordCommands.h"

#include <filesystem>
#include <fstream>

#include "control/FileAdoption.h"
#include "formats/RecordFile.h"
#include "model/Sim.h"
#include "textio/FileNames.h"
#include "textio/ReplaceFile.h"

namespace magmo {

namespace {

constexpr const char* kAppTitle = "Magmo";
constexpr const char* kDemoRecord = "MagmoDemo.rec";

void showRecordTitle(Controls& ui, const std::string& name) { ui.statusBar1[6] = dropLastFour(fileTitle(name)); }

}  // namespace

std::optional<std::string> chooseRecordSaveName(Sim& sim, const std::string& proposedName) {
  const FileDialog dialog{"Save Record File", "Record File (*.rec)|*.rec|", "rec", proposedName};
  for (;;) {
    std::optional<std::string> name = sim.host.saveFileName(dialog);
    if (!name || name->empty()) return std::nullopt;
    if (!isDataFile(sim, *name, kDemoRecord) && !isScenarioFile(sim, *name)) return name;
    sim.host.message("Cannot replace MAGMO Demonstration file", MsgIcon::Critical, kAppTitle);
  }
}

void writeRecordFile(Sim& sim, const std::string& name) {
  Controls& ui = sim.ui;
  const Model& m = sim.m;
  const std::string shownBefore = ui.statusBar2[1];
  try {
    ui.statusBar2[1] = "Saving Record File:  " + name;
    sim.host.yield();
    replaceFile(name, recordFileText({ui.StrFileName, m.Scale, m.RecCount}, m.RecTable, m.RecBurst));
    // Only a name that holds the history becomes the current record file; the file names the
    // stratigraphic file it starts from, which a Save As must then not overwrite unasked.
    ui.RecFileName = name;
    ui.RecordChanged = false;
    ui.recordFlag = !ui.StrFileName.empty();
    showRecordTitle(ui, name);
    ui.statusBar2[1] = "Record File:  " + fileTitle(name) + " Saved";
  } catch (const std::exception&) {
    ui.statusBar2[1] = shownBefore;
    sim.host.message("Recorder file save error", MsgIcon::Information, kAppTitle);
  }
}

void fileSaveRec(Sim& sim) {
  Controls& ui = sim.ui;
  ui.toolbar["save"].pressed = true;
  // A ready-made history is offered for saving as the user's own copy.
  const std::string proposed = isScenarioFile(sim, ui.RecFileName) ? sim.paths.dataPath + fileTitle(ui.RecFileName)
                               : !ui.RecFileName.empty()            ? ui.RecFileName
                               : !ui.StrFileName.empty()            ? withExtension(ui.StrFileName, ".rec")
                                                                    : sim.paths.dataPath + "Magmo.rec";
  if (const std::optional<std::string> name = chooseRecordSaveName(sim, proposed)) writeRecordFile(sim, *name);
  ui.toolbar["save"].pressed = false;
}

void saveOpenRecord(Sim& sim) {
  const std::string& name = sim.ui.RecFileName;
  if (name.empty() || isDataFile(sim, name, kDemoRecord) || isScenarioFile(sim, name))
    fileSaveRec(sim);
  else
    writeRecordFile(sim, name);
}

bool fileReadRec(Sim& sim) {
  Controls& ui = sim.ui;
  Model& m = sim.m;
  const std::string name = ui.RecFileName;
  m.RecReadFailed = 0;  // this read's outcome, not an earlier reader's
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
  if (!header.strFileName.empty() || complete) ui.StrFileName = locateRecordStrat(sim, header.strFileName);
  ui.recordFlag = !ui.StrFileName.empty();
  // The phases kept were recorded at the file's scale.
  if (complete || phasesRead > 0) applyStoredScale(sim, header.scale);
  ui.pBarVisible = false;
  if (complete) ui.RecordChanged = false;
  return complete;
}

}  // namespace magmo
