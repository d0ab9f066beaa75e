#pragma once
// The rules a phase of an eruption history keeps. The player refuses only what no phase could
// run with (phaseDamage) and limits the rest as OK limits typed values; the record editor
// applies every rule before it accepts a history, so whatever it accepts can be played.
#include <string>

#include "model/PhaseRecord.h"

namespace magmo {

// What no panel could have produced and no phase could run with, as the text that follows
// "Phase n" (it begins with a space); empty when there is none.
std::string phaseDamage(const PhaseRecord& p);
// The first rule phase n breaks, damage included, in the same form; empty when it passes.
// metresPerColumn converts its locations to columns.
std::string checkPhase(PhaseRecord& p, const BurstTable& bursts, int n, int metresPerColumn);

// The bounds of a lava phase's flow durations.
double shortestFlow(const PhaseRecord& p);
double longestFlow(const PhaseRecord& p, int burst);

}  // namespace magmo
