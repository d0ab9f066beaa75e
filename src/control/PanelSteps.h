#pragma once
// Steps the parameter panels share: the run buttons armed or disarmed, the tectonic panel's layout.
#include <string>

namespace magmo {
struct Sim;
struct Controls;

// A panel is open with values pending: neither Erupt nor Pause/Stop is available.
void disableRunButtons(Controls& ui);
// The values were accepted: Erupt becomes the default button.
void armRunButtons(Controls& ui);
// An edit in the tectonic panel: its OK is needed again before the run.
void disarmTectonic(Sim& sim);
// The tectonic panel as Parameters > Tectonic opens it.
void layOutTectonic(Sim& sim);

}  // namespace magmo
