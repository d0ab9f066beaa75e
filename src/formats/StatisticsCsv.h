#pragma once
// The statistics of every layer as comma-separated values, for a spreadsheet: one header line
// naming each column with its unit, then one line per layer from the bottom up.
#include <string>

namespace magmo {
struct Model;

// Numbers carry a dot whatever the locale; a value the layer does not have (no vent, a phase
// not run here) is an empty field.
std::string layerStatisticsCsv(const Model& m);

}  // namespace magmo
