#pragma once
// What the user does on and around the profile: clicks that pick locations, the View toggles.
namespace magmo {
struct Sim;
struct Controls;

enum class MouseButton { Left, Right, Middle };
// A left click fills the location field of the open panel; any other button asks for help.
void plotMouseUp(Sim& sim, MouseButton button, float X, float Y);
void mnuViewVertClick(Sim& sim);
// View > Vertical Exaggeration: the factor (1, 2, 5 or 10; any other counts as 1) and its check
// mark; select also redraws the profile. Only the picture changes, never the section.
void setExaggeration(Controls& ui, int factor);
void selectExaggeration(Sim& sim, int factor);
void mnuViewLedgClick(Sim& sim);
// View > Screen Capture: while on, each finished phase and each pause saves the profile as a
// numbered picture in the capture folder.
void mnuViewCapClick(Sim& sim);
void captureProfile(Sim& sim);
// The legend panel hidden, View > Legend unchecked and its button released: a window that
// takes the legend's place beside the profile does this too.
void hideLegend(Controls& ui);

}  // namespace magmo
