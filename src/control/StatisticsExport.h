#pragma once
// File > Export Statistics: the statistics of every layer as a CSV file.
namespace magmo {
struct Sim;

// Asks for a .csv name (proposed in the data folder, after the section's file) and writes it
// beside and renames it into place; a failure is reported and leaves the old file as it was.
void fileExportStatistics(Sim& sim);

}  // namespace magmo
