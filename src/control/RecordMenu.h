#pragma once
// The Record menu: recorder on/off, playback mode, loop, the editor, the menu's enabling.
namespace magmo {
struct Sim;

void mnuRecRecClick(Sim& sim);
void mnuRecPlayClick(Sim& sim);  // toggles playback mode
void mnuRecPlayLoopClick(Sim& sim);
// Names the record file the editor will work on (when none is named yet); the window then
// opens the editor.
void mnuRecEditClick(Sim& sim);
void mnuRecOpening(Sim& sim);

// Playback mode on or off, as the Playback item switches it.
void enterPlayback(Sim& sim);
void leavePlayback(Sim& sim);

}  // namespace magmo
