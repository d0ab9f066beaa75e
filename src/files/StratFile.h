#pragma once
// The stratigraphic file (.str): writer, reader and the File menu commands for it.
#include <istream>
#include <string>

namespace magmo {
struct Sim;
struct Model;

// Writes format version 3 to path (through a temporary file renamed into place).
// Throws SimError on failure; the previous file is then left intact.
void writeStratFile(const Model& m, const std::string& path, bool withMap);

void fileSaveTopo(Sim& sim);     // File > Save As > Stratigraphic File
void mnuFileSaveClick(Sim& sim); // File > Save
// File > Open > Stratigraphic File; true when a file was chosen and read completely.
bool fileOpenTopo(Sim& sim);
// Reads one strat file from in (name tells the factory files apart). True when every layer was
// read, false when the user cancelled; throws SimError on bad data, leaving the model as it was.
bool readStratStream(Sim& sim, const std::string& name, std::istream& in);
// Reads StrFileName into the model; reports "Error reading strat file '...'" on failure.
// Returns true when the file was read completely.
bool fileReadStrat(Sim& sim);

}  // namespace magmo
