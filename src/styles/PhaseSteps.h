#pragma once
// Steps every eruption style shares: the progress text, the layer colour alternation, the
// flight-free parts of the end of a phase.
#include <functional>
#include <string>

#include "model/Host.h"

namespace magmo {
struct Sim;

// "Phase: 3   Burst: 7   " and its automatic, playback and static forms. Styles without a
// static form pass withStatic = false.
std::string burstProgressText(const Sim& sim, bool withStatic = true);
// Shows the text in the progress panel and keeps it for the Pause and Stop prefixes.
void showPhaseText(Sim& sim, const std::string& text);

// The two-colour alternation of successive phases of one style: returns the colour for the
// new layer and flips the style's flag.
int alternateColour(int& flag, int colourWhenSet, int colourWhenClear);

// The burst count of a phase by mode: playback replays the recorded count, a manual phase runs
// manualLimit bursts (until the user stops it), an automatic one draws its own through
// drawAutomatic. BurstCount starts again at 0.
void chooseBursts(Sim& sim, int manualLimit, const std::function<void()>& drawAutomatic);

// Writes the strength, wind and particle count an automatic phase drew into their fields.
void showDrawnParameters(Sim& sim);

// Runs a phase the styles' way: a fault ends the bursts but not the end-of-phase work, and is
// reported once, afterwards, as errorTitle + line break + description.
void runPhase(Sim& sim, const std::string& errorTitle, MsgIcon icon, const std::function<void()>& bursts,
              const std::function<void()>& endOfPhase);

// With maps on, the finished layer goes onto the map under the style's map code.
void handLayerToMap(Sim& sim, int mapCode);

}  // namespace magmo
