#pragma once
// Parameter panels: style selection, the eruption, tectonic and Advanced panels, field edits, OK.
#include <optional>
#include <string>

#include "model/PhaseRecord.h"

namespace magmo {
struct Sim;
struct MenuItem;

// The Parameters menu offers the seven eruption styles and the tectonic panel (Style::Tectonic),
// each with its toolbar key ("hawaiian", ..., "tectonic"), and the automatic cycle ("auto").
const char* styleKey(Style s);
std::optional<Style> styleFromKey(const std::string& key);
// The Parameters menu item that chooses s.
const MenuItem& styleMenu(const Sim& sim, Style s);

// Unchecks every style item but the one with the given key ("" for none, "auto" for Auto).
void clearParams(Sim& sim, const std::string& key);
// The style menu items and toolbar buttons (select, or deselect when already checked).
void selectStyle(Sim& sim, Style s);
// The panel as the selection lays it out for the style, without the menu's side effects.
void layOutStyle(Sim& sim, Style s);
// Parameters > Auto: automatic cycles on (or off when already checked).
void selectAuto(Sim& sim);
void changeOk(Sim& sim);            // OK of the parameter panel (Command1)
void cancelParams(Sim& sim);        // Cancel of the parameter panel (Command3)

// The tectonic panel (faulting or erosion).
void changeTecOk(Sim& sim);         // validate and apply the tectonic panel
void tectonicOk(Sim& sim);          // its OK (Command2)
void cancelTectonic(Sim& sim);      // its Cancel (Command4)

// The Advanced panel of sliders.
void openAdvanced(Sim& sim);        // Command5
void acceptAdvanced(Sim& sim);      // Command6
void cancelAdvanced(Sim& sim);      // Command7: back to the values the panel opened with
void defaultSliders(Sim& sim);      // Command8
// The window writes the slider's value into Controls, then calls this (slider 1..6).
void sliderChange(Sim& sim, int slider);

// Field edits: the window writes the text (or check state) into Controls, then calls the handler.
void disarm(Sim& sim);
void txtLocChange(Sim& sim);
void txtCtopChange(Sim& sim);
void txtCbaseChange(Sim& sim);
void txtTlocChange(Sim& sim);
void txtStrChange(Sim& sim);
// The strength the user commits (Enter, or leaving the field for OK or elsewhere) decides
// whether the style's box may be used; a value still being typed ("0." of "0.9") must not
// clear it.
void txtStrCommit(Sim& sim);
void txtPartChange(Sim& sim);
void txtWindChange(Sim& sim);
void txtMagChange(Sim& sim);
void txtDipChange(Sim& sim);
void downChange(Sim& sim);
void chkCaldDiatClick(Sim& sim);
void chkDirectedClick(Sim& sim);
void chkFumexClick(Sim& sim);
void caldStyleChange(Sim& sim);     // CaldStyle edited or picked from its list
void opFaultClick(Sim& sim);        // selects the fault option
void opErodeClick(Sim& sim);        // selects the erosion option
void fieldGotFocus(Sim& sim, const std::string& focusName);

}  // namespace magmo
