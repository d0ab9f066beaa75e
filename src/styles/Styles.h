#pragma once
// The eruption-style and tectonic procedures, one phase each.
namespace magmo {
struct Sim;

void typeStromb(Sim& sim);    // Strombolian scoria cone, or a maar-diatreme first
void typeLava(Sim& sim);      // Hawaiian lava flows or a Peleean dome (EruptType 3 or 4)
void typePlinian(Sim& sim);   // Plinian pumice fall, optionally with a caldera
void typePfs(Sim& sim);       // pyroclastic flows and surges, directed blasts, ignimbrites
void typePhreatic(Sim& sim);  // fumarolic/phreatic phase with its explosions
void typePhBurst(Sim& sim);   // one phreatic explosion
void typeCollapse(Sim& sim);  // sector collapse and its avalanche
void fault(Sim& sim);         // one faulting interval
void typeErode(Sim& sim);     // erosion cycles

}  // namespace magmo
