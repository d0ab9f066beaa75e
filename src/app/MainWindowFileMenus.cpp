// The File and Record menus of the main window.
#include <QMenu>

#include "app/MainWindow.h"
#include "app/RecordEditWindow.h"
#include "control/DemCommands.h"
#include "control/MapCommands.h"
#include "control/NewFile.h"
#include "control/Playback.h"
#include "control/RecordCommands.h"
#include "control/RecordMenu.h"
#include "control/StatisticsExport.h"
#include "control/StratCommands.h"
#include "control/UnsavedChanges.h"

namespace magmo {

void MainWindow::buildFileMenu(QMenu* file) {
  // A fresh simulation is a reset of the model, as at start-up. New and Open first offer to
  // save what they would throw away.
  menuItem(file, "&New", "mnuFileNew", nullptr, [this] {
    if (confirmDiscard(sim_)) fileNew(sim_);
  });
  QMenu* open = file->addMenu("&Open");
  open->setObjectName("mnuFileOpen");
  menuItem(open, "&Stratigraphic File...", "mnuFileOpenTopo", nullptr, [this] {
    if (confirmDiscard(sim_)) fileOpenTopo(sim_);
  });
  menuItem(open, "&DEM File...", "mnuFileOpenDem", nullptr, [this] {
    if (confirmDiscard(sim_)) fileOpenDEM(sim_);
  });
  menuItem(open, "&Record File...", "mnuFileOpenRec", nullptr, [this] {
    if (confirmDiscard(sim_)) fileOpenRec(sim_);
  });
  menuItem(file, "&Save", "mnuFileSave", &ui_.mnuFileSave, core(mnuFileSaveClick));
  QMenu* saveAs = file->addMenu("Save &As");
  saveAs->setObjectName("mnuFileSaveAs");
  menuItem(saveAs, "&Stratigraphic File...", "mnuFileSaveAsTopo", nullptr, core(fileSaveTopo));
  menuItem(saveAs, "&DEM File...", "mnuFileSaveAsDem", &ui_.mnuFileSaveAsDem, core(fileSaveDEM));
  menuItem(saveAs, "&Record File...", "mnuFileSaveAsRec", nullptr, core(fileSaveRec));
  menuItem(file, "&Export Statistics...", "mnuFileExportStats", nullptr, core(fileExportStatistics));
  menuItem(file, "&Print...", "mnuFilePrint", &ui_.mnuFilePrint, [this] { printProfile(); });
  file->addSeparator();
  menuItem(file, "Magmo&3D", "mnuFileMagmo3D", &ui_.mnuFileMagmo3D, core(mnuView3DClick));
  file->addSeparator();
  menuItem(file, "E&xit", "mnuFileExit", nullptr, [this] { close(); });
}

void MainWindow::buildRecordMenu(QMenu* rec) {
  connect(rec, &QMenu::aboutToShow, this, [this] { run(core(mnuRecOpening)); });
  menuItem(rec, "&Record", "mnuRecRec", &ui_.mnuRecRec, core(mnuRecRecClick));
  menuItem(rec, "&Playback", "mnuRecPlay", &ui_.mnuRecPlay, core(mnuRecPlayClick));
  menuItem(rec, "Playback (&Loop)", "mnuRecPlayLoop", &ui_.mnuRecPlayLoop, core(mnuRecPlayLoopClick));
  rec->addSeparator();
  menuItem(rec, "&Edit...", "mnuRecEdit", &ui_.mnuRecEdit, [this] {
    mnuRecEditClick(sim_);
    openRecordEditor(this, sim_);
  });
}

}  // namespace magmo
