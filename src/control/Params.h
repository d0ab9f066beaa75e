#pragma once
// Parameter panels: style selection, field edits, OK.
#include <string>

namespace magmo {
struct Sim;

enum class Style { Pfs, Stromb, Lava, Dome, Plinian, Collapse, Fumarole, Tectonic, Auto };
const char* styleKey(Style s);
// False when the key names no style.
bool styleFromKey(const std::string& key, Style& out);

bool styleChecked(const Sim& sim, Style s);

void clearParams(Sim& sim, const std::string& key);
// The style menu items and toolbar buttons (select, or deselect when already checked).
void selectStyle(Sim& sim, Style s);
void changeOk(Sim& sim);            // OK of the parameter panel (Command1)
void cancelParams(Sim& sim);        // Cancel of the parameter panel (Command3)

// Field edits: the window writes the text into Controls, then calls the handler.
void disarm(Sim& sim);
void txtLocChange(Sim& sim);
void txtCtopChange(Sim& sim);
void txtCbaseChange(Sim& sim);
void txtTlocChange(Sim& sim);
void txtStrChange(Sim& sim);
void txtPartChange(Sim& sim);
void txtWindChange(Sim& sim);
void chkCaldDiatClick(Sim& sim);
void fieldGotFocus(Sim& sim, const std::string& focusName);

}  // namespace magmo
