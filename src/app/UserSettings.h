#pragma once
// The user's choices between runs: read once at start-up into the menu check marks and the
// model, written back at exit when Save Settings is checked. (Window placement is the window's.)
#include <string_view>

namespace magmo {
struct Sim;

// Start-up switches: characters 2 to 5 of the command line, each "a" (automatic eruptions),
// "l" (load the default stratigraphy) or "f" (fast speed).
struct Switches {
  bool autoErupt = false, loadTopo = false, fast = false;
};
Switches parseSwitches(std::string_view commandLine);

// soundDevice: the machine can play sound; without one the sound option is off and disabled.
// Automatic mode is not switched here: the reset that follows does it from "AutoErupt", and
// the start-up then honours the "a" switch.
void loadSettings(Sim& sim, const Switches& switches, bool soundDevice);
void saveSettings(Sim& sim);

}  // namespace magmo
