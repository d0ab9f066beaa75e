#pragma once
// Sector collapse with a choice of how the avalanche finds the lowest point of its zone: the
// literal scan of the zone after every collapsing column, kept as the reference, or a tree of
// minima that gives the same point at a fraction of the cost.
namespace magmo {
struct Sim;

enum class LowestSearch { Tree, Scan };
void typeCollapse(Sim& sim, LowestSearch search);

}  // namespace magmo
