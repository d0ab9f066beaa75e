#pragma once
// The player: an eruption history rebuilt from its starting topography, phase by phase.
namespace magmo {
struct Sim;

// Replays RecTable from its first phase (again and again while loop playback is checked,
// until the user stops); reports a damaged phase and stops there.
void playback(Sim& sim);
// File > Open > Record File: resets the model, reads the chosen record and its stratigraphic
// file and arms playback (or, when the record could not be read, recording).
void fileOpenRec(Sim& sim);

}  // namespace magmo
