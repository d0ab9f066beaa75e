#pragma once
// The eruption-style and tectonic procedures, one phase each.
namespace magmo {
struct Sim;

void typeStromb(Sim& sim);    // Strombolian scoria cone, or a maar-diatreme first
void typeLava(Sim& sim);      // Hawaiian lava flows or a Peleean dome (Style::Lava or Style::Dome)
void typePlinian(Sim& sim);   // Plinian pumice fall, optionally with a caldera
void typePfs(Sim& sim);       // pyroclastic flows and surges, directed blasts, ignimbrites
void typePhreatic(Sim& sim);  // fumarolic/phreatic phase with its explosions
void typePhBurst(Sim& sim);   // one phreatic explosion
void typeCollapse(Sim& sim);  // sector collapse and its avalanche
void fault(Sim& sim);         // one offset of a faulting interval
// In an automatic cycle a fault may repeat at once, more readily when no layer has been laid
// since the cycle noted the layer count (UndoLayer2).
bool faultRepeats(Sim& sim);
void typeErode(Sim& sim);     // erosion cycles

}  // namespace magmo
