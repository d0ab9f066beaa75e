#pragma once
// Reset to the empty state, change of horizontal scale, gravity.
#include <string>

namespace magmo {
struct Sim;

// fileOpenedJustBefore: a file is about to be (or was just) read, so the default is not loaded.
void clearVar(Sim& sim, bool fileOpenedJustBefore = false);
// The map, relief and 3-D working images and their undo copies, removed at reset and at exit.
void deleteWorkingImages(const Sim& sim);

enum class ScaleItem { Small, Normal, Large };
float scaleMetres(ScaleItem s);
ScaleItem checkedScale(const Sim& sim);
// Options > Scale: asks about the map, rescales the strata (asking the zoom position when
// enlarging), updates fields and redraws. Returns false when the user declined.
bool changeScale(Sim& sim, ScaleItem to);

enum class GravityItem { User, X2, X4, X8, Earth, Venus, Mars, Moon };
// Options > Gravity; the user item prompts for a value through the host.
void selectGravity(Sim& sim, GravityItem item);
// Gravity from the checked gravity item (user value kept in Gravity), with the status text.
void applyCheckedGravity(Sim& sim);
std::string gravityStatusText(GravityItem item, float gravity);

// VentX from a distance typed in km: rounded, limited to 50..1230, VentKm recomputed.
void setVentFromKm(Sim& sim, double km);
void showVentLocation(Sim& sim);  // VentKm into the location fields, "0.00"

}  // namespace magmo
