#pragma once
// The elevation file (.dem): the system's own variant written and read exactly, and foreign
// vector (x,y,z) or raster files imported after asking the user about their layout.
#include <istream>
#include <string>

namespace magmo {
struct Sim;
struct Model;

// The own variant: the 18 explanatory lines, the hyphen line, "$Magmo: ,<Scale>,<MapStep>",
// the grid records, then the 1280 profile records.
std::string demFileText(const Model& m);

// Reads a DEM from in: the own variant when a "$Magmo:" field is found, otherwise a foreign
// file after the import questions (asked through sim.host). On success the terrain is one
// layer and the map grid, scale and precision follow the file. Throws SimError on bad data
// or when the user abandons the import, leaving the model as it was.
void readDemStream(Sim& sim, std::istream& in);

void fileSaveDEM(Sim& sim);  // File > Save As > DEM File
bool fileOpenDEM(Sim& sim);  // File > Open > DEM File; true when a file was read
bool fileReadDEM(Sim& sim);  // reads DemFileName; reports "Cannot read DEM file '...' format"

}  // namespace magmo
