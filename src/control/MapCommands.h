#pragma once
// The commands of the plan views: Options > Enable Maps, the Map window (map and relief), the
// 3-D viewer, and the small map of the 3-D position panel.
#include <string>
#include <vector>

namespace magmo {
struct Sim;
struct Controls;

// Panel 7 of status bar 1: "Map Off", or "Map On" with the checked precision.
void showMapState(Controls& ui);

// Options > Enable Maps: on, the map is built from the layers there are; off, the map's own
// switch-off (grid and shape values cleared, the map views disabled).
void mnuOptMapEnableClick(Sim& sim);
void switchMapOff(Sim& sim);
void mnuOptMap3dPosClick(Sim& sim);

// The map of every layer from the first, as the stratigraphic reader builds it; a map section
// read with the file (rows 1..600 of columns 1..mapColumns) then replaces what it covers. The
// picture is drawn and saved once.
void rebuildMap(Sim& sim, const std::vector<float>* mapSection, int mapColumns);
// The map and relief pictures drawn again from the grid (after Undo or a precision change),
// without touching the working images.
void redrawPlanPictures(Sim& sim);

// View > Map and View > Topography, and the Map window's switch between them.
void mnuViewMapClick(Sim& sim);
void mnuViewTopoClick(Sim& sim);
void mapSwitchClick(Sim& sim);
// The option buttons 1..5, Enter in the base-level or contrast field, and their spin controls
// (delta +1 or -1: the base level by one plot unit in metres, the contrast by one).
void mapOptionClick(Sim& sim, int option);
void mapFieldEnter(Sim& sim);
void mapBaseSpin(Sim& sim, int delta);
void mapContrastSpin(Sim& sim, int delta);
// Save: the shown picture as a bitmap file the user names.
void mapSaveClick(Sim& sim);
void mapCloseClick(Sim& sim);

// View > Magmo3D: starts or closes the 3-D viewer; the poll notices when it was closed.
void mnuView3DClick(Sim& sim);
// At exit: the viewer, when it runs (by its caption), is asked to close, and told no new surface waits.
void closeViewerAtExit(Sim& sim);
void viewerPoll(Sim& sim);

// The small map of the 3-D position panel, in grid cells: the pointer read-out and a left
// click that picks the next vent.
std::string mapPointerText(const Sim& sim, int x, int y);
void mapVentPick(Sim& sim, int x, int y);

}  // namespace magmo
