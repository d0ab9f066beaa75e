#include "control/UnsavedChanges.h"

#include "control/RecordCommands.h"
#include "control/StratCommands.h"
#include "model/Sim.h"
#include "textio/FileNames.h"

namespace magmo {

namespace {

// False when the user keeps the work: Cancel, or a save that did not happen.
bool offerSave(Sim& sim, bool& changed, const std::string& what, void (*save)(Sim&)) {
  if (!changed) return true;
  switch (sim.host.askYesNoCancel("Save changes to " + what + "?", MsgIcon::Question, "Magmo")) {
    case Answer::Cancel:
      return false;
    case Answer::No:
      return true;
    case Answer::Yes:
      save(sim);
      return !changed;
  }
  return false;
}

}  // namespace

bool confirmDiscard(Sim& sim) {
  Controls& ui = sim.ui;
  const std::string section = ui.StrFileName.empty() ? "the new section" : fileTitle(ui.StrFileName);
  const std::string record = ui.RecFileName.empty() ? "the new record" : "the record " + fileTitle(ui.RecFileName);
  return offerSave(sim, ui.SectionChanged, section, saveSection) &&
         offerSave(sim, ui.RecordChanged, record, saveOpenRecord);
}

}  // namespace magmo
