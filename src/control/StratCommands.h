#pragma once
// The File commands for stratigraphic files, and the loads other commands make.
namespace magmo {
struct Sim;

enum class LoadResult { Complete, Cancelled, Failed };

void fileSaveTopo(Sim& sim);      // File > Save As > Stratigraphic File
void mnuFileSaveClick(Sim& sim);  // File > Save
// The section to its own file (StrFileName), or through the Save As dialog when it has none
// or it is a factory file.
void saveSection(Sim& sim);
// File > Open > Stratigraphic File. The section, the file names and the record stay as they
// were until the chosen file has been read; a file that cannot be read changes nothing.
LoadResult fileOpenTopo(Sim& sim);
// Reads StrFileName over the model as it is (the callers have just reset it); the layers read
// before a Cancel are kept. An unreadable file is reported and leaves the model as it was.
// With offerCancel the Pause button becomes Cancel for the load.
LoadResult fileReadStrat(Sim& sim, bool offerCancel = false);

}  // namespace magmo
