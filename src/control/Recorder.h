#pragma once
// The recorder: each finished phase appended to the eruption history.
#include "model/PhaseRecord.h"

namespace magmo {
struct Sim;

// Appends the phase just finished, an eruption of the given style or (Style::Tectonic) the
// fault or erosion interval the tectonic panel shows, with its parameters as the panels show
// them; beyond the table's last entry recording switches itself off instead.
void record(Sim& sim, Style style);
// Empties the history: every entry and burst length zero, RecCount and PlayIndex 0.
void clearRec(Sim& sim);

}  // namespace magmo
