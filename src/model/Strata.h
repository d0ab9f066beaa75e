#pragma once
// The five strata operations: what a style did to Topo becomes a consistent stratigraphy.
namespace magmo {
struct Sim;

void stratDeposit(Sim& sim);          // slope relaxation of fresh material in Topo
void stratCrater(Sim& sim);           // crater around VentX, or caldera collapse
void collapse(Sim& sim, float s);     // one caldera-collapse step of strength s
void stratThick(Sim& sim);            // Topo into the newest layer; older layers truncated
void stratAdd(Sim& sim);              // draw the newest layer, spreading out from the vent

// Cuts every older layer of every column to the lowest top above it (the truncation of
// stratThick).
struct Model;
void stratTruncate(Model& m);

}  // namespace magmo
