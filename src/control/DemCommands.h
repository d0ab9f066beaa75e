#pragma once
// The File commands for elevation (DEM) files.
namespace magmo {
struct Sim;

void fileSaveDEM(Sim& sim);  // File > Save As > DEM File
// File > Open > DEM File; true when a file was read. The terrain becomes one layer and the map
// grid; until then, and when the file cannot be read, everything stays as it was.
bool fileOpenDEM(Sim& sim);

}  // namespace magmo
