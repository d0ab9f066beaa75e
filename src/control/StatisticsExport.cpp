#include "control/StatisticsExport.h"

#include <optional>
#include <string>

#include "formats/StatisticsCsv.h"
#include "model/Sim.h"
#include "textio/FileNames.h"
#include "textio/ReplaceFile.h"

namespace magmo {

void fileExportStatistics(Sim& sim) {
  Controls& ui = sim.ui;
  const std::string stem = ui.StrFileName.empty() ? "Magmo" : dropLastFour(fileTitle(ui.StrFileName));
  const FileDialog dialog{"Export Statistics", "Statistics (*.csv)|*.csv|", "csv", sim.paths.dataPath + stem + ".csv"};
  const std::optional<std::string> name = sim.host.saveFileName(dialog);
  if (!name || name->empty()) return;
  try {
    replaceFile(*name, layerStatisticsCsv(sim.m));
    ui.statusBar2[1] = "Statistics:  " + fileTitle(*name) + " Exported";
  } catch (const std::exception& e) {
    sim.reportError("Export statistics", e);
  }
}

}  // namespace magmo
