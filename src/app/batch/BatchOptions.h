#pragma once
// The command line of magmo-batch, checked in full before anything runs.
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace magmo::batch {

struct BatchError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// One --erupt and the panel fields it fills; unset fields keep the panel's defaults.
struct Phase {
  std::string style;
  std::optional<std::string> location, strength, wind, particles;
  std::optional<int> bursts;
  bool diatreme = false;
  std::vector<std::pair<int, int>> sliders;  // Slider number, value
};

struct Action {
  enum Kind { Scale, Zoom, Gravity, Seed, Load, Static, Erupt, Save, Png, Report };
  Kind kind = Report;
  std::string text;    // scale/gravity name, file name
  long long number = 0;  // zoom position, seed
  Phase phase;
};

struct Options {
  std::vector<Action> actions;  // in the order given
  bool maps = false;
};

// Throws BatchError with a one-line reason.
Options parseOptions(const std::vector<std::string>& args);
std::string usage();

}  // namespace magmo::batch
