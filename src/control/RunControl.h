#pragma once
// Run control: Erupt / Pause / Resume / Stop, the return to idle, static mode.
namespace magmo {
struct Sim;

void cmdEruptClick(Sim& sim);
void cmdHaltClick(Sim& sim);
void eruptFinish(Sim& sim);
void mnuParStaticClick(Sim& sim);

// The polling protocol: after each animation frame, wait (yielding) while paused.
void waitWhilePaused(Sim& sim);
// Enable or disable the commands around a running operation.
void menuAct(Sim& sim, bool enable);
// The mode text for the current mode (manual/auto, static) when not in playback.
void showIdleModeText(Sim& sim);

}  // namespace magmo
