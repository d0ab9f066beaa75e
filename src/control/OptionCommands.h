#pragma once
// The Options menu's own commands: simulation speed, the processor calibration, sound, the
// screen saver and Save Settings. (Scale and gravity are the reset's, maps the map's.)
namespace magmo {
struct Sim;

enum class SpeedItem { Slow, Normal, Fast };

// As if the user chose the item: SpeedFactor 0.2, 1 or 5, the speed slider from the stored
// "SpeedFactor", the check marks and status panel 4. An item already checked does nothing.
void selectSpeed(Sim& sim, SpeedItem item);
// Panel 4 names the checked speed item; with none checked it keeps its text.
void showSpeedStatus(Sim& sim);

// Times a fixed drawing on the profile and sets CpuFactor, the speed relative to the
// reference computer (never below 0.01), so animation runs alike on slow and fast machines.
void cpuSpeedTest(Sim& sim);
// Options > Speed > Calibrate speed: the test, its result in a message, the profile redrawn.
void mnuOptSpeedCalClick(Sim& sim);

void mnuOptSoundClick(Sim& sim);
void mnuOptAdSaverClick(Sim& sim);
// Toggles Save Settings and stores that choice at once.
void mnuOptAdSaveClick(Sim& sim);

}  // namespace magmo
