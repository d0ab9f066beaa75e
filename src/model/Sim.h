#pragma once
// The simulation context every procedure takes: the simulation state, the presentation
// state, the platform, the random generator and the folders.
#include <optional>
#include <string>

#include "model/Controls.h"
#include "model/ExaggeratedCanvas.h"
#include "model/Host.h"
#include "model/Model.h"
#include "model/Random.h"
#include "model/RgbImage.h"
#include "model/Settings.h"

namespace magmo {

struct Paths {
  std::string resources;  // read-only: Sounds/, factory Files/ (ends with '/')
  std::string dataPath;   // the user's data folder (ends with '/')
  std::string work;       // writable folder for the working images (ends with '/')
  std::string sound(const std::string& name) const { return resources + "Sounds/" + name; }
  std::string defaultStrat() const { return dataPath + "Magmo3.str"; }
  std::string demoStrat() const { return dataPath + "MagmoDemo.str"; }
};

// The plan views' current pictures, which the windows show and the batch runner saves.
struct PlanPictures {
  RgbImage map;     // the geological map, the visible part of the grid
  RgbImage topo;    // the shaded relief or the colour-by-height image
  RgbImage grid3d;  // the 180 x 90 height image of the 3-D export
};

struct Sim {
  Sim(Host& h, SettingsStore& s) : host(h), settings(s) {}
  Model m;
  Controls ui;
  Host& host;
  SettingsStore& settings;
  Random rnd;
  Paths paths;
  std::string SoundFile;
  // The simulation as it was before the last phase, for Undo; empty when there is nothing to undo.
  std::optional<Model> undoState;
  PlanPictures pictures;

  // The profile as the section is drawn: heights stretched by the chosen exaggeration. (The
  // host's own canvas draws unstretched: the vertical scale, the speed calibration.)
  Canvas& plot() {
    section_.aim(host.profile(), ui.VertExag);
    return section_;
  }
  double rnd01() { return rnd.next(); }
  void reseed() {
    // Reseeding happens many times a frame; a fixed seed needs no clock at all.
    if (!rnd.fixed()) rnd.reseedFromClock(host.secondsSinceMidnight());
  }
  // A procedure's failure as the user sees it: "<Name> error: " + line break + description.
  void reportError(const std::string& name, const std::exception& e) {
    host.message(name + " error: \n" + e.what(), MsgIcon::Exclamation, "Magmo");
  }
  // Explanatory tooltips exist only while pointer captions are on.
  std::string tip(const char* text) const { return ui.mnuOptHtips.checked ? text : ""; }
  // Profile column of a distance in km (far values saturate), and a column's distance as "0.00".
  int columnOfKm(double km) const;
  std::string kmText(float column) const;
  // After each animation frame a pause holds the phase here, yielding, until Erupt or Stop.
  void waitWhilePaused() {
    while (m.RunStop == RunState::Paused) host.pauseTurn();
  }
  bool staticMode() const { return ui.mnuParStatic.checked; }
  bool autoMode() const { return ui.mnuParAuto.checked; }
  bool playback() const { return ui.mnuRecPlay.checked; }
  void soundPlayLoop() {
    if (ui.mnuOptSound.checked) host.soundPlay(SoundFile, true);
  }
  // The window sounds ("RestoreUp", "RestoreDown", ...), played once.
  void windowSound(const std::string& name) {
    if (ui.mnuOptSound.checked) host.soundPlay(paths.sound(name + ".wav"), false);
  }
  void soundOff() {
    if (ui.mnuOptSound.checked) host.soundPlay(paths.sound("Off.wav"), false);
  }

 private:
  ExaggeratedCanvas section_;
};

}  // namespace magmo
