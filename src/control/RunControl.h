#pragma once
// Run control: Erupt / Pause / Resume / Stop, the return to idle, static mode.
namespace magmo {
struct Sim;

void cmdEruptClick(Sim& sim);
void cmdHaltClick(Sim& sim);
void eruptFinish(Sim& sim);
// Every phase (manual, automatic or played back; eruption, fault or erosion) begins here: Undo
// keeps the simulation as it was, the burst and cycle counters start again, and the recorder
// notes the caldera/diatreme box, which the phase itself may clear.
void beginPhase(Sim& sim);
// The procedure of the checked style item, as the panel's values call for it.
void runCheckedStyle(Sim& sim);
void mnuParStaticClick(Sim& sim);

// Enable or disable the commands around a running operation.
void menuAct(Sim& sim, bool enable);
// The mode text for the current mode (manual/auto, static) when not in playback.
void showIdleModeText(Sim& sim);

}  // namespace magmo
