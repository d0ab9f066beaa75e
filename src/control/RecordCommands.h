#pragma once
// The File commands that write and read the eruption history as a record file.
#include <optional>
#include <string>

namespace magmo {
struct Sim;

// The "Save Record File" dialog from proposedName, refusing the demonstration record and the
// ready-made histories until the user picks another name; nullopt when cancelled. Shared with
// the record editor.
std::optional<std::string> chooseRecordSaveName(Sim& sim, const std::string& proposedName);
void fileSaveRec(Sim& sim);  // asks for a name and writes RecTable
// Writes RecTable to name, which then becomes RecFileName; reports a failure.
void writeRecordFile(Sim& sim, const std::string& name);
// File > Save with a record open: to RecFileName, or through the dialog when there is none.
void saveOpenRecord(Sim& sim);
// Reads RecFileName into RecTable/RecBurst, sets RecCount, StrFileName and the scale.
// False (with RecReadFailed = 1 and the read-error message) when the file could not be read.
bool fileReadRec(Sim& sim);

}  // namespace magmo
