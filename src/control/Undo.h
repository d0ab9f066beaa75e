#pragma once
// Parameters > Undo: one level, back to the simulation as it was before the last phase.
namespace magmo {
struct Sim;

// Keeps the state every phase may change; called as each phase (eruption, fault, erosion,
// automatic or played back) begins.
void saveUndo(Sim& sim);
// Nothing to undo any more: the model was reset, reloaded or rescaled; Undo is disabled.
void forgetUndo(Sim& sim);
// Restores what saveUndo kept; disables Undo until the next phase.
void mnuParUndoClick(Sim& sim);

}  // namespace magmo
