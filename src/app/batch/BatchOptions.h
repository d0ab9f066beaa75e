#pragma once
// The command line of magmo-batch, checked in full before anything runs.
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "model/TerrainGrid.h"

namespace magmo::batch {

struct BatchError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// One --erupt and the panel fields it fills; unset fields keep the panel's defaults.
struct Phase {
  std::string style;  // a style key, or "fault" / "erosion"
  std::optional<std::string> location, strength, wind, particles;
  std::optional<std::string> top, base, magnitude, dip;
  std::optional<std::string> caldera;  // "valles" or "mazama"
  std::optional<std::string> down;     // "left" or "right"
  std::optional<int> bursts, cycles;
  bool diatreme = false, directed = false, explosions = false;
  std::vector<std::pair<int, int>> sliders;  // Slider number, value
};

// What --relief-png and --column-png fill in besides their file; texts as typed, checked.
struct PlanView {
  int relief = 1;  // the Map window's option button 1..5
  std::string base = "0", contrast = "3";
  std::string columnAt;  // km from the profile's left edge
};

struct Action {
  enum Kind {
    Scale, Exaggeration, Zoom, Gravity, Seed, Load, Static, Erupt, Auto, Save, Png, Report, Play, Record, SaveDem,
    Undo, New, Maps, MapPrecision, Map3d, MapPng, ReliefPng, ColumnPng, Export3d, StatsCsv
  };
  Kind kind = Report;
  std::string text;    // scale/gravity/precision name, file name
  long long number = 0;  // zoom position, exaggeration, seed, automatic cycles, playback loops
  Phase phase;
  PlanView view;
};

// The answers to the questions of a foreign DEM import.
struct DemLayout {
  enum Kind { Unset, Vector, Raster };
  Kind kind = Unset;
  std::string rows, columns, spacing;  // raster only
  std::string part = "middle";          // top, bottom or middle of a tall terrain
  std::optional<ProfileLine> line;      // the section's line across a GIS raster
};

struct Options {
  std::vector<Action> actions;  // in the order given
  DemLayout dem;
};

// Throws BatchError with a one-line reason.
Options parseOptions(const std::vector<std::string>& args);
std::string usage();

}  // namespace magmo::batch
