#pragma once
// The recorder: each finished phase appended to the eruption history.
namespace magmo {
struct Sim;

// Appends the phase just finished (its parameters as the panels show them) to RecTable;
// beyond the table's last entry recording switches itself off instead.
void record(Sim& sim);
// Empties the history: every entry and burst length zero, RecCount and PlayIndex 0.
void clearRec(Sim& sim);

}  // namespace magmo
