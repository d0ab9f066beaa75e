#pragma once
// The record file (.rec): the text layout of an eruption history, and the main window's
// File commands that write and read it.
#include <functional>
#include <istream>
#include <optional>
#include <string>

#include "model/PhaseRecord.h"

namespace magmo {
struct Sim;

struct RecordHeader {
  std::string strFileName;  // the stratigraphic file that holds the starting topography
  float scale = 20;         // metres per column as stored
  int count = 0;            // phases 1..count
};

// The whole file: header lines, then per phase a blank line, "Record Phase: " n, six field
// lines and, for lava phases, one line per burst. Lines end with CR LF.
std::string recordFileText(const RecordHeader& header, const PhaseTable& table, const BurstTable& bursts);

// Reads a record file into header, table and bursts, phase by phase, so that a failure keeps
// the phases read so far. phasesRead counts the complete phases; onPhase(i) runs after each.
// Throws SimError with the reason on any malformed, truncated or out-of-range content.
void readRecordText(std::istream& in, RecordHeader& header, PhaseTable& table, BurstTable& bursts, int& phasesRead,
                    const std::function<void(int phase)>& onPhase = {});

// The "Save Record File" dialog from proposedName, refusing the demonstration record until the
// user picks another name; nullopt when cancelled. Shared with the record editor.
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
