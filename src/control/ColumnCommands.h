#pragma once
// The stratigraphic column window's commands: open and close it, move its location, and the
// redraw and pointer read-out its picture asks for.
#include <string>

#include "model/Canvas.h"
#include "views/Column.h"

namespace magmo {
struct Sim;

// View > Stratigraphy and the "strat" button: closes the window when it is open, otherwise
// opens it at the main window's vent location.
void mnuViewStratClick(Sim& sim);
// The scroll bar moved to the given centre column.
void stratScrollChange(Sim& sim, int column);
// Enter in the location field: the typed km, clamped to the profile, become the scroll value.
void stratLocEnter(Sim& sim);
// The picture has gone to the clipboard.
void stratCopyClick(Sim& sim);
void stratHelpClick(Sim& sim);

// PlotStrat for the window's location; a failure is reported and leaves what was drawn.
ColumnScale redrawStrat(Sim& sim, Canvas& canvas);
// The picture's tooltip at canvas position (X, Y): empty while pointer captions are off.
std::string strataMouseMove(const Sim& sim, const ColumnScale& c, float X, float Y);

}  // namespace magmo
