#pragma once
// The player: an eruption history rebuilt from its starting topography, phase by phase.
#include <string>

namespace magmo {
struct Sim;

// Replays RecTable from its first phase (again and again while loop playback is checked,
// until the user stops); reports a damaged phase and stops there.
void playback(Sim& sim);
// File > Open > Record File: asks for a record and opens it.
void fileOpenRec(Sim& sim);
// Resets the model, reads the record name and its stratigraphic file and arms playback (or,
// when the record could not be read, recording).
void openRecord(Sim& sim, const std::string& name);

}  // namespace magmo
